// The tick's order and its move step's decisions.
#include "module/tick_core.h"

#include <cstring>

void RunTickWork(const TickWork& work) {
  work.requestAndPump();
  work.reloadOnAircraftChange();
  work.performPendingKeyPress();
  work.readDevice();
  work.move();
}

bool TakeAircraftChange(const char (&reported)[sizeof(AircraftRecord::title)],
                        char (&current)[sizeof(AircraftRecord::title)]) {
  if (std::strcmp(reported, current) == 0) return false;
  std::memcpy(current, reported, sizeof current);
  return true;
}

MovePlan PlanMove(const MoveModel& model, const DeviceFrame& frame, uint32_t nowMs) {
  MotionInput input;
  input.frame = frame;
  input.slewActive = model.session->aircraft.slewActive;
  input.useonslew = model.settings->useonslew;
  input.quorixmode = model.settings->quorixmode;
  input.sessionReady = model.session->ready;
  input.nowMs = nowMs;
  MovePlan plan{};
  plan.motion = StepMotion(model.motion, input);
  if (!plan.motion.runButtonStep) return plan;
  plan.buttons = StepButton(frame.button, *model.buttons, *model.defaults, model.session->ready,
                            model.motion, model.pendingKeyPress);
  return plan;
}
