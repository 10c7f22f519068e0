// The button step and the key press it arms. There is no edge detection: a
// held button repeats its resets and re-arms its key press on every tick
// that reaches the step, which is how a held key button auto-repeats.

#include "module/button_actions.h"

// The configuration stores flags as text; only an exact 1 means "on", so a
// value that a hand-edited file turned into 2 or -1 does nothing.
static bool IsOn(int32_t flag) { return flag == 1; }

static void ResetRotation(MotionState* m, const DefaultEyePoint& d) {
  m->eye.yaw = d.axis[kEyeYaw].value;
  m->eye.pitch = d.axis[kEyePitch].value;
  m->eye.bank = d.axis[kEyeBank].value;
  m->pitchInput = d.axis[kEyePitch].value;
}

static void ResetTranslation(MotionState* m, const DefaultEyePoint& d) {
  m->eye.leftright = d.axis[kEyeLeftRight].value;
  m->eye.updown = d.axis[kEyeUpDown].value;
  m->eye.backforth = d.axis[kEyeBackForth].value;
}

// Each reset's call carries the eye point as that reset left it, so a later
// reset in the same step sends the earlier one's values as well.
static void AddCameraCall(ButtonDecision* d, const MotionState& m) {
  d->cameraCalls[d->cameraCallCount++] = CameraCallFor(m.eye);
}

ButtonDecision StepButton(int32_t button, const ButtonAssignment (&table)[kButtonCount],
                          const DefaultEyePoint& defaults, bool sessionReady, MotionState* motion,
                          PendingKeyPress* pending) {
  ButtonDecision d{};
  if (button < 0 || button >= kButtonCount) return d;
  const ButtonAssignment& record = table[button];
  if (record.assigned == 0) return d;

  if (IsOn(record.resetall)) {
    ResetRotation(motion, defaults);
    ResetTranslation(motion, defaults);
    AddCameraCall(&d, *motion);
  }
  if (IsOn(record.resetrotation)) {
    ResetRotation(motion, defaults);
    AddCameraCall(&d, *motion);
  }
  if (IsOn(record.resettranslation)) {
    ResetTranslation(motion, defaults);
    AddCameraCall(&d, *motion);
  }
  // Keys typed before the simulator has answered would reach whatever
  // window has the focus while it loads.
  if (IsOn(record.keypress) && sessionReady) {
    ArmKeyPress(pending, record.withshift, record.withctrl, record.withalt, record.keycode);
    d.armedKeyPress = true;
  }
  return d;
}

void ArmKeyPress(PendingKeyPress* pending, int32_t withshift, int32_t withctrl, int32_t withalt,
                 int32_t keycode) {
  pending->withshift = withshift;
  pending->withctrl = withctrl;
  pending->withalt = withalt;
  pending->keycode = keycode;
  pending->pending = true;
}

static void AddStep(KeySequence* s, uint8_t key, bool up) {
  s->steps[s->count++] = KeyStep{key, up, up ? kKeyUpWaitMs : kKeyDownWaitMs};
}

KeySequence TakePendingKeyPress(PendingKeyPress* pending) {
  KeySequence s{};
  if (!pending->pending) return s;
  pending->pending = false;

  // keybd_event takes a byte; a stored code such as 321 sends its low byte.
  const uint8_t key = static_cast<uint8_t>(static_cast<uint32_t>(pending->keycode) & 0xFFu);
  const bool shift = pending->withshift != 0;
  const bool ctrl = pending->withctrl != 0;
  const bool alt = pending->withalt != 0;

  if (shift) AddStep(&s, kShiftKey, false);
  if (ctrl) AddStep(&s, kCtrlKey, false);
  if (alt) AddStep(&s, kAltKey, false);
  AddStep(&s, key, false);
  AddStep(&s, key, true);
  // Modifiers go up in the order they went down, not reversed: existing
  // button setups were made against this exact sequence.
  if (shift) AddStep(&s, kShiftKey, true);
  if (ctrl) AddStep(&s, kCtrlKey, true);
  if (alt) AddStep(&s, kAltKey, true);
  return s;
}
