// Carries out an armed key press with keybd_event and the waits between the
// events.
#include "module/key_press.h"

#include <windows.h>

PendingKeyPress gPendingKeyPress;

void PerformPendingKeyPress() {
  // Taken (and cleared) before the first event, so a tick nested in the waits
  // cannot send the same press twice.
  const KeySequence sequence = TakePendingKeyPress(&gPendingKeyPress);
  for (int i = 0; i < sequence.count; ++i) {
    const KeyStep& step = sequence.steps[i];
    keybd_event(step.virtualKey, 0, step.keyUp ? KEYEVENTF_KEYUP : 0, 0);
    Sleep(step.waitMs);
  }
}
