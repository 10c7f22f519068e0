// The motion pipeline inside the real module: the camera calls and slew
// events that a held device reading produces.
#include "tests/wine/camera/camera_case.h"

namespace {

class Motion : public CameraCase {};

// The step itself, its limits and the wrap are the native motion table's;
// these cases check what the module feeds it and sends from it.
TEST_F(Motion, FreeLookWaitsForTheSessionButKeepsIntegrating) {
  SetUpHost();
  DOUBLE(Double_SetOpenResult)(S_OK, 0);  // the simulator stays silent
  SimHostStart(&host);
  Feed({10000, 0, 0, 0, 0, 0});
  ASSERT_TRUE(SimHostPumpUntil(5000, [] { return CountCalls("CallDispatch") >= 4; }));
  EXPECT_TRUE(CameraCalls().empty());
  DOUBLE(Double_QueueHeaderOnly)(3);  // any message makes the session ready
  ASSERT_TRUE(PumpUntilCameraCalls(1));
  // The first tick only finds the server window; the three other silent
  // ticks added 1.0 each, and the tick that got the message one more.
  EXPECT_EQ(CameraCalls()[0].substr(0, sizeof("CameraSetRelative6DOF(H, 4,") - 1), "CameraSetRelative6DOF(H, 4,");
}

TEST_F(Motion, SlewModeSendsThrottledBatchesThenOneFreeze) {
  Start();
  DOUBLE(Double_AnswerAircraft)("Slew test", 1.0);
  Feed({500, 0, 0, 0, 0, -300});
  ASSERT_TRUE(SimHostPumpUntil(3000, [] { return SlewEvents().size() >= 6; }));
  Feed({0, 0, 0, 0, 0, 0});
  ASSERT_TRUE(PumpTicks(4));
  // The first tick knows the slew state before it reads the device: at rest
  // in slew mode after load, one freeze. Then batches of SLEW_RIGHT and
  // SLEW_HEADING_MINUS more than 100 ms apart, and at rest one freeze.
  const std::string freeze = "TransmitClientEvent(H, 0, 6, 0, 1, 16)";
  const std::string right = "TransmitClientEvent(H, 0, 16, 0, 1, 16)";
  const std::string headingMinus = "TransmitClientEvent(H, 0, 18, 0, 1, 16)";
  const std::vector<std::string> events = SlewEvents();
  std::vector<std::string> expected = {freeze};
  while (expected.size() + 1 < events.size()) expected.insert(expected.end(), {right, headingMinus});
  expected.push_back(freeze);
  EXPECT_EQ(expected, events);
  const std::vector<std::string> calls = DoubleCalls();
  const std::vector<double> times = DoubleCallTimesMs();
  double lastBatchMs = -1000;
  for (size_t i = 0; i < calls.size(); ++i) {
    if (calls[i] != right) continue;
    EXPECT_GT(times[i] - lastBatchMs, 95.0) << "batches more than 100 ms apart";
    lastBatchMs = times[i];
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

}  // namespace
