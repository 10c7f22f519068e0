// The motion step: free-look arithmetic to the bit, the limits, the slew
// batch with its throttle, the freeze, and which paths end the tick early.
#include "module/motion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

DeviceFrame Frame(float tX, float tY, float tZ, float rX, float rY, float rZ) {
  return DeviceFrame{tX, tY, tZ, rX, rY, rZ, 0, false};
}

const DeviceFrame kRest = Frame(0, 0, 0, 0, 0, 0);

std::vector<float> Fields(const EyePoint& e) { return {e.leftright, e.updown, e.backforth, e.pitch, e.bank, e.yaw}; }
std::vector<float> Fields(const CameraCall& c) { return {c.x, c.y, c.z, c.pitch, c.bank, c.heading}; }

// One free-look tick from a given state; values chosen so that every
// expected result is exact in float.
TEST(Motion, FreeLookIntegratesCouplesAndLimits) {
  struct Case {
    const char* what;
    EyePoint before;
    float pitchInputBefore;
    DeviceFrame frame;
    EyePoint after;
    float pitchInputAfter;
  } const cases[] = {
      {"each axis into its own field", {}, 0, Frame(10000, 20000, -10000, 20000, 0, -20000), {1, -1, 2, 2, 0, -2}, 2},
      {"yaw 90: bank 10 adds pitch 10", {0, 0, 0, 0, 9, 90}, 0, Frame(0, 0, 0, 0, 10000, 0), {0, 0, 0, 10, 10, 90}, 0},
      {"coupling uses this tick's yaw and bank", {0, 0, 0, 0, 0, 80}, 0, Frame(0, 0, 0, 0, 100000, 100000),
       {0, 0, 0, 10, 10, 90}, 0},
      {"yaw 180.5 wraps to -179.5", {0, 0, 0, 0, 0, 180}, 0, Frame(0, 0, 0, 0, 0, 5000), {0, 0, 0, 0, 0, -179.5f}, 0},
      {"yaw -180.5 wraps to 179.5", {0, 0, 0, 0, 0, -180}, 0, Frame(0, 0, 0, 0, 0, -5000), {0, 0, 0, 0, 0, 179.5f}, 0},
      {"yaw exactly 180 stays", {0, 0, 0, 0, 0, 179.5f}, 0, Frame(0, 0, 0, 0, 0, 5000), {0, 0, 0, 0, 0, 180}, 0},
      {"yaw exactly -180 stays", {0, 0, 0, 0, 0, -179.5f}, 0, Frame(0, 0, 0, 0, 0, -5000), {0, 0, 0, 0, 0, -180}, 0},
      {"pitch 90.00005 sent as 90, input kept", {}, 90, Frame(0, 0, 0, 0.5f, 0, 0), {0, 0, 0, 90, 0, 0}, 90.00005f},
      {"pitch below -90 holds at -90", {}, -90, Frame(0, 0, 0, -10000, 0, 0), {0, 0, 0, -90, 0, 0}, -91},
      {"bank above 90 is clamped", {0, 0, 0, 0, 90, 0}, 0, Frame(0, 0, 0, 0, 10000, 0), {0, 0, 0, 0, 90, 0}, 0},
      {"pitch from its input, not as was", {0, 0, 0, 45, 0, 0}, 3, Frame(0, 0, 0, 10000, 0, 0), {0, 0, 0, 4, 0, 0}, 4},
      // Each product and sum rounded to float in turn; a reordered coupling, a
      // division by 10000 or a sum kept in double gives other bits.
      {"every step rounded to float", {0.540000021f, 7.3499999f, 4.17000008f, 38.1800003f, 10.96f, -27.6499996f},
       1.46000004f, Frame(6546, -18238, -15591, 19096, 7817, -12759),
       {1.19459999f, 5.79090023f, 2.34619999f, -0.404169559f, 11.7417002f, -28.9258995f}, 3.36959982f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState s{c.before, c.pitchInputBefore, true, 0};
    const MotionDecision d = StepMotion(&s, MotionInput{c.frame, 0, 1, 0, true, 5000});
    EXPECT_EQ(Fields(s.eye), Fields(c.after));
    EXPECT_EQ(s.pitchInput, c.pitchInputAfter);
    ASSERT_TRUE(d.sendCamera);
    EXPECT_EQ(Fields(d.camera), Fields(c.after));
  }
}

// One run of ticks. The throttle compares each tick's reading with the fresh
// reading taken after the previous batch went out, or without one with the
// batch's own; the freeze goes out once at rest after slew motion.
TEST(Motion, SlewBatchesMoreThan100MsApartAndTheFreeze) {
  const DeviceFrame moving = Frame(0, 0, 7, 0, 0, 0);
  struct Tick {
    const char* what;
    DeviceFrame frame;
    double slewActive;
    int32_t useonslew;
    uint32_t nowMs;
    uint32_t freshMs;  // stamped after sending a batch; 0: no fresh reading
    bool batch, freeze;
  } const ticks[] = {
      {"at rest out of slew: the freeze stays pending", kRest, 0, 1, 10, 0, false, false},
      {"at rest in slew without useonslew: pending", kRest, 1, 0, 20, 0, false, false},
      {"first rest in slew after load", kRest, 1, 1, 30, 0, false, true},
      {"then nothing", kRest, 1, 1, 40, 0, false, false},
      {"the last batch time starts at 0", moving, 1, 1, 100, 0, false, false},
      {"101 ms after it", moving, 1, 1, 101, 104, true, false},
      {"released", kRest, 1, 1, 150, 0, false, true},
      {"exactly 100 ms after the stamp", moving, 1, 1, 204, 0, false, false},
      {"101 ms after the stamp", moving, 1, 1, 205, 205, true, false},
      {"before the wrap of the count", moving, 1, 1, 0xFFFFFFC0u, 0xFFFFFFC2u, true, false},
      {"94 ms later, across the wrap", moving, 1, 1, 0x00000020u, 0, false, false},
      {"101 ms later", moving, 1, 1, 0x00000027u, 0x00000027u, true, false},
      {"any non-zero slew value counts", moving, -0.5, 1, 1000, 0, true, false},
      {"no fresh reading: 100 ms after the batch's own time", moving, -0.5, 1, 1100, 0, false, false},
      {"a NaN slew value is non-zero", moving, std::nan(""), 1, 1101, 0, true, false},
  };
  MotionState s = InitialMotionState();
  for (const Tick& t : ticks) {
    SCOPED_TRACE(t.what);
    const MotionDecision d = StepMotion(&s, MotionInput{t.frame, t.slewActive, t.useonslew, 0, true, t.nowMs});
    EXPECT_EQ(d.slewBatch, t.batch);
    EXPECT_EQ(d.slewEventCount, t.batch ? 1 : 0);
    EXPECT_EQ(d.sendFreeze, t.freeze);
    EXPECT_TRUE(d.runButtonStep);
    EXPECT_FALSE(d.sendCamera);
    if (d.slewBatch && t.freshMs != 0) StampSlewBatch(&s, t.freshMs);
  }
}

// Which path a tick takes, what it sends and whether it reaches the button
// step. A slew batch sends each moving axis in the fixed order tZ, rX, rY,
// tY, tX, rZ.
TEST(Motion, PathsAndTheButtonStep) {
  const DeviceFrame x = Frame(1, 0, 0, 0, 0, 0), up = Frame(1, 1, 1, 1, 1, 1), down = Frame(-1, -1, -1, -1, -1, -1);
  struct Case {
    const char* what;
    DeviceFrame frame;
    double slewActive;
    int32_t useonslew, quorixmode;
    bool sessionReady, moves, camera;  // moves: the eye point changes
    std::vector<uint32_t> slewEvents;
    bool buttonStep;
  } const cases[] = {
      {"at rest before the session is ready", kRest, 0, 1, 0, false, false, false, {}, true},
      {"free look before the session is ready", x, 0, 1, 0, false, true, false, {}, false},
      {"slew mode without useonslew is free look", x, 1, 0, 0, true, true, true, {}, true},
      {"quorixmode never moves the eye", x, 0, 1, 1, true, false, false, {}, true},
      {"quorixmode before the session is ready", x, 0, 1, 7, false, false, false, {}, true},
      {"quorixmode still slews", x, 1, 1, 1, true, false, false, {kSlewRightEvent}, true},
      {"slew before the session is ready", x, 1, 1, 0, false, false, false, {kSlewRightEvent}, true},
      {"useonslew of any non-zero value", x, 1, -3, 0, true, false, false, {kSlewRightEvent}, true},
      {"every axis up", up, 1, 1, 0, true, false, false, {7, 10, 12, 13, 16, 17}, true},
      {"every axis down", down, 1, 1, 0, true, false, false, {8, 9, 11, 14, 15, 18}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState s{};
    const MotionInput in{c.frame, c.slewActive, c.useonslew, c.quorixmode, c.sessionReady, 5000};
    const MotionDecision d = StepMotion(&s, in);
    EXPECT_EQ(s.eye.leftright != 0.0f, c.moves);
    EXPECT_EQ(d.sendCamera, c.camera);
    EXPECT_EQ(std::vector<uint32_t>(d.slewEvents, d.slewEvents + d.slewEventCount), c.slewEvents);
    EXPECT_EQ(d.runButtonStep, c.buttonStep);
    EXPECT_FALSE(d.sendFreeze);
  }
}

}  // namespace
