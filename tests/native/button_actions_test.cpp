// Button step and key press: which resets act and what each camera call
// carries, when a key press is armed, and the key events it turns into.
#include "module/button_actions.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// Pitch and yaw beyond the free-look limits: a reset sends them as they are.
DefaultEyePoint Defaults() {
  const float pitchBankYawBackforthLeftrightUpdown[kEyeAxisCount] = {120, -3, -300, 0.25f, -0.5f, 0.125f};
  DefaultEyePoint d{};
  for (int a = 0; a < kEyeAxisCount; ++a) d.axis[a].value = pitchBankYawBackforthLeftrightUpdown[a];
  return d;
}

// The eye point before each step: different from the defaults in every field.
MotionState Moved() {
  MotionState m = InitialMotionState();
  m.eye = EyePoint{1, 2, 3, 4, 6, 7};
  m.pitchInput = 8;
  return m;
}

ButtonAssignment Record(int32_t resetall, int32_t resetrotation, int32_t resettranslation) {
  return ButtonAssignment{1, 0, resetrotation, resettranslation, resetall, 0, 0, 0, 65};
}

std::string Show(const CameraCall& c) {
  char text[160];
  std::snprintf(text, sizeof text, "(%.9g, %.9g, %.9g, %.9g, %.9g, %.9g)", c.x, c.y, c.z, c.pitch, c.bank, c.heading);
  return text;
}

std::vector<std::string> Calls(const ButtonDecision& d) {
  std::vector<std::string> calls;
  for (int i = 0; i < d.cameraCallCount; ++i) calls.push_back(Show(d.cameraCalls[i]));
  return calls;
}

std::string Show(const KeySequence& s) {
  std::string text;
  for (int i = 0; i < s.count; ++i) {
    const KeyStep& k = s.steps[i];
    text += std::to_string(k.virtualKey) + (k.keyUp ? " up " : " down ") + std::to_string(k.waitMs) + "; ";
  }
  return text;
}

const std::string kAllDefaults = "(-0.5, 0.125, 0.25, 120, -3, -300)";
const std::string kDefaultRotation = "(1, 2, 3, 120, -3, -300)";
const std::string kDefaultTranslation = "(-0.5, 0.125, 0.25, 4, 6, 7)";

TEST(ButtonActions, ResetsMakeTheirCameraCallsInOrder) {
  struct Case {
    const char* what;
    ButtonAssignment record;
    std::vector<std::string> calls;
    std::string eyeAfter;  // as a camera call would carry it
    float pitchInputAfter;
  } const cases[] = {
      {"reset all", Record(1, 0, 0), {kAllDefaults}, kAllDefaults, 120},
      {"reset rotation", Record(0, 1, 0), {kDefaultRotation}, kDefaultRotation, 120},
      {"reset translation", Record(0, 0, 1), {kDefaultTranslation}, kDefaultTranslation, 8},
      {"all three", Record(1, 1, 1), {kAllDefaults, kAllDefaults, kAllDefaults}, kAllDefaults, 120},
      {"rotation then translation", Record(0, 1, 1), {kDefaultRotation, kAllDefaults}, kAllDefaults, 120},
      {"flags act only at exactly 1", Record(2, -1, 0), {}, "(1, 2, 3, 4, 6, 7)", 8},
      {"and 1 among others still acts", Record(2, 1, 3), {kDefaultRotation}, kDefaultRotation, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ButtonAssignment table[kButtonCount]{};
    table[12] = c.record;
    MotionState m = Moved();
    PendingKeyPress pending{};
    const ButtonDecision d = StepButton(12, table, Defaults(), true, &m, &pending);
    EXPECT_EQ(Calls(d), c.calls);
    EXPECT_EQ(Show(CameraCallFor(m.eye)), c.eyeAfter);
    EXPECT_EQ(m.pitchInput, c.pitchInputAfter);
    EXPECT_FALSE(pending.pending);
  }
}

TEST(ButtonActions, OnlyAssignedRecordsInTheTableAct) {
  ButtonAssignment table[kButtonCount]{};
  for (ButtonAssignment& r : table) r = Record(1, 0, 0);
  table[50].assigned = 0;
  table[51].assigned = -7;  // any non-zero value marks the record in use
  struct Case {
    int32_t button;
    int calls;
  } const cases[] = {{0, 1},  {100, 1}, {50, 0}, {51, 1}, {-1, 0},
                     {101, 0}, {1000, 0}, {INT32_MAX, 0}, {INT32_MIN, 0}};
  for (const Case& c : cases) {
    MotionState m = Moved();
    PendingKeyPress pending{};
    const ButtonDecision d = StepButton(c.button, table, Defaults(), true, &m, &pending);
    EXPECT_EQ(d.cameraCallCount, c.calls) << "button " << c.button;
    EXPECT_EQ(m.eye.yaw, c.calls ? -300.0f : 7.0f) << "button " << c.button;
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
      {"Ctrl", 1, true, 0, 1, 0, 65, "17 down 250; 65 down 250; 65 up 10; 17 up 10; "},
      {"key code cut to its low byte", 1, true, 0, 0, 0, 321, "65 down 250; 65 up 10; "},
      {"modifiers released in the order pressed", 1, true, 1, 1, 1, 112,
       "16 down 250; 17 down 250; 18 down 250; 112 down 250; 112 up 10; 16 up 10; 17 up 10; 18 up 10; "},
      {"any non-zero modifier", 1, true, -5, 0, 9, 65,
       "16 down 250; 18 down 250; 65 down 250; 65 up 10; 16 up 10; 18 up 10; "},
      {"key code -1", 1, true, 0, 0, 0, -1, "255 down 250; 255 up 10; "},
      {"key code INT32_MIN + 66", 1, true, 0, 0, 0, INT32_MIN + 66, "66 down 250; 66 up 10; "},
      {"before the session is ready", 1, false, 1, 0, 1, 65, ""},
      {"keypress 2", 2, true, 1, 0, 1, 65, ""},
      {"keypress -1", -1, true, 1, 0, 1, 65, ""},
      {"keypress 0", 0, true, 1, 0, 1, 65, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ButtonAssignment table[kButtonCount]{};
    table[7] = ButtonAssignment{1, c.keypress, 0, 1, 0, c.shift, c.ctrl, c.alt, c.keycode};
    MotionState m = Moved();
    PendingKeyPress pending{};
    const ButtonDecision d = StepButton(7, table, Defaults(), c.sessionReady, &m, &pending);
    EXPECT_EQ(d.armedKeyPress, *c.events != '\0');
    EXPECT_EQ(Show(TakePendingKeyPress(&pending)), c.events);
    EXPECT_EQ(TakePendingKeyPress(&pending).count, 0) << "performed once only";
    // The reset acts whether or not the session is ready.
    EXPECT_EQ(Calls(d), std::vector<std::string>{kDefaultTranslation});
  }
  PendingKeyPress pending{};
  ArmKeyPress(&pending, 1, 1, 1, 10);
  ArmKeyPress(&pending, 0, 0, 0, 65);
  EXPECT_EQ(Show(TakePendingKeyPress(&pending)), "65 down 250; 65 up 10; ") << "arming again overwrites";
}

}  // namespace
