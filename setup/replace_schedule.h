// How long a replace keeps trying while another process holds the target
// open. On NTFS a rename over a file fails as long as anyone has it open
// without delete sharing: an on-access virus scanner or a backup tool for a
// moment, the device server for the length of one read. Short waits first,
// so that a brief hold costs little, then longer ones, about two seconds in
// all before the caller falls back to something else.
#pragma once

// The waits between attempts: one attempt before the first wait and one
// after each.
constexpr unsigned kReplaceRetryWaitsMs[] = {5, 10, 20, 40, 80, 160, 320, 640, 640};
constexpr int kReplaceRetryWaits = sizeof kReplaceRetryWaitsMs / sizeof kReplaceRetryWaitsMs[0];

enum MoveResult {
  kMoveDone,
  kMoveHeld,    // another process holds the target: worth waiting for
  kMoveFailed,  // anything else (a missing source or folder): waiting won't help
};

// Runs `attempt` once, then once after each wait of the schedule while the
// target stays held; a failure of any other kind ends at once.
inline bool RetryWhileHeld(MoveResult (*attempt)(void* context), void (*wait)(void* context, unsigned milliseconds),
                           void* context) {
  for (int waits = 0;; ++waits) {
    const MoveResult result = attempt(context);
    if (result == kMoveDone) return true;
    if (result != kMoveHeld || waits == kReplaceRetryWaits) return false;
    wait(context, kReplaceRetryWaitsMs[waits]);
  }
}
