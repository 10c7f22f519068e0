// Putting a finished file in place of another one, patient with processes
// that hold the old file open for a moment.
#pragma once
#include <windows.h>

#include "setup/replace_schedule.h"

// Moves `from` over `to` (MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH).
// While the target is held open by another process, retries with back-off
// for about 2 s in all (kReplaceRetryWaitsMs); any other failure ends at
// once. `refuse`, when not null, is asked before each attempt; true makes
// that attempt fail as a held file would (test seam for NTFS behaviour).
// On failure `from` is left where it is and the last error tells why.
bool MoveOverWithRetry(const char* from, const char* to, bool (*refuse)(void* context), void* context);

// The errors a file gives while another process holds it open.
bool IsHeldFileError(DWORD error);

// Test seam: how the waits between attempts are spent; Sleep when null.
// Always null in shipped code.
typedef void (*ReplaceWaitProc)(unsigned milliseconds);
extern ReplaceWaitProc gReplaceWait;
