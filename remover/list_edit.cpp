// Order of the file steps of a list edit. The new list is complete and
// flushed in the temporary file before anything else changes, and it
// replaces the list in one move, so a crash or a full disk at any point
// leaves either the old list or the new one, never a part of either.
#include "remover/list_edit.h"

#include "remover/addon_list_text.h"
#include "remover/removal_names.h"

namespace {

// Numbered backups beyond this are not looked for: a folder that full is
// not worth a longer search, and the removal goes on without a new copy.
constexpr int kLastBackupNumber = 999;

bool WriteTemporary(const FileOps& ops, const std::string& temporaryPath, const std::string& bytes) {
  if (ops.WriteNewFile(ops.context, temporaryPath, bytes)) return true;
  // A partial file must never be mistaken for a list later.
  ops.RemoveFile(ops.context, temporaryPath);
  return false;
}

bool PutInPlace(const FileOps& ops, const std::string& temporaryPath, const std::string& listPath) {
  if (ops.MoveOver(ops.context, temporaryPath, listPath)) return true;
  ops.RemoveFile(ops.context, temporaryPath);
  return false;
}

// Returns the path of the copy made, or "" when none was needed or possible.
std::string KeepBackup(const FileOps& ops, const std::string& listPath, const std::string& title,
                       const std::string& text) {
  const std::string first = BackupListPath(listPath, title);
  std::string target = first;
  if (ops.FileExists(ops.context, first)) {
    std::string kept;
    if (ops.ReadWholeFile(ops.context, first, &kept) && kept == text) return std::string();
    target.clear();
    for (int n = 2; n <= kLastBackupNumber && target.empty(); ++n) {
      const std::string numbered = first + "." + std::to_string(n);
      if (!ops.FileExists(ops.context, numbered)) target = numbered;
    }
    if (target.empty()) return std::string();
  }
  return ops.CopyOver(ops.context, listPath, target) ? target : std::string();
}

}  // namespace

ListEdit RemoveListEntry(const FileOps& ops, const std::string& listPath, const std::string& title,
                         EntryMatch how, const std::string& what) {
  ListEdit edit{ListEditResult::kMissing, false, 0, std::string()};
  const std::string temporaryPath = TemporaryListPath(listPath);
  if (ops.FileExists(ops.context, temporaryPath)) {
    edit.staleTemporaryDeleted = ops.RemoveFile(ops.context, temporaryPath);
  }
  if (!ops.FileExists(ops.context, listPath)) return edit;
  std::string text;
  if (!ops.ReadWholeFile(ops.context, listPath, &text)) {
    edit.result = ListEditResult::kUnreadable;
    return edit;
  }
  edit.lastMatch = how == EntryMatch::kPath ? FindLastPathLine(text, what) : FindLastEntry(text, what);
  EntryLines entry{};
  if (edit.lastMatch == 0) {
    edit.result = ListEditResult::kNoMatch;
  } else if (!FindEnclosingEntry(text, edit.lastMatch, &entry)) {
    edit.result = ListEditResult::kNotSafe;
  } else if (!WriteTemporary(ops, temporaryPath, RewriteList(text, entry))) {
    edit.result = ListEditResult::kNotWritten;
  } else {
    edit.backupPath = KeepBackup(ops, listPath, title, text);
    edit.result = PutInPlace(ops, temporaryPath, listPath) ? ListEditResult::kDone
                                                           : ListEditResult::kNotWritten;
  }
  return edit;
}

bool ReplaceListSafely(const FileOps& ops, const std::string& listPath, const std::string& bytes) {
  const std::string temporaryPath = TemporaryListPath(listPath);
  return WriteTemporary(ops, temporaryPath, bytes) && PutInPlace(ops, temporaryPath, listPath);
}
