// Button actions: resets of the eye point to the aircraft's default and the
// simulated key press, decided here and carried out by the Win32 tick.
#pragma once
#include <cstdint>

#include "module/motion.h"
#include "setup/configuration_records.h"

constexpr uint8_t kShiftKey = 16;
constexpr uint8_t kCtrlKey = 17;
constexpr uint8_t kAltKey = 18;
constexpr uint32_t kKeyDownWaitMs = 250;
constexpr uint32_t kKeyUpWaitMs = 10;
constexpr int kMaxResetCalls = 3;
constexpr int kMaxKeySteps = 8;  // three modifiers down and up, the key

// One armed key press. Armed by a button step, performed by the next tick.
struct PendingKeyPress {
  bool pending;
  int32_t withshift;
  int32_t withctrl;
  int32_t withalt;
  int32_t keycode;
};

// Camera calls to make, in order: reset all, reset rotation, reset
// translation, as far as the button's record asks for them.
struct ButtonDecision {
  int cameraCallCount;
  CameraCall cameraCalls[kMaxResetCalls];
  bool armedKeyPress;
};

// The button step for `button`, the number the current frame reports. Writes
// the eye point and the pitch input of `motion` and may arm `pending`.
// Numbers outside 0..kButtonCount-1 do nothing.
ButtonDecision StepButton(int32_t button, const ButtonAssignment (&table)[kButtonCount],
                          const DefaultEyePoint& defaults, bool sessionReady, MotionState* motion,
                          PendingKeyPress* pending);

void ArmKeyPress(PendingKeyPress* pending, int32_t withshift, int32_t withctrl, int32_t withalt,
                 int32_t keycode);

// One keybd_event call (scan code 0, extra information 0) and the Sleep that
// follows it.
struct KeyStep {
  uint8_t virtualKey;
  bool keyUp;  // KEYEVENTF_KEYUP, else a key-down event
  uint32_t waitMs;
};

struct KeySequence {
  int count;
  KeyStep steps[kMaxKeySteps];
};

// Takes the pending key press, if any, and returns its events: modifiers
// down in the order Shift, Ctrl, Alt, the key down and up, then the modifiers
// up in the same order. Empty when nothing is pending.
KeySequence TakePendingKeyPress(PendingKeyPress* pending);
