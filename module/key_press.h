// Simulated key presses for the device buttons.
#pragma once
#include "module/button_actions.h"

extern PendingKeyPress gPendingKeyPress;  // armed by one tick, performed by the next

// Sends the armed key press, if any, to the window that has the focus. Blocks
// the simulator's thread for the waits between the events (260 ms to 1040 ms).
void PerformPendingKeyPress();
