// The motion pipeline: what one tick does with a controller reading. It moves
// the eye point (free look) or turns the reading into slew events, and says
// what the Win32 tick must send; the tick itself makes the platform calls.
#pragma once
#include <cstdint>

#include "module/device_frame.h"
#include "module/eye_point.h"

// Client event ids of the slew events, as the session maps them.
enum SlewEventId : uint32_t {
  kSlewFreezeEvent = 6,
  kSlewAltitPlusEvent = 7,
  kSlewAltitMinusEvent = 8,
  kSlewPitchUpSlowEvent = 9,
  kSlewPitchDnSlowEvent = 10,
  kSlewBankPlusEvent = 11,
  kSlewBankMinusEvent = 12,
  kSlewAheadPlusEvent = 13,
  kSlewAheadMinusEvent = 14,
  kSlewLeftEvent = 15,
  kSlewRightEvent = 16,
  kSlewHeadingPlusEvent = 17,
  kSlewHeadingMinusEvent = 18,
};

constexpr float kStepPerDeviceUnit = 0.0001f;   // per tick
constexpr float kPitchCouplingPerDeg = 0.011111111f;  // 1/90
constexpr uint32_t kSlewThrottleMs = 100;       // batches more than this apart
constexpr int kMaxSlewEvents = 6;

// Arguments of SimConnect_CameraSetRelative6DOF after the handle, in order.
struct CameraCall {
  float x, y, z, pitch, bank, heading;
};

CameraCall CameraCallFor(const EyePoint& eye);

struct MotionState {
  EyePoint eye;
  float pitchInput;          // accumulated rX before the coupling; unlimited
  bool freezePending;
  uint32_t lastSlewBatchMs;  // GetTickCount of the last batch
};

// The state at load: all zero, freeze pending set.
MotionState InitialMotionState();

struct MotionInput {
  DeviceFrame frame;
  double slewActive;    // "IS SLEW ACTIVE" of the aircraft record
  int32_t useonslew;
  int32_t quorixmode;
  bool sessionReady;
  uint32_t nowMs;       // GetTickCount taken for the throttle test
};

// What the Win32 tick does after StepMotion, in this order:
//   1. sendCamera: SimConnect_CameraSetRelative6DOF(handle, camera...).
//   2. slewEvents[0..slewEventCount): TransmitClientEvent each, in order.
//   3. slewBatch: StampSlewBatch(state, GetTickCount()) with a fresh reading.
//   4. sendFreeze: TransmitClientEvent kSlewFreezeEvent.
//   5. runButtonStep: the button step (button_actions.h).
struct MotionDecision {
  bool sendCamera;
  CameraCall camera;
  int slewEventCount;
  uint32_t slewEvents[kMaxSlewEvents];
  bool slewBatch;
  bool sendFreeze;
  bool runButtonStep;
};

// Runs the motion step of one tick on `state` and says what to send.
MotionDecision StepMotion(MotionState* state, const MotionInput& input);

// Records the time of a slew batch once its events are out. StepMotion has
// already stamped the batch with input.nowMs, so a caller without a second
// clock reading may skip this.
void StampSlewBatch(MotionState* state, uint32_t freshNowMs);
