// The tick's order of work, the aircraft change that reloads the
// configuration, and what the move step makes of the session, the settings
// and the frame (the motion and button arithmetic have their own tables).
#include "module/tick_core.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string gTrace;

TEST(TickCore, StepsRunInTheirFixedOrder) {
  gTrace.clear();
  const TickWork work = {[] { gTrace += "pump "; }, [] { gTrace += "reload "; }, [] { gTrace += "key "; },
                         [] { gTrace += "read "; }, [] { gTrace += "move"; }};
  RunTickWork(work);
  EXPECT_EQ("pump reload key read move", gTrace) << "the armed key press goes out before the device read";
}

TEST(TickCore, OnlyAnotherAircraftReloads) {
  char current[256] = {}, reported[256] = {};
  EXPECT_FALSE(TakeAircraftChange(reported, current)) << "none reported yet: the start-up load stands";
  std::strcpy(reported, "Cessna");
  EXPECT_TRUE(TakeAircraftChange(reported, current)) << "the first aircraft reported";
  EXPECT_STREQ("Cessna", current);
  EXPECT_FALSE(TakeAircraftChange(reported, current)) << "the same aircraft again";
  std::strcpy(reported, "Cessna 172");
  EXPECT_TRUE(TakeAircraftChange(reported, current)) << "another aircraft";
}

TEST(TickCore, MoveFollowsTheSessionTheSettingsAndTheFrame) {
  const struct {
    const char* guards;
    bool ready;
    double slewActive;
    int32_t useonslew, quorixmode, button;
    float tX;
    std::vector<float> sent;  // x of the motion step's camera call (10000 units: 1), pitch of the button step's
    uint32_t firstSlewEvent;  // 0: none
    bool keyArmed;
  } rows[] = {
      {"before the simulator's first message nothing is sent", false, 0, 1, 0, 0, 10000, {}, 0, false},
      {"slew mode with useonslew drives the slew controls", true, 1, 1, 0, 0, 500, {}, kSlewRightEvent, false},
      {"slew mode without useonslew moves the eye point", true, 1, 0, 0, 0, 10000, {1}, 0, false},
      {"quorixmode keeps a moving device from the eye point", true, 0, 1, 1, 0, 500, {}, 0, false},
      {"the frame's button resets to the default eye point", true, 0, 1, 0, 4, 0, {12.5f}, 0, false},
      {"the frame's button arms its key press", true, 0, 1, 0, 3, 0, {}, 0, true},
      {"no key press armed before the simulator's first message", false, 0, 1, 0, 3, 0, {}, 0, false},
  };
  ButtonAssignment buttons[kButtonCount] = {};
  buttons[3] = ButtonAssignment{1, 1, 0, 0, 0, 0, 1, 0, 65};
  buttons[4] = ButtonAssignment{1, 0, 0, 0, 1, 0, 0, 0, 0};
  DefaultEyePoint defaults{};
  defaults.axis[kEyePitch].value = 12.5f;
  for (const auto& row : rows) {
    MotionState motion{};
    PendingKeyPress pending{};
    SessionState session{};
    session.ready = row.ready;
    session.aircraft.slewActive = row.slewActive;
    const ModuleSettings settings{row.quorixmode, row.useonslew, {}};
    const DeviceFrame frame{row.tX, 0, 0, 0, 0, 0, row.button, false};
    const MovePlan plan = PlanMove({&motion, &pending, &session, &settings, &buttons, &defaults}, frame, 1000);

    std::vector<float> sent;
    if (plan.motion.sendCamera) sent.push_back(plan.motion.camera.x);
    for (int i = 0; i < plan.buttons.cameraCallCount; ++i) sent.push_back(plan.buttons.cameraCalls[i].pitch);
    EXPECT_EQ(row.sent, sent) << row.guards;
    EXPECT_EQ(row.firstSlewEvent, plan.motion.slewEventCount > 0 ? plan.motion.slewEvents[0] : 0u) << row.guards;
    EXPECT_EQ(row.keyArmed, pending.pending) << row.guards;
  }
}

}  // namespace
