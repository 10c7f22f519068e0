// Adding Pivora's entry to the simulator's module list dll.xml. The list is
// treated as lines of text, as the removal program treats it, never parsed
// as XML: whatever else the user's list holds is kept byte for byte.
// Portable: no Windows header.
#pragma once
#include <string>

// The entry's <Path>, relative to the simulator's folder.
constexpr char kPivoraAddonPath[] = "pivora\\pivora.dll";

enum AddonListResult {
  kAddonAdded,          // `out` holds the list with the entry added
  kAddonCreated,        // there was no list: `out` is a new one
  kAddonAlreadyThere,   // an entry with our path exists: nothing to do
  kAddonNotAList,       // no closing </SimBase.Document>: left alone
  kAddonUnsupported,    // UTF-16 text or a NUL byte: left alone
};

// The entry block as it goes into the list, lines ending in `lineBreak`.
std::string PivoraAddonEntry(const std::string& lineBreak);

// Adds the entry before the list's closing tag, in the list's own line
// breaks. `exists` false means the file is missing: a new list is made.
AddonListResult AddPivoraAddon(const std::string& list, bool exists, std::string* out);
