// The INI engine: one pass over the bytes builds an index of pieces and
// sections that points into the kept text; reads look names up in the
// index, writes append their new lines to the text and repoint the index.
// Nothing is ever removed from `bytes` until the next parse, so a save of
// hundreds of keys costs one serialisation and no reshuffling.
#include "setup/ini_document.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr char kLineBreak[] = "\r\n";
constexpr unsigned char kUtf8Bom[] = {0xEF, 0xBB, 0xBF};

// The platform's private-profile code counts Ctrl-Z (the old end-of-file
// mark) as white space, besides the usual ASCII blanks.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1a';
}

bool IsBreak(char c) { return c == '\r' || c == '\n'; }

bool IsUtf16(std::string_view s) {
  return s.size() >= 2 && ((s[0] == '\xFF' && s[1] == '\xFE') || (s[0] == '\xFE' && s[1] == '\xFF'));
}

bool IsUtf8Bom(std::string_view s) { return s.size() >= 3 && std::memcmp(s.data(), kUtf8Bom, 3) == 0; }

// A key line at the very start of a file would be taken for the text's
// encoding mark when the file is read again.
bool StartsWithByteOrderMark(std::string_view s) { return IsUtf16(s) || IsUtf8Bom(s); }

std::string_view TrimLeft(std::string_view s) {
  size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  return s.substr(i);
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  size_t n = s.size();
  while (n > 0 && IsBlank(s[n - 1])) --n;
  return s.substr(0, n);
}

std::string_view CutAtNul(std::string_view s) {
  const size_t nul = s.find('\0');
  return nul == std::string_view::npos ? s : s.substr(0, nul);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

std::string IndexKey(std::string_view name) {
  std::string key(Trim(CutAtNul(name)));
  for (char& c : key) c = LowerAscii(c);
  return key;
}

std::string_view PieceText(const IniDocument& doc, const IniPiece& piece) {
  return std::string_view(doc.bytes).substr(piece.begin, piece.size);
}

size_t BreakSize(std::string_view line) {
  const size_t n = line.size();
  if (n >= 2 && line[n - 2] == '\r' && line[n - 1] == '\n') return 2;
  if (n >= 1 && IsBreak(line[n - 1])) return 1;
  return 0;
}

std::string_view LineContent(const IniDocument& doc, const IniPiece& piece) {
  std::string_view line = PieceText(doc, piece);
  line.remove_suffix(BreakSize(line));
  return line;
}

// Names are C strings to the platform's reader: a NUL byte ends them.
std::string_view EntryName(const IniDocument& doc, const IniPiece& piece) {
  const std::string_view line = LineContent(doc, piece);
  return CutAtNul(Trim(piece.equals == kIniNoValue ? line : line.substr(0, piece.equals)));
}

// The value as the line holds it: between '=' and the line break, trimmed.
// Only for pieces that have one.
std::string_view EntryValue(const IniDocument& doc, const IniPiece& piece) {
  return Trim(LineContent(doc, piece).substr(piece.equals + 1));
}

// The name of a section header line, or false when the line is none: it
// must begin with '[' and hold a ']' after it; the last ']' closes the name.
bool HeaderName(std::string_view trimmedLine, std::string_view* name) {
  if (trimmedLine.empty() || trimmedLine[0] != '[') return false;
  const size_t close = trimmedLine.rfind(']');
  if (close == std::string_view::npos || close == 0) return false;
  *name = CutAtNul(Trim(trimmedLine.substr(1, close - 1)));
  return true;
}

uint32_t FindSection(const IniDocument& doc, std::string_view name) {
  if (doc.sections.empty()) return kIniNoEntry;
  const auto it = doc.sectionIndex.find(IndexKey(name));
  return it == doc.sectionIndex.end() ? kIniNoEntry : it->second;
}

// The piece that holds `key` in section `s`; the first one wins.
const IniPiece* FindEntry(const IniDocument& doc, uint32_t s, std::string_view key) {
  key = Trim(CutAtNul(key));
  const IniSection& section = doc.sections[s];
  const uint32_t body = s == 0 ? section.first : section.first + 1;
  for (uint32_t i = body; i < section.contentEnd; ++i) {
    const IniPiece& piece = doc.pieces[i];
    if (piece.equals != kIniNoEntry && EqualNoCase(EntryName(doc, piece), key)) return &piece;
  }
  for (uint32_t a = section.addedHead; a != kIniNoEntry; a = doc.added[a].next) {
    const IniPiece& piece = doc.added[a].piece;
    if (EqualNoCase(EntryName(doc, piece), key)) return &piece;
  }
  return nullptr;
}

IniPiece* FindEntry(IniDocument* doc, uint32_t s, std::string_view key) {
  return const_cast<IniPiece*>(FindEntry(static_cast<const IniDocument&>(*doc), s, key));
}

// Copies `text` with a pair of matching quotes removed, cut to the buffer.
size_t CopyUnquoted(std::string_view text, char* out, size_t outSize) {
  if (out == nullptr || outSize == 0) return 0;
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    text = text.substr(1, text.size() - 2);
  }
  const size_t n = text.size() < outSize - 1 ? text.size() : outSize - 1;
  if (n > 0) std::memcpy(out, text.data(), n);
  out[n] = '\0';
  return n;
}

// Appends `line` to the text and returns the piece that covers it.
bool AppendLine(IniDocument* doc, const std::string& line, uint32_t equals, IniPiece* piece) {
  if (line.size() > kIniMaxBytes - doc->bytes.size()) return false;
  piece->begin = static_cast<uint32_t>(doc->bytes.size());
  piece->size = static_cast<uint32_t>(line.size());
  piece->equals = equals;
  doc->bytes += line;
  return true;
}

struct Parser {
  IniDocument* doc;
  size_t gapBegin = std::string::npos;  // first blank line not yet in a piece

  void Push(size_t begin, size_t end, uint32_t equals) {
    doc->pieces.push_back(
        IniPiece{static_cast<uint32_t>(begin), static_cast<uint32_t>(end - begin), equals});
  }

  // Blank lines gather into one piece. At the end of a section that piece
  // stays outside its content, so that a new key goes before it.
  void FlushGap(size_t gapEnd, bool sectionEnds) {
    IniSection& section = doc->sections.back();
    if (sectionEnds) section.contentEnd = static_cast<uint32_t>(doc->pieces.size());
    if (gapBegin != std::string::npos) Push(gapBegin, gapEnd, kIniNoEntry);
    if (sectionEnds) section.end = static_cast<uint32_t>(doc->pieces.size());
    gapBegin = std::string::npos;
  }

  void Run(size_t start) {
    const std::string& text = doc->bytes;
    // One piece per line at most: size the index once instead of regrowing
    // it through the whole file.
    doc->pieces.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    doc->sections.push_back(IniSection{0, 0, 0, kIniNoEntry, kIniNoEntry});
    doc->sectionIndex.emplace(std::string(), 0);
    size_t pos = start;
    while (pos < text.size()) {
      size_t stop = pos;
      while (stop < text.size() && !IsBreak(text[stop])) ++stop;
      size_t next = stop;
      if (next < text.size()) next += (text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n') ? 2 : 1;
      const std::string_view line(text.data() + pos, stop - pos);
      const std::string_view trimmed = Trim(line);
      std::string_view name;
      if (trimmed.empty()) {
        if (gapBegin == std::string::npos) gapBegin = pos;
      } else if (HeaderName(trimmed, &name)) {
        FlushGap(pos, true);
        doc->sections.push_back(IniSection{static_cast<uint32_t>(doc->pieces.size()), 0, 0,
                                           kIniNoEntry, kIniNoEntry});
        Push(pos, next, kIniNoEntry);
        doc->sectionIndex.emplace(IndexKey(name), static_cast<uint32_t>(doc->sections.size() - 1));
      } else {
        // A line without '=' is a key without a value, as on the platform:
        // it reads as missing and hides a later line of the same key.
        const size_t equals = line.find('=');
        FlushGap(pos, false);
        Push(pos, next, equals == std::string_view::npos ? kIniNoValue : static_cast<uint32_t>(equals));
      }
      pos = next;
    }
    FlushGap(text.size(), true);
  }
};

}  // namespace

bool ParseIniDocument(std::string bytes, IniDocument* doc) {
  *doc = IniDocument();
  if (IsUtf16(bytes) || bytes.size() > kIniMaxBytes) {
    doc->writable = false;
    doc->sections.push_back(IniSection{0, 0, 0, kIniNoEntry, kIniNoEntry});
    doc->sectionIndex.emplace(std::string(), 0);
    return false;
  }
  doc->bytes = std::move(bytes);
  doc->utf8Bom = IsUtf8Bom(doc->bytes);
  Parser parser{doc};
  parser.Run(doc->utf8Bom ? 3 : 0);
  return true;
}

bool IsIniDocumentWritable(const IniDocument& doc) { return doc.writable; }

bool FindIniValue(const IniDocument& doc, std::string_view section, std::string_view key,
                  std::string_view* value) {
  const uint32_t s = FindSection(doc, section);
  if (s == kIniNoEntry) return false;
  const IniPiece* piece = FindEntry(doc, s, key);
  if (piece == nullptr || piece->equals == kIniNoValue) return false;
  *value = CutAtNul(EntryValue(doc, *piece));
  return true;
}

size_t ReadIniString(const IniDocument& doc, std::string_view section, std::string_view key,
                     std::string_view fallback, char* out, size_t outSize) {
  std::string_view value;
  if (FindIniValue(doc, section, key, &value)) return CopyUnquoted(value, out, outSize);
  // The platform drops trailing spaces of the default and unquotes it too.
  fallback = CutAtNul(fallback);
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.remove_suffix(1);
  return CopyUnquoted(fallback, out, outSize);
}

int32_t ReadIniInt(const IniDocument& doc, std::string_view section, std::string_view key,
                   int32_t fallback) {
  char text[kIniIntReadChars + 1];
  std::string_view value;
  if (!FindIniValue(doc, section, key, &value)) return fallback;
  const size_t n = CopyUnquoted(value, text, sizeof text);
  if (n == 0) return fallback;
  size_t i = 0;
  while (i < n && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < n && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Unsigned arithmetic wraps where the platform's reader wraps, with no
  // undefined overflow on the way.
  uint32_t total = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) total = total * 10u + static_cast<uint32_t>(text[i] - '0');
  if (negative) total = 0u - total;
  return static_cast<int32_t>(total);
}

bool WriteIniString(IniDocument* doc, std::string_view section, std::string_view key,
                    std::string_view value) {
  if (!doc->writable || doc->sections.empty()) return false;
  // The platform's writer takes C strings.
  section = CutAtNul(section);
  key = CutAtNul(key);
  value = CutAtNul(value);
  if (section.find_first_of("\r\n") != std::string_view::npos) return false;
  if (key.find_first_of("\r\n=") != std::string_view::npos) return false;
  const std::string_view keyText = TrimLeft(key);
  if (!keyText.empty() && keyText[0] == '[') return false;  // it would read back as a header
  if (StartsWithByteOrderMark(keyText)) return false;        // at the top of a file, it would too
  value = TrimLeft(value);
  value = value.substr(0, value.find_first_of("\r\n"));

  uint32_t s = FindSection(*doc, section);
  if (s != kIniNoEntry) {
    IniPiece* found = FindEntry(doc, s, key);
    if (found != nullptr) {
      const bool hasValue = found->equals != kIniNoValue;
      if (hasValue && EntryValue(*doc, *found) == value) return true;
      // Keep the line's own spelling up to the value, and its line break.
      const std::string_view line = PieceText(*doc, *found);
      const std::string_view content = LineContent(*doc, *found);
      std::string text;
      uint32_t equals = found->equals;
      if (hasValue) {
        const std::string_view afterEquals = content.substr(equals + 1);
        text = content.substr(0, equals + 1 + afterEquals.size() - TrimLeft(afterEquals).size());
      } else {
        size_t n = content.size();
        while (n > 0 && IsBlank(content[n - 1])) --n;
        equals = static_cast<uint32_t>(n);
        text = content.substr(0, n);
        text += '=';
      }
      text += value;
      text += line.substr(content.size());
      IniPiece replacement;
      if (!AppendLine(doc, text, equals, &replacement)) return false;
      *found = replacement;
      doc->changed = true;
      return true;
    }
  }

  std::string keyLine(keyText);
  const uint32_t equals = static_cast<uint32_t>(keyLine.size());
  keyLine += '=';
  keyLine += value;
  keyLine += kLineBreak;
  if (s == kIniNoEntry) {
    std::string header = "[";
    header += TrimLeft(section);
    header += ']';
    header += kLineBreak;
    if (header.size() + keyLine.size() > kIniMaxBytes - doc->bytes.size()) return false;
    IniPiece piece;
    AppendLine(doc, header, kIniNoEntry, &piece);
    const uint32_t first = static_cast<uint32_t>(doc->pieces.size());
    doc->pieces.push_back(piece);
    doc->sections.push_back(IniSection{first, first + 1, first + 1, kIniNoEntry, kIniNoEntry});
    s = static_cast<uint32_t>(doc->sections.size() - 1);
    doc->sectionIndex.emplace(IndexKey(section), s);
  }
  IniAddedPiece added{IniPiece{}, kIniNoEntry};
  if (!AppendLine(doc, keyLine, equals, &added.piece)) return false;
  const uint32_t a = static_cast<uint32_t>(doc->added.size());
  doc->added.push_back(added);
  IniSection& target = doc->sections[s];
  if (target.addedTail == kIniNoEntry) {
    target.addedHead = a;
  } else {
    doc->added[target.addedTail].next = a;
  }
  target.addedTail = a;
  doc->changed = true;
  return true;
}

std::string SerializeIniDocument(const IniDocument& doc) {
  std::string out;
  out.reserve(doc.bytes.size() + 2);
  if (doc.utf8Bom) out.append(reinterpret_cast<const char*>(kUtf8Bom), 3);
  bool openLine = false;  // the last piece emitted ended without a line break
  auto emit = [&](const IniPiece& piece) {
    if (openLine) out += kLineBreak;
    const std::string_view text = PieceText(doc, piece);
    out += text;
    openLine = !text.empty() && !IsBreak(text.back());
  };
  for (const IniSection& section : doc.sections) {
    for (uint32_t i = section.first; i < section.contentEnd; ++i) emit(doc.pieces[i]);
    for (uint32_t a = section.addedHead; a != kIniNoEntry; a = doc.added[a].next) emit(doc.added[a].piece);
    for (uint32_t i = section.contentEnd; i < section.end; ++i) emit(doc.pieces[i]);
  }
  return out;
}

bool ApplyIniWrites(IniDocument* doc, const IniWriteList& writes) {
  bool all = true;
  for (const IniWrite& w : writes) all = WriteIniString(doc, w.section, w.key, w.value) && all;
  return all;
}
