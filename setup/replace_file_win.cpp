// MoveFileExA replaces a file in one step, but on NTFS it fails with a
// sharing or access error while any other process has the target open
// without FILE_SHARE_DELETE. Such holds are usually short (a virus scanner
// checking the file we just wrote, a reader taking a copy), so a held
// target is worth waiting for; a missing source or folder is not.
#include "setup/replace_file_win.h"

namespace {

struct Move {
  const char* from;
  const char* to;
};

MoveResult AttemptMove(void* context) {
  const Move& move = *static_cast<const Move*>(context);
  return MoveOverOnce(move.from, move.to);
}

void SleepFor(void*, unsigned milliseconds) { Sleep(milliseconds); }

}  // namespace

bool IsHeldFileError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

MoveResult MoveOverOnce(const char* from, const char* to) {
  if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return kMoveDone;
  return IsHeldFileError(GetLastError()) ? kMoveHeld : kMoveFailed;
}

bool MoveOverWithRetry(const char* from, const char* to) {
  if (from == nullptr || to == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  Move move = {from, to};
  return RetryWhileHeld(AttemptMove, SleepFor, &move);
}
