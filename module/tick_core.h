// The tick's fixed order of work and the decisions of its steps, over plain
// state. tick.cpp supplies the steps and makes the SimConnect, user32 and
// configuration calls that these decisions ask for.
#pragma once
#include <cstdint>

#include "module/button_actions.h"
#include "module/motion.h"
#include "module/session_core.h"
#include "setup/configuration_records.h"

// The tick's steps. The key press armed by the previous tick's button step
// goes out before this tick reads the device.
struct TickWork {
  void (*requestAndPump)();  // ask for the aircraft's title and slew state, pump the session
  void (*reloadOnAircraftChange)();
  void (*performPendingKeyPress)();
  void (*readDevice)();
  void (*move)();  // the eye point or slew, then the button step
};

// Runs the steps in the order they are declared.
void RunTickWork(const TickWork& work);

// True when `reported` names another aircraft than `current`, which then
// holds the new title. Both start as "", so no reload happens until the
// simulator reports an aircraft.
bool TakeAircraftChange(const char (&reported)[sizeof(AircraftRecord::title)],
                        char (&current)[sizeof(AircraftRecord::title)]);

// What the move step sends, in order: the motion decision's calls (motion.h),
// then the camera calls of the button step, which runs only when the motion
// step allows it.
struct MovePlan {
  MotionDecision motion;
  ButtonDecision buttons;
};

struct MoveModel {
  MotionState* motion;
  PendingKeyPress* pendingKeyPress;
  const SessionState* session;
  const ModuleSettings* settings;
  const ButtonAssignment (*buttons)[kButtonCount];
  const DefaultEyePoint* defaults;
};

MovePlan PlanMove(const MoveModel& model, const DeviceFrame& frame, uint32_t nowMs);
