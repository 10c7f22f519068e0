// Button step and key press: which resets act and what each camera call
// carries, when a key press is armed, and the key events it turns into.
#include "module/button_actions.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

// Pitch, bank, yaw, backforth, leftright, updown. Pitch and yaw lie beyond
// the free-look limits: a reset sends them as they are.
const DefaultEyePoint kDefaults = {
    {{"", "", 120}, {"", "", -3}, {"", "", -300}, {"", "", 0.25f}, {"", "", -0.5f}, {"", "", 0.125f}}};
// The eye point before each step: different from the defaults in every field.
const MotionState kMoved = {{1, 2, 3, 4, 6, 7}, 8, true, 0};

using Call = std::vector<float>;  // x, y, z, pitch, bank, heading
const Call kUnmoved = {1, 2, 3, 4, 6, 7};
const Call kAllDefaults = {-0.5f, 0.125f, 0.25f, 120, -3, -300};
const Call kDefaultRotation = {1, 2, 3, 120, -3, -300};
const Call kDefaultTranslation = {-0.5f, 0.125f, 0.25f, 4, 6, 7};

Call Fields(const CameraCall& c) { return {c.x, c.y, c.z, c.pitch, c.bank, c.heading}; }

std::vector<Call> Calls(const ButtonDecision& d) {
  std::vector<Call> calls;
  for (int i = 0; i < d.cameraCallCount; ++i) calls.push_back(Fields(d.cameraCalls[i]));
  return calls;
}

ButtonAssignment Record(int32_t resetall, int32_t resetrotation, int32_t resettranslation, int32_t assigned = 1) {
  return ButtonAssignment{assigned, 0, resetrotation, resettranslation, resetall, 0, 0, 0, 65};
}

// Steps `button` with `record` at button 12 and a reset-all record at every
// other button, so a step that reads the wrong record shows.
ButtonDecision Step(int32_t button, const ButtonAssignment& record, bool sessionReady, MotionState* m,
                    PendingKeyPress* pending) {
  ButtonAssignment table[kButtonCount];
  for (ButtonAssignment& r : table) r = Record(1, 0, 0);
  table[12] = record;
  return StepButton(button, table, kDefaults, sessionReady, m, pending);
}

std::string Show(const KeySequence& s) {
  std::string text;
  for (const KeyStep* k = s.steps; k != s.steps + s.count; ++k) {
    text += std::to_string(k->virtualKey) + (k->keyUp ? " up " : " down ") + std::to_string(k->waitMs) + "; ";
  }
  return text;
}

TEST(ButtonActions, ResetsMakeTheirCameraCallsInOrder) {
  struct Case {
    const char* what;
    int32_t button;
    ButtonAssignment record;
    std::vector<Call> calls;
    float pitchInputAfter;
  } const cases[] = {
      {"reset all", 12, Record(1, 0, 0), {kAllDefaults}, 120},
      {"reset rotation", 12, Record(0, 1, 0), {kDefaultRotation}, 120},
      {"reset translation", 12, Record(0, 0, 1), {kDefaultTranslation}, 8},
      {"all three", 12, Record(1, 1, 1), {kAllDefaults, kAllDefaults, kAllDefaults}, 120},
      {"rotation then translation", 12, Record(0, 1, 1), {kDefaultRotation, kAllDefaults}, 120},
      {"flags act only at exactly 1", 12, Record(2, -1, 0), {}, 8},
      {"a record not in use", 12, Record(1, 0, 0, 0), {}, 8},
      {"any non-zero value marks a record in use", 12, Record(1, 0, 0, -7), {kAllDefaults}, 120},
      {"button 0", 0, Record(0, 0, 0), {kAllDefaults}, 120},
      {"button 100", 100, Record(0, 0, 0), {kAllDefaults}, 120},
      {"button -1", -1, Record(1, 0, 0), {}, 8},
      {"button 101", 101, Record(1, 0, 0), {}, 8},
      {"button INT32_MAX", INT32_MAX, Record(1, 0, 0), {}, 8},
      {"button INT32_MIN", INT32_MIN, Record(1, 0, 0), {}, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState m = kMoved;
    PendingKeyPress pending{};
    const ButtonDecision d = Step(c.button, c.record, true, &m, &pending);
    EXPECT_EQ(Calls(d), c.calls);
    EXPECT_EQ(Fields(CameraCallFor(m.eye)), c.calls.empty() ? kUnmoved : c.calls.back()) << "as the last call left it";
    EXPECT_EQ(m.pitchInput, c.pitchInputAfter);
  }
}

// A key button arms its press only at keypress exactly 1 with the session
// ready; the press turns into its events once.
TEST(ButtonActions, KeyPressArmingAndItsEvents) {
  struct Case {
    const char* what;
    int32_t keypress;
    bool sessionReady;
    int32_t shift, ctrl, alt, keycode;
    const char* events;
  } const cases[] = {
      {"key code cut to its low byte", 1, true, 0, 0, 0, 321, "65 down 250; 65 up 10; "},
      {"modifiers released in the order pressed", 1, true, 1, 1, 1, 112,
       "16 down 250; 17 down 250; 18 down 250; 112 down 250; 112 up 10; 16 up 10; 17 up 10; 18 up 10; "},
      {"any non-zero modifier", 1, true, -5, 0, 9, 65,
       "16 down 250; 18 down 250; 65 down 250; 65 up 10; 16 up 10; 18 up 10; "},
      {"key code -1", 1, true, 0, 0, 0, -1, "255 down 250; 255 up 10; "},
      {"before the session is ready", 1, false, 1, 0, 1, 65, ""},
      {"keypress 2", 2, true, 1, 0, 1, 65, ""},
      {"keypress 0", 0, true, 1, 0, 1, 65, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState m = kMoved;
    PendingKeyPress pending{};
    const ButtonAssignment record{1, c.keypress, 0, 1, 0, c.shift, c.ctrl, c.alt, c.keycode};
    const ButtonDecision d = Step(12, record, c.sessionReady, &m, &pending);
    EXPECT_EQ(d.armedKeyPress, *c.events != '\0');
    EXPECT_EQ(Show(TakePendingKeyPress(&pending)), c.events);
    EXPECT_EQ(TakePendingKeyPress(&pending).count, 0) << "performed once only";
    EXPECT_EQ(Calls(d), std::vector<Call>{kDefaultTranslation}) << "the reset acts whether or not the session is ready";
  }
  PendingKeyPress pending{};
  ArmKeyPress(&pending, 1, 1, 1, 10);
  ArmKeyPress(&pending, 0, 0, 0, 65);
  EXPECT_EQ(Show(TakePendingKeyPress(&pending)), "65 down 250; 65 up 10; ") << "arming again overwrites";
}

}  // namespace
