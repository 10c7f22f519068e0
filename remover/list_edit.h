// The crash-safe edits of an add-on list that both the removal program and
// the install helper make: take one entry out, or put the new list in place.
// Portable: every file step goes through FileOps.
#pragma once
#include <cstddef>
#include <string>

#include "remover/file_ops.h"

enum class ListEditResult {
  kMissing,     // no list: nothing to do
  kUnreadable,  // left as it is
  kNoMatch,     // no line names the entry: left as it is
  kNotSafe,     // the matching line lies in no whole entry: left byte for byte
  kNotWritten,  // the new list could not be put in place: the old one stays
  kDone,
};

struct ListEdit {
  ListEditResult result;
  bool staleTemporaryDeleted;  // a temporary list left by an earlier run was removed
  std::size_t lastMatch;       // line that named the entry, 0 when none did
  std::string backupPath;      // where the list as it was is kept; empty when no new copy was made
};

// How the entry to remove is recognised.
enum class EntryMatch {
  kCoreText,  // the last line holding the text, letters in any case
  kPath,      // the last <Path> naming exactly this path
};

// Takes out the whole entry that encloses the last matching line. The list
// as it was is kept first in <list>.before_<title>_removal, which is never
// overwritten; when that differs from the list, in <list>.before_<title>_removal.N
// with the next free N from 2, so the list as it was before every removal
// survives.
ListEdit RemoveListEntry(const FileOps& ops, const std::string& listPath, const std::string& title,
                         EntryMatch how, const std::string& what);

// Writes `bytes` to the temporary list beside `listPath`, flushed, and moves
// it over the list in one step. On any failure the list is as it was and no
// temporary file is left.
bool ReplaceListSafely(const FileOps& ops, const std::string& listPath, const std::string& bytes);
