// The motion pipeline inside the real module: the camera calls and slew
// events that a held device reading produces.
#include <algorithm>

#include "module/motion.h"
#include "tests/wine/camera/camera_case.h"

namespace {

class Motion : public CameraCase {};

TEST_F(Motion, FreeLookMatchesTheNativeComputationExactly) {
  // Large enough for the yaw to wrap, the bank to clamp and the coupling to
  // matter within a few ticks.
  const int32_t axes[6] = {10000, -2500, 400, 100000, 200000, 600000};
  Start();
  Feed(axes);
  ASSERT_TRUE(PumpUntilCameraCalls(12));

  MotionState state = InitialMotionState();
  MotionInput input = {};
  input.frame = {float(axes[0]), float(axes[1]), float(axes[2]),
                 float(axes[3]), float(axes[4]), float(axes[5]), 0};
  input.useonslew = 1;
  input.sessionReady = true;
  const std::vector<std::string> calls = CameraCalls();
  for (size_t i = 0; i < 12; ++i) {
    const MotionDecision decision = StepMotion(&state, input);
    ASSERT_TRUE(decision.sendCamera);
    const CameraCall& c = decision.camera;
    EXPECT_EQ(Camera(c.x, c.y, c.z, c.pitch, c.bank, c.heading), calls[i]) << "tick " << i;
  }
}

TEST_F(Motion, DeviceAtRestSendsNothing) {
  Start();
  Feed({0, 0, 0, 0, 0, 0});
  SimHostPump(400);
  EXPECT_TRUE(CameraCalls().empty());
  EXPECT_TRUE(SlewEvents().empty());
}

TEST_F(Motion, FreeLookWaitsForTheSessionButKeepsIntegrating) {
  SetUpHost();
  DOUBLE(Double_SetOpenResult)(S_OK, 0);  // the simulator stays silent
  SimHostStart(&host);
  Feed({10000, 0, 0, 0, 0, 0});
  SimHostPump(300);
  EXPECT_TRUE(CameraCalls().empty());
  DOUBLE(Double_QueueHeaderOnly)(3);  // any message makes the session ready
  ASSERT_TRUE(PumpUntilCameraCalls(1));
  // Every tick so far added 1.0; the first call carries all of them.
  EXPECT_GE(std::stod(CameraCalls()[0].substr(sizeof("CameraSetRelative6DOF(H, ") - 1)), 3.0);
}

TEST_F(Motion, SlewModeSendsThrottledBatchesThenOneFreeze) {
  Start();
  DOUBLE(Double_AnswerAircraft)("Slew test", 1.0);
  Feed({500, 0, 0, 0, 0, -300});
  ASSERT_TRUE(SimHostPumpUntil(3000, [] { return SlewEvents().size() >= 6; }));
  Feed({0, 0, 0, 0, 0, 0});
  SimHostPump(400);

  const std::vector<std::string> calls = DoubleCalls();
  const std::vector<double> times = DoubleCallTimesMs();
  std::vector<double> batchTimes;
  std::vector<std::string> events;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i].rfind("TransmitClientEvent", 0) != 0) continue;
    events.push_back(calls[i]);
    if (calls[i] == "TransmitClientEvent(H, 0, 16, 0, 1, 16)") batchTimes.push_back(times[i]);
  }
  // The first tick already knows the slew state but has not read the device
  // yet: at rest in slew mode after load, it sends the one initial freeze.
  const std::string freeze = "TransmitClientEvent(H, 0, 6, 0, 1, 16)";
  if (!events.empty() && events.front() == freeze) events.erase(events.begin());
  ASSERT_GE(events.size(), 5u);
  // Each batch: SLEW_RIGHT then SLEW_HEADING_MINUS; at the end one SLEW_FREEZE.
  for (size_t i = 0; i + 1 < events.size(); i += 2) {
    EXPECT_EQ("TransmitClientEvent(H, 0, 16, 0, 1, 16)", events[i]);
    EXPECT_EQ("TransmitClientEvent(H, 0, 18, 0, 1, 16)", events[i + 1]);
  }
  EXPECT_EQ(1u, events.size() % 2);
  EXPECT_EQ(freeze, events.back());
  for (size_t i = 1; i < batchTimes.size(); ++i) {
    EXPECT_GT(batchTimes[i] - batchTimes[i - 1], 95.0) << "batches more than 100 ms apart";
  }
  EXPECT_TRUE(CameraCalls().empty()) << "slew leaves the eye point alone";
}

TEST_F(Motion, SlewModeWithoutUseOnSlewMovesTheEyePoint) {
  WriteSettings("[SETTINGS]\r\nuseonslew=0\r\n");
  Start();
  DOUBLE(Double_AnswerAircraft)("Slew test", 1.0);
  Feed({500, 0, 0, 0, 0, 0});
  ASSERT_TRUE(PumpUntilCameraCalls(3));
  EXPECT_TRUE(SlewEvents().empty());
}

TEST_F(Motion, QuorixModeNeverMovesTheEyePoint) {
  WriteSettings("[SETTINGS]\r\nquorixmode=1\r\n");
  Start();
  Feed({10000, 0, 0, 0, 0, 0});
  SimHostPump(400);
  EXPECT_TRUE(CameraCalls().empty());
}

}  // namespace
