// MoveFileExA replaces a file in one step, but on NTFS it fails with a
// sharing or access error while any other process has the target open
// without FILE_SHARE_DELETE. Such holds are usually short (a virus scanner
// checking the file we just wrote, a reader taking a copy), so a held
// target is worth waiting for; a missing source or folder is not.
#include "setup/replace_file_win.h"

ReplaceWaitProc gReplaceWait;

namespace {

bool MoveOnce(const char* from, const char* to, bool (*refuse)(void* context), void* context) {
  if (refuse != nullptr && refuse(context)) {
    SetLastError(ERROR_SHARING_VIOLATION);
    return false;
  }
  return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
}

}  // namespace

bool IsHeldFileError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

bool MoveOverWithRetry(const char* from, const char* to, bool (*refuse)(void* context), void* context) {
  if (from == nullptr || to == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  for (int wait = 0;; ++wait) {
    if (MoveOnce(from, to, refuse, context)) return true;
    const DWORD error = GetLastError();
    if (!IsHeldFileError(error) || wait == kReplaceRetryWaits) return false;
    if (gReplaceWait != nullptr) {
      gReplaceWait(kReplaceRetryWaitsMs[wait]);
    } else {
      Sleep(kReplaceRetryWaitsMs[wait]);
    }
  }
}
