// The motion step of the 25 ms tick. Free look integrates the controller into
// the eye point with 32-bit floats, in a fixed order, each result stored as a
// float before the next step reads it; the same inputs must give the same
// bits in the 32-bit DLL as in the native tests, so the i686 build keeps
// float arithmetic out of the x87 unit (see module/CMakeLists.txt) and
// multiply-adds are never fused.

#include "module/motion.h"

#include <cmath>

#if defined(__i386__) && !defined(__SSE_MATH__)
#error "x87 float arithmetic keeps excess precision: build with -msse -mfpmath=sse"
#endif

constexpr float kPitchLimitDeg = 90.0f;
constexpr float kBankLimitDeg = 90.0f;
constexpr float kYawHalfTurnDeg = 180.0f;

// Slew batch order and events: tZ, rX, rY, tY, tX, rZ.
struct SlewAxis {
  float DeviceFrame::*value;
  uint32_t whenPositive;
  uint32_t whenNegative;
};
static const SlewAxis kSlewAxes[kMaxSlewEvents] = {
    {&DeviceFrame::tZ, kSlewAltitPlusEvent, kSlewAltitMinusEvent},
    {&DeviceFrame::rX, kSlewPitchDnSlowEvent, kSlewPitchUpSlowEvent},
    {&DeviceFrame::rY, kSlewBankMinusEvent, kSlewBankPlusEvent},
    {&DeviceFrame::tY, kSlewAheadPlusEvent, kSlewAheadMinusEvent},
    {&DeviceFrame::tX, kSlewRightEvent, kSlewLeftEvent},
    {&DeviceFrame::rZ, kSlewHeadingPlusEvent, kSlewHeadingMinusEvent},
};

static bool IsMoving(const DeviceFrame& f) {
  return f.tX != 0.0f || f.tY != 0.0f || f.tZ != 0.0f || f.rX != 0.0f || f.rY != 0.0f || f.rZ != 0.0f;
}

static float Accumulate(float field, float deviceValue) {
  const float step = deviceValue * kStepPerDeviceUnit;
  return field + step;
}

static void Integrate(MotionState* s, const DeviceFrame& f) {
  EyePoint& e = s->eye;
  e.yaw = Accumulate(e.yaw, f.rZ);
  s->pitchInput = Accumulate(s->pitchInput, f.rX);
  e.bank = Accumulate(e.bank, f.rY);
  // Looking sideways turns bank into apparent pitch; uses this tick's yaw
  // and bank, before either is limited.
  const float yawShare = e.yaw * kPitchCouplingPerDeg;
  const float coupling = yawShare * e.bank;
  e.pitch = coupling + s->pitchInput;
  e.leftright = Accumulate(e.leftright, f.tX);
  e.updown = Accumulate(e.updown, f.tZ);
  e.backforth = Accumulate(e.backforth, f.tY);
}

static float Clamp(float value, float limit) {
  if (value > limit) return limit;
  if (value < -limit) return -limit;
  return value;
}

// The pitch input stays unlimited on purpose: pitch holds at its limit until
// the input has come back by the amount it overshot.
static void Limit(EyePoint* e) {
  e->pitch = Clamp(e->pitch, kPitchLimitDeg);
  // Two subtractions of 180, each rounded, rather than one of 360: the
  // rounding of large out-of-range values follows from this form.
  if (e->yaw > kYawHalfTurnDeg) {
    const float less = e->yaw - kYawHalfTurnDeg;
    e->yaw = less - kYawHalfTurnDeg;
  }
  if (e->yaw < -kYawHalfTurnDeg) {
    const float excess = std::fabs(e->yaw) - kYawHalfTurnDeg;
    e->yaw = kYawHalfTurnDeg - excess;
  }
  e->bank = Clamp(e->bank, kBankLimitDeg);
}

static void FillSlewBatch(const DeviceFrame& f, MotionDecision* d) {
  for (const SlewAxis& axis : kSlewAxes) {
    const float value = f.*axis.value;
    if (value > 0.0f) d->slewEvents[d->slewEventCount++] = axis.whenPositive;
    if (value < 0.0f) d->slewEvents[d->slewEventCount++] = axis.whenNegative;
  }
}

CameraCall CameraCallFor(const EyePoint& eye) {
  return CameraCall{eye.leftright, eye.updown, eye.backforth, eye.pitch, eye.bank, eye.yaw};
}

MotionState InitialMotionState() {
  MotionState s{};
  s.freezePending = true;
  return s;
}

MotionDecision StepMotion(MotionState* state, const MotionInput& input) {
  MotionDecision d{};
  // A NaN slew value counts as active, as any non-zero value does.
  const bool slewing = input.slewActive != 0.0 && input.useonslew != 0;

  if (!IsMoving(input.frame)) {
    if (slewing && state->freezePending) {
      d.sendFreeze = true;
      state->freezePending = false;
    }
    d.runButtonStep = true;
    return d;
  }

  if (slewing) {
    // Unsigned difference, so a tick count that wrapped past 2^32 since the
    // last batch still measures the real interval.
    const uint32_t sinceLastMs = input.nowMs - state->lastSlewBatchMs;
    if (sinceLastMs > kSlewThrottleMs) {
      FillSlewBatch(input.frame, &d);
      d.slewBatch = true;
      state->lastSlewBatchMs = input.nowMs;
      state->freezePending = true;
    }
    d.runButtonStep = true;
    return d;
  }

  if (input.quorixmode != 0) {
    d.runButtonStep = true;
    return d;
  }

  Integrate(state, input.frame);
  Limit(&state->eye);
  // Until the simulator has answered once, the view is not ours to move and
  // the tick ends here, button step included.
  if (!input.sessionReady) return d;

  d.sendCamera = true;
  d.camera = CameraCallFor(state->eye);
  d.runButtonStep = true;
  return d;
}

void StampSlewBatch(MotionState* state, uint32_t freshNowMs) {
  state->lastSlewBatchMs = freshNowMs;
}
