// The motion pipeline inside the real module: the camera calls and slew
// events that a held device reading produces.
#include <string>

#include "tests/wine/camera/camera_case.h"

namespace {

class Motion : public CameraCase {};

// One reading per tick, each camera call checked against the reading it
// came from: the module keeps the eye point between ticks and passes its
// fields in the camera call's order. Worked out by hand in 32-bit floats:
// 0.0001 per device unit and tick; pitch = yaw / 90 * bank + pitch input.
// The limits and the wrap are the native motion table's.
TEST_F(Motion, EachTickMovesTheEyePointByTheReadingItRead) {
  const int32_t kOut[6] = {10000, -2500, 400, 100000, 200000, 600000};
  const int32_t kRest[6] = {0, 0, 0, 0, 0, 0};
  const struct {
    const int32_t (*axes)[6];
    const char* camera;  // x, y, z, pitch, bank, heading; null: no call
    const char* guards;
  } ticks[] = {
      {&kOut, "1, 0.0399999991, -0.25, 23.333334, 20, 60", "step per unit, coupling, field order"},
      {&kOut, "2, 0.0799999982, -0.5, 73.3333359, 40, 120", "accumulation"},
      {&kRest, nullptr, "a reading at rest sends nothing"},
  };
  Start();
  for (const auto& tick : ticks) {
    SCOPED_TRACE(tick.guards);
    Feed(*tick.axes);
    const size_t before = CameraCalls().size();
    if (tick.camera == nullptr) {
      ASSERT_TRUE(PumpTicks(3));
      EXPECT_EQ(CameraCalls().size(), before);
      continue;
    }
    ASSERT_TRUE(PumpUntilCameraCalls(before + 1));
    EXPECT_EQ(CameraCalls().back(), std::string("CameraSetRelative6DOF(H, ") + tick.camera + ")");
  }
  EXPECT_TRUE(SlewEvents().empty());
}

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
