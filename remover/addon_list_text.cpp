// Line splitting, entry search and the rewrite of an add-on list.
#include "remover/addon_list_text.h"

#include <array>

namespace {

constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';
constexpr const char* kLineBreak = "\r\n";

// The lists are written in the Windows ANSI code page (1252), so the letters
// that have a second case there fold too, not only A to Z.
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

const std::array<unsigned char, 256>& FoldTable() {
  static const std::array<unsigned char, 256> table = MakeFoldTable();
  return table;
}

std::string Folded(std::string_view text) {
  const auto& fold = FoldTable();
  std::string out(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    out[i] = static_cast<char>(fold[static_cast<unsigned char>(text[i])]);
  }
  return out;
}

bool IsDropped(std::size_t lineNumber, std::size_t lastMatch) {
  if (lastMatch == 0) return false;
  return lineNumber + kLinesDroppedBefore >= lastMatch &&
         lineNumber <= lastMatch + kLinesDroppedAfter;
}

}  // namespace

bool NextListLine(std::string_view text, std::size_t* position, std::string_view* line) {
  std::size_t start = *position;
  if (start >= text.size()) return false;
  std::size_t end = text.find(kCarriageReturn, start);
  if (end == std::string_view::npos) {
    *line = text.substr(start);
    *position = text.size();
    return true;
  }
  *line = text.substr(start, end - start);
  std::size_t next = end + 1;
  if (next < text.size() && text[next] == kLineFeed) ++next;
  *position = next;
  return true;
}

std::size_t FindLastEntry(std::string_view text, std::string_view core) {
  // Folding the whole list once keeps the search a plain substring find per
  // line; line boundaries are the same in the folded copy because CR and LF
  // fold to themselves.
  const std::string foldedText = Folded(text);
  const std::string foldedCore = Folded(core);
  const std::string_view folded(foldedText);
  std::size_t position = 0;
  std::size_t lineNumber = 0;
  std::size_t lastMatch = 0;
  std::string_view line;
  while (NextListLine(folded, &position, &line)) {
    ++lineNumber;
    if (line.find(foldedCore) != std::string_view::npos) lastMatch = lineNumber;
  }
  return lastMatch;
}

std::string RewriteList(std::string_view text, std::size_t lastMatch) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t position = 0;
  std::size_t lineNumber = 0;
  std::string_view line;
  while (NextListLine(text, &position, &line)) {
    ++lineNumber;
    if (IsDropped(lineNumber, lastMatch)) continue;
    out.append(line);
    out.append(kLineBreak);
  }
  return out;
}
