// Putting a finished file in place of another one, patient with processes
// that hold the old file open for a moment.
#pragma once
#include <windows.h>

#include "setup/replace_schedule.h"

// One attempt to move `from` over `to` (MOVEFILE_REPLACE_EXISTING |
// MOVEFILE_WRITE_THROUGH); the last error tells why it failed.
MoveResult MoveOverOnce(const char* from, const char* to);

// MoveOverOnce, retried on the schedule of kReplaceRetryWaitsMs while the
// target is held open by another process (about 2 s in all). On failure
// `from` is left where it is and the last error tells why.
bool MoveOverWithRetry(const char* from, const char* to);

// The errors a file gives while another process holds it open.
bool IsHeldFileError(DWORD error);
