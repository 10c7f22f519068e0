// Our own INI engine: parses a file's bytes once into a document that keeps
// every line as it was, answers reads with the semantics of the platform's
// private-profile functions, applies any number of writes in memory and
// serialises the result once. Portable: no Windows header; the module and
// the device server share it.
//
// Reading rules (those of GetPrivateProfileStringA / GetPrivateProfileIntA):
// - Lines end at CR LF, LF or a lone CR. Spaces, tabs, VT, FF and Ctrl-Z
//   around a line, a name or a value do not count.
// - "[name]" starts a section; the name runs to the last ']' on the line.
//   Text before the first section belongs to the section named "".
// - "key=value" is an entry. A line without '=' is a key without a value:
//   it reads as missing, and hides any later line of the same key.
// - Names and values end at a NUL byte, as C strings do.
// - Section and key names match without regard to ASCII case. When a name
//   appears twice, the first one wins.
// - A value wrapped in a pair of matching quotes (" or ') reads without them.
// - A leading UTF-8 byte order mark is kept but does not belong to any line.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Offsets are 32-bit to keep a large document's index small; a document
// never grows past this.
constexpr size_t kIniMaxBytes = 0x7FFFFFF0u;

// GetPrivateProfileIntA reads the value through a 30-character buffer, so
// only the first 29 characters of a value take part in the number.
constexpr size_t kIniIntReadChars = 29;

// One run of bytes of the document: a line with its line break, or a run
// of blank lines.
struct IniPiece {
  uint32_t begin;   // offset in IniDocument::bytes
  uint32_t size;    // bytes, line breaks included
  uint32_t equals;  // offset of the entry's '=' from begin, or one of:
};
constexpr uint32_t kIniNoEntry = 0xFFFFFFFFu;  // blank lines, a section header
constexpr uint32_t kIniNoValue = 0xFFFFFFFEu;  // a key line without '='


struct IniAddedPiece {
  IniPiece piece;
  uint32_t next;  // index in IniDocument::added, or kIniNoEntry
};

// Section i > 0 starts with its header piece at pieces[first]; section 0 is
// the text before the first header and has none. Pieces [contentEnd, end)
// are the blank lines that close the section: new keys go before them.
struct IniSection {
  uint32_t first;
  uint32_t contentEnd;
  uint32_t end;
  uint32_t addedHead;  // keys written into the section since the parse
  uint32_t addedTail;
};

struct IniDocument {
  std::string bytes;  // the parsed file, then every line written since
  std::vector<IniPiece> pieces;
  std::vector<IniAddedPiece> added;
  std::vector<IniSection> sections;
  std::unordered_map<std::string, uint32_t> sectionIndex;  // ASCII-lowered name -> first section
  bool utf8Bom = false;   // kept in front of the text, outside every line
  bool writable = true;  // false for text we cannot rewrite without loss
  bool changed = false;  // a write has altered the text since the parse
};

// Replaces the document with the parse of `bytes` (taken over, not copied).
// An empty string is an empty or missing file. A file of more than
// kIniMaxBytes, or UTF-16 text (which we do not decode), makes an empty
// document that refuses writes, so that nothing of it can be lost; false
// tells the caller so.
bool ParseIniDocument(std::string bytes, IniDocument* doc);

// Whether WriteIniString can ever succeed on this document.
bool IsIniDocumentWritable(const IniDocument& doc);

// The value of an entry: trimmed, quotes still on, cut at a NUL byte.
// False when the section or key is missing or the line has no '='.
bool FindIniValue(const IniDocument& doc, std::string_view section, std::string_view key,
                  std::string_view* value);

// GetPrivateProfileStringA: copies the value without its quotes, or
// `fallback` when the key is missing, cut to outSize - 1 bytes and
// terminated. Returns the number of bytes copied.
size_t ReadIniString(const IniDocument& doc, std::string_view section, std::string_view key,
                     std::string_view fallback, char* out, size_t outSize);

// GetPrivateProfileIntA: `fallback` when the key is missing or its value is
// empty; otherwise the decimal integer at the start of the value (after
// control characters and spaces, one optional sign), 0 when there is none.
// Digits beyond the 32-bit range wrap modulo 2^32 as the platform's do.
int32_t ReadIniInt(const IniDocument& doc, std::string_view section, std::string_view key,
                   int32_t fallback);

// WritePrivateProfileStringA: replaces the value of an existing key in its
// line, adds a missing key after the last non-blank line of its section and
// a missing section at the end. Leading blanks of the value are dropped and
// the value ends at its first line break, so a value cannot forge lines.
// Refused (false, nothing changed): a name with a line break, a key with
// '=' or starting with '[' or a byte order mark, a read-only document.
bool WriteIniString(IniDocument* doc, std::string_view section, std::string_view key,
                    std::string_view value);

// The document's bytes: unchanged lines exactly as parsed, written lines
// ending in CR LF. A final line without a line break gets one only when
// something follows it.
std::string SerializeIniDocument(const IniDocument& doc);

// One write of a save sequence.
struct IniWrite {
  std::string section;
  std::string key;
  std::string value;
};
using IniWriteList = std::vector<IniWrite>;

// Applies the writes in order; false when any of them was refused.
bool ApplyIniWrites(IniDocument* doc, const IniWriteList& writes);
