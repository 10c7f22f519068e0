// Line splitting, entry search, the rewrite that drops one entry and the
// insertion of a new one.
#include "remover/addon_list_text.h"

#include <array>
#include <vector>

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr const char* kLineBreak = "\r\n";
// Folded forms: every search runs on the folded copy of the list.
constexpr std::string_view kEntryOpen = "<launch.addon";
constexpr std::string_view kEntryClose = "</launch.addon";
constexpr std::string_view kPathOpen = "<path>";
constexpr std::string_view kPathClose = "</path>";
constexpr std::string_view kDocumentClose = "</simbase.document>";
constexpr const char* kDocumentCloseAsWritten = "</SimBase.Document>";

// The letters that have a second case in code page 1252 fold too, not only
// A to Z.
std::array<unsigned char, 256> MakeFoldTable() {
  std::array<unsigned char, 256> table{};
  for (int c = 0; c < 256; ++c) table[c] = static_cast<unsigned char>(c);
  for (int c = 'A'; c <= 'Z'; ++c) table[c] = static_cast<unsigned char>(c + ('a' - 'A'));
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) table[c] = static_cast<unsigned char>(c + 0x20);  // 0xD7 is the sign ×
  }
  table[0x8A] = 0x9A;  // S caron
  table[0x8C] = 0x9C;  // OE
  table[0x8E] = 0x9E;  // Z caron
  table[0x9F] = 0xFF;  // Y diaeresis
  return table;
}

std::string Folded(std::string_view text) {
  static const std::array<unsigned char, 256> fold = MakeFoldTable();
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(fold[static_cast<unsigned char>(text[i])]);
  }
  return out;
}

// Line breaks fold to themselves, so the folded copy splits into the same
// lines as the original.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t position = 0;
  std::string_view line;
  while (NextListLine(text, &position, &line)) lines.push_back(line);
  return lines;
}

std::size_t Count(std::string_view line, std::string_view what) {
  std::size_t n = 0;
  for (std::size_t at = line.find(what); at != std::string_view::npos; at = line.find(what, at + 1)) ++n;
  return n;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

bool NamesPath(std::string_view line, std::string_view foldedPath) {
  for (std::size_t at = line.find(kPathOpen); at != std::string_view::npos; at = line.find(kPathOpen, at + 1)) {
    const std::size_t start = at + kPathOpen.size();
    const std::size_t close = line.find(kPathClose, start);
    if (close == std::string_view::npos) return false;
    if (Trimmed(line.substr(start, close - start)) == foldedPath) return true;
  }
  return false;
}

}  // namespace

bool NextListLine(std::string_view text, std::size_t* position, std::string_view* line) {
  const std::size_t start = *position;
  if (start >= text.size()) return false;
  std::size_t end = start;
  while (end < text.size() && text[end] != kCarriageReturn && text[end] != kLineFeed) ++end;
  if (end == text.size()) {
    *line = text.substr(start);
    *position = text.size();
    return true;
  }
  *line = text.substr(start, end - start);
  std::size_t next = end + 1;
  if (text[end] == kCarriageReturn && next < text.size() && text[next] == kLineFeed) ++next;
  *position = next;
  return true;
}

std::size_t FindLastEntry(std::string_view text, std::string_view core) {
  const std::string folded = Folded(text);
  const std::string foldedCore = Folded(core);
  const std::vector<std::string_view> lines = Lines(folded);
  for (std::size_t n = lines.size(); n > 0; --n) {
    if (lines[n - 1].find(foldedCore) != std::string_view::npos) return n;
  }
  return 0;
}

std::size_t FindLastPathLine(std::string_view text, std::string_view path) {
  const std::string folded = Folded(text);
  const std::string foldedPath = Folded(path);
  const std::vector<std::string_view> lines = Lines(folded);
  for (std::size_t n = lines.size(); n > 0; --n) {
    if (NamesPath(lines[n - 1], foldedPath)) return n;
  }
  return 0;
}

bool FindEnclosingEntry(std::string_view text, std::size_t line, EntryLines* entry) {
  const std::string folded = Folded(text);
  const std::vector<std::string_view> lines = Lines(folded);
  if (line == 0 || line > lines.size()) return false;
  std::size_t first = line;
  while (first > 0 && lines[first - 1].find(kEntryOpen) == std::string_view::npos) --first;
  std::size_t last = line;
  while (last <= lines.size() && lines[last - 1].find(kEntryClose) == std::string_view::npos) ++last;
  if (first == 0 || last > lines.size()) return false;
  // The dropped lines must hold this entry's two tags and nothing of another
  // entry, or the list would keep half of that one.
  std::size_t opens = 0;
  std::size_t closes = 0;
  for (std::size_t n = first; n <= last; ++n) {
    opens += Count(lines[n - 1], kEntryOpen);
    closes += Count(lines[n - 1], kEntryClose);
  }
  if (opens != 1 || closes != 1) return false;
  if (first == last && lines[first - 1].find(kEntryClose) < lines[first - 1].find(kEntryOpen)) return false;
  *entry = EntryLines{first, last};
  return true;
}

std::string RewriteList(std::string_view text, EntryLines drop) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t position = 0;
  std::size_t lineNumber = 0;
  std::string_view line;
  while (NextListLine(text, &position, &line)) {
    ++lineNumber;
    if (lineNumber >= drop.first && lineNumber <= drop.last) continue;
    out.append(line);
    out.append(kLineBreak);
  }
  return out;
}

std::string ModuleEntry(std::string_view name, std::string_view path) {
  const std::string n = kLineBreak;
  return "  <Launch.Addon>" + n + "    <Name>" + std::string(name) + "</Name>" + n +
         "    <Disabled>False</Disabled>" + n + "    <Path>" + std::string(path) + "</Path>" + n +
         "  </Launch.Addon>" + n;
}

AddonListResult AddModuleEntry(const std::string& list, bool exists, std::string_view name,
                               std::string_view path, std::string* out) {
  const std::string entry = ModuleEntry(name, path);
  if (!exists) {
    const std::string n = kLineBreak;
    *out = "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>" + n +
           "<SimBase.Document Type=\"Launch\" version=\"1,0\">" + n + "  <Descr>Launch</Descr>" + n +
           "  <Filename>dll.xml</Filename>" + n + "  <Disabled>False</Disabled>" + n +
           "  <Launch.ManualLoad>False</Launch.ManualLoad>" + n + entry + kDocumentCloseAsWritten + n;
    return kAddonCreated;
  }
  if (list.find('\0') != std::string::npos) return kAddonUnsupported;  // UTF-16 among others
  if (FindLastPathLine(list, path) != 0) return kAddonAlreadyThere;
  const std::size_t close = Folded(list).rfind(kDocumentClose);
  if (close == std::string::npos) return kAddonNotAList;
  // The entry goes on lines of its own before the closing tag's indent.
  std::size_t lineStart = close;
  while (lineStart > 0 && (list[lineStart - 1] == ' ' || list[lineStart - 1] == '\t')) --lineStart;
  const bool ownLine =
      lineStart == 0 || list[lineStart - 1] == kLineFeed || list[lineStart - 1] == kCarriageReturn;
  const std::size_t insertAt = ownLine ? lineStart : close;
  *out = list.substr(0, insertAt) + (ownLine ? "" : kLineBreak) + entry + list.substr(insertAt);
  return kAddonAdded;
}
