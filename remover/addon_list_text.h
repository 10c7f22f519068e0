// The simulator's add-on lists handled as plain lines of text, never as XML.
// Both the removal program and the install helper edit them through this
// one unit, so that what one adds the other takes out whole.
//
// A line ends at CR LF, at a lone CR or at a lone LF: editors and other
// add-ons' installers write all three. Bytes are kept as they are (NULs and
// high bytes included), and line numbers are not limited in size. Letters
// are compared without regard to case in the Windows ANSI code page (1252).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Steps through `text` one line at a time. Returns false when no line is
// left; otherwise stores the line (without its break) and moves `position`.
bool NextListLine(std::string_view text, std::size_t* position, std::string_view* line);

// Number (from 1) of the last line that contains `core`; 0 when none does.
std::size_t FindLastEntry(std::string_view text, std::string_view core);

// Number of the last line whose <Path> element names `path` (spaces and tabs
// around it ignored); 0 when none does.
std::size_t FindLastPathLine(std::string_view text, std::string_view path);

// Lines first..last (from 1, inclusive) of one entry.
struct EntryLines {
  std::size_t first;
  std::size_t last;
};

// The entry that encloses line `line`: from the nearest line at or above it
// that opens an entry (<Launch.Addon) to the nearest line at or below it
// that closes one (</Launch.Addon), those lines holding no other entry tag.
// False when no entry encloses the line that way: dropping lines there could
// leave a dangling tag, and the simulator then rejects the whole list.
bool FindEnclosingEntry(std::string_view text, std::size_t line, EntryLines* entry);

// Every line of `text` outside `drop`, each followed by CR LF.
std::string RewriteList(std::string_view text, EntryLines drop);

enum AddonListResult {
  kAddonAdded,          // `out` holds the list with the entry added
  kAddonCreated,        // there was no list: `out` is a new one
  kAddonAlreadyThere,   // an entry with the same path exists: nothing to do
  kAddonNotAList,       // no closing </SimBase.Document>: left alone
  kAddonUnsupported,    // UTF-16 text or a NUL byte: left alone
};

// A module's entry in the five-line shape, CR LF after each line.
std::string ModuleEntry(std::string_view name, std::string_view path);

// Adds `name`'s entry for `path` on lines of its own just before the list's
// closing tag. `exists` false means the file is missing: a new module list
// holding the entry is made.
AddonListResult AddModuleEntry(const std::string& list, bool exists, std::string_view name,
                               std::string_view path, std::string* out);
