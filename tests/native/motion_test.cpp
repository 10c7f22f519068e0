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

MotionInput FreeLook(const DeviceFrame& f) {
  MotionInput in{};
  in.frame = f;
  in.useonslew = 1;
  in.sessionReady = true;
  in.nowMs = 5000;
  return in;
}

MotionInput Slewing(const DeviceFrame& f, uint32_t nowMs) {
  MotionInput in = FreeLook(f);
  in.slewActive = 1.0;
  in.nowMs = nowMs;
  return in;
}

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
      {"tX 10000 moves leftright by 1", {}, 0, Frame(10000, 0, 0, 0, 0, 0), {1, 0, 0, 0, 0, 0}, 0},
      {"each axis into its own field", {}, 0, Frame(10000, 20000, -10000, 20000, 0, -20000), {1, -1, 2, 2, 0, -2}, 2},
      {"yaw 90 turns bank 10 into pitch 10", {0, 0, 0, 0, 9, 90}, 0, Frame(0, 0, 0, 0, 10000, 0),
       {0, 0, 0, 10, 10, 90}, 0},
      {"yaw -90 turns bank 10 into pitch -10", {0, 0, 0, 0, 9, -90}, 0, Frame(0, 0, 0, 0, 10000, 0),
       {0, 0, 0, -10, 10, -90}, 0},
      {"yaw 0: bank leaves pitch alone", {0, 0, 0, 0, 9, 0}, 5, Frame(0, 0, 0, 0, 10000, 0), {0, 0, 0, 5, 10, 0}, 5},
      {"coupling uses this tick's yaw and bank", {0, 0, 0, 0, 0, 80}, 0, Frame(0, 0, 0, 0, 100000, 100000),
       {0, 0, 0, 10, 10, 90}, 0},
      {"yaw 180.5 wraps to -179.5", {0, 0, 0, 0, 0, 180}, 0, Frame(0, 0, 0, 0, 0, 5000), {0, 0, 0, 0, 0, -179.5f}, 0},
      {"yaw -180.5 wraps to 179.5", {0, 0, 0, 0, 0, -180}, 0, Frame(0, 0, 0, 0, 0, -5000), {0, 0, 0, 0, 0, 179.5f}, 0},
      {"yaw exactly 180 stays", {0, 0, 0, 0, 0, 179.5f}, 0, Frame(0, 0, 0, 0, 0, 5000), {0, 0, 0, 0, 0, 180}, 0},
      {"yaw exactly -180 stays", {0, 0, 0, 0, 0, -179.5f}, 0, Frame(0, 0, 0, 0, 0, -5000), {0, 0, 0, 0, 0, -180}, 0},
      {"pitch 90.00005 is sent as 90, the input keeps it", {}, 90, Frame(0, 0, 0, 0.5f, 0, 0),
       {0, 0, 0, 90, 0, 0}, 90.00005f},
      {"pitch below -90 holds at -90", {}, -90, Frame(0, 0, 0, -10000, 0, 0), {0, 0, 0, -90, 0, 0}, -91},
      {"bank above 90 is clamped", {0, 0, 0, 0, 90, 0}, 0, Frame(0, 0, 0, 0, 10000, 0), {0, 0, 0, 0, 90, 0}, 0},
      {"bank below -90 is clamped", {0, 0, 0, 0, -90, 0}, 0, Frame(0, 0, 0, 0, -10000, 0), {0, 0, 0, 0, -90, 0}, 0},
      {"a clamped bank comes back at once", {0, 0, 0, 0, 90, 0}, 0, Frame(0, 0, 0, 0, -10000, 0),
       {0, 0, 0, 0, 89, 0}, 0},
      {"pitch is rebuilt from the input, not from the old pitch", {0, 0, 0, 45, 0, 0}, 3,
       Frame(0, 0, 0, 10000, 0, 0), {0, 0, 0, 4, 0, 0}, 4},
      // Each product and sum rounded to float in turn; a reordered coupling, a
      // division by 10000 or a sum kept in double gives other bits.
      {"every step rounded to float", {0.540000021f, 7.3499999f, 4.17000008f, 38.1800003f, 10.96f, -27.6499996f},
       1.46000004f, Frame(6546, -18238, -15591, 19096, 7817, -12759),
       {1.19459999f, 5.79090023f, 2.34619999f, -0.404169559f, 11.7417002f, -28.9258995f}, 3.36959982f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState s = InitialMotionState();
    s.eye = c.before;
    s.pitchInput = c.pitchInputBefore;
    const MotionDecision d = StepMotion(&s, FreeLook(c.frame));
    EXPECT_EQ(Fields(s.eye), Fields(c.after));
    EXPECT_EQ(s.pitchInput, c.pitchInputAfter);
    ASSERT_TRUE(d.sendCamera);
    EXPECT_EQ(Fields(d.camera), Fields(c.after));
  }
}

TEST(Motion, SlewBatchSendsEachAxisInItsFixedOrder) {
  struct Case {
    DeviceFrame frame;
    std::vector<uint32_t> events;
  } const cases[] = {
      {Frame(500, 0, 0, 0, 0, -300), {kSlewRightEvent, kSlewHeadingMinusEvent}},
      {Frame(1, 1, 1, 1, 1, 1), {7, 10, 12, 13, 16, 17}},
      {Frame(-1, -1, -1, -1, -1, -1), {8, 9, 11, 14, 15, 18}},
  };
  for (const Case& c : cases) {
    MotionState s = InitialMotionState();
    s.eye = EyePoint{1, 2, 3, 4, 5, 6};
    s.freezePending = false;
    const MotionDecision d = StepMotion(&s, Slewing(c.frame, 1000));
    EXPECT_EQ(std::vector<uint32_t>(d.slewEvents, d.slewEvents + d.slewEventCount), c.events);
    EXPECT_TRUE(s.freezePending);
    EXPECT_EQ(Fields(s.eye), Fields(EyePoint{1, 2, 3, 4, 5, 6}));
  }
}

// The throttle compares each tick's reading with the fresh reading taken
// after the previous batch went out, or without one with the batch's own.
TEST(Motion, SlewBatchesAreMoreThan100MsApart) {
  struct Tick {
    uint32_t nowMs;
    uint32_t freshMs;  // stamped after sending a batch; 0: no fresh reading
    bool batch;
  } const ticks[] = {
      {100, 0, false},  // the last batch time starts at 0
      {101, 104, true},  {204, 0, false},  // exactly 100 ms after the stamp
      {205, 205, true},  {0xFFFFFFC0u, 0xFFFFFFC2u, true},
      {0x00000020u, 0, false},  // 94 ms later, across the wrap of the count
      {0x00000026u, 0, false},  {0x00000027u, 0x00000027u, true},  // exactly 100, then 101
      {1000, 0, true},  {1100, 0, false},  {1101, 0, true},  // no fresh reading: the batch's own time
  };
  MotionState s = InitialMotionState();
  for (const Tick& t : ticks) {
    const MotionDecision d = StepMotion(&s, Slewing(Frame(0, 0, 7, 0, 0, 0), t.nowMs));
    EXPECT_EQ(d.slewBatch, t.batch) << t.nowMs;
    EXPECT_EQ(d.slewEventCount, t.batch ? 1 : 0) << t.nowMs;
    if (d.slewBatch && t.freshMs != 0) StampSlewBatch(&s, t.freshMs);
  }
}

TEST(Motion, FreezeGoesOutOnceAtRestAfterSlewMotion) {
  struct Tick {
    const char* what;
    DeviceFrame frame;
    double slewActive;
    int32_t useonslew;
    uint32_t nowMs;
    bool freeze, batch;
  } const ticks[] = {
      {"at rest out of slew: kept pending", kRest, 0.0, 1, 1000, false, false},
      {"at rest in slew without useonslew: kept", kRest, 1.0, 0, 1010, false, false},
      {"first rest in slew after load", kRest, 1.0, 1, 1020, true, false},
      {"then nothing", kRest, 1.0, 1, 1030, false, false},
      {"slew motion", Frame(0, 9, 0, 0, 0, 0), 1.0, 1, 1040, false, true},
      {"throttled motion", Frame(0, 9, 0, 0, 0, 0), 1.0, 1, 1050, false, false},
      {"released", kRest, 1.0, 1, 1060, true, false},
      {"still at rest", kRest, 1.0, 1, 1070, false, false},
      {"any non-zero slew value counts", Frame(0, 9, 0, 0, 0, 0), -0.5, 1, 2000, false, true},
      {"released again", kRest, -0.5, 1, 2010, true, false},
      {"a NaN slew value is non-zero", Frame(0, 9, 0, 0, 0, 0), std::nan(""), 1, 3000, false, true},
  };
  MotionState s = InitialMotionState();
  for (const Tick& t : ticks) {
    SCOPED_TRACE(t.what);
    MotionInput in = Slewing(t.frame, t.nowMs);
    in.slewActive = t.slewActive;
    in.useonslew = t.useonslew;
    const MotionDecision d = StepMotion(&s, in);
    EXPECT_EQ(d.sendFreeze, t.freeze);
    EXPECT_EQ(d.slewBatch, t.batch);
    EXPECT_TRUE(d.runButtonStep);
    EXPECT_FALSE(d.sendCamera);
  }
}

// Which path a tick takes and whether it reaches the button step.
TEST(Motion, PathsAndTheButtonStep) {
  struct Case {
    const char* what;
    DeviceFrame frame;
    double slewActive;
    int32_t useonslew, quorixmode;
    bool sessionReady;
    bool moves;  // the eye point changes
    bool camera;
    int slewEvents;
    bool buttonStep;
  } const cases[] = {
      {"at rest", kRest, 0, 1, 0, true, false, false, 0, true},
      {"at rest before the session is ready", kRest, 0, 1, 0, false, false, false, 0, true},
      {"free look", Frame(1, 0, 0, 0, 0, 0), 0, 1, 0, true, true, true, 0, true},
      {"free look before the session is ready", Frame(1, 0, 0, 0, 0, 0), 0, 1, 0, false, true, false, 0, false},
      {"slew mode without useonslew is free look", Frame(1, 0, 0, 0, 0, 0), 1, 0, 0, true, true, true, 0, true},
      {"quorixmode never moves the eye", Frame(1, 0, 0, 0, 0, 0), 0, 1, 1, true, false, false, 0, true},
      {"quorixmode before the session is ready", Frame(1, 0, 0, 0, 0, 0), 0, 1, 7, false, false, false, 0, true},
      {"quorixmode still slews", Frame(1, 0, 0, 0, 0, 0), 1, 1, 1, true, false, false, 1, true},
      {"slew before the session is ready", Frame(1, 0, 0, 0, 0, 0), 1, 1, 0, false, false, false, 1, true},
      {"useonslew of any non-zero value", Frame(1, 0, 0, 0, 0, 0), 1, -3, 0, true, false, false, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MotionState s = InitialMotionState();
    s.freezePending = false;
    MotionInput in = FreeLook(c.frame);
    in.slewActive = c.slewActive;
    in.useonslew = c.useonslew;
    in.quorixmode = c.quorixmode;
    in.sessionReady = c.sessionReady;
    const MotionDecision d = StepMotion(&s, in);
    EXPECT_EQ(s.eye.leftright != 0.0f, c.moves);
    EXPECT_EQ(d.sendCamera, c.camera);
    EXPECT_EQ(d.slewEventCount, c.slewEvents);
    EXPECT_EQ(d.runButtonStep, c.buttonStep);
    EXPECT_FALSE(d.sendFreeze);
  }
}

}  // namespace
