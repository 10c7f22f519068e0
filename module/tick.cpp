// The tick, every 25 ms on the simulator's thread, in the fixed order of
// tick_core.h: ask for the aircraft's title and slew state and pump the
// session; reload the configuration on an aircraft change; perform the key
// press armed by the previous tick; read the device; move the eye point or
// drive slew; the button step.
//
// A setup dialog opened by the pump runs its own message loop, so ticks run
// nested inside the pump of an outer tick until the dialog closes. Each step
// works on module state only, so a nested tick sees what the outer one left.
#include "module/tick.h"

#include "module/device_link.h"
#include "module/key_press.h"
#include "module/session.h"
#include "module/simconnect_binding.h"
#include "module/tick_core.h"
#include "setup/configuration_store.h"

MotionState gMotion = InitialMotionState();

namespace {

char gCurrentAircraftTitle[sizeof(AircraftRecord::title)];

void SendCamera(const CameraCall& call) {
  if (gSession.handle == nullptr) return;
  gSimConnect.CameraSetRelative6DOF(gSession.handle, call.x, call.y, call.z, call.pitch,
                                    call.bank, call.heading);
}

void SendSlewEvent(uint32_t event) {
  if (gSession.handle == nullptr) return;
  gSimConnect.TransmitClientEvent(gSession.handle, SIMCONNECT_OBJECT_ID_USER, event, 0,
                                  kSlewGroup, SIMCONNECT_EVENT_FLAG_GROUPID_IS_PRIORITY);
}

void RequestAndPump() {
  // Without a session there is nobody to talk to: a null handle is never
  // passed to the library.
  if (gSession.handle == nullptr) return;
  gSimConnect.RequestDataOnSimObject(gSession.handle, kAircraftRequest, kAircraftDefinition,
                                     SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_ONCE, 0, 0, 0, 0);
  gSimConnect.CallDispatch(gSession.handle, DispatchHandler, nullptr);
}

void ReloadOnAircraftChange() {
  if (TakeAircraftChange(gSession.state.aircraft.title, gCurrentAircraftTitle)) {
    LoadConfiguration(gCurrentAircraftTitle);
  }
}

void Move() {
  const MoveModel model = {&gMotion,          &gPendingKeyPress,    &gSession.state,
                           &gModuleSettings,  &gButtonAssignments,  &gDefaultEyePoint};
  const MovePlan plan = PlanMove(model, gDeviceFrame, GetTickCount());
  const MotionDecision& motion = plan.motion;
  if (motion.sendCamera) SendCamera(motion.camera);
  for (int i = 0; i < motion.slewEventCount; ++i) SendSlewEvent(motion.slewEvents[i]);
  if (motion.slewBatch) StampSlewBatch(&gMotion, GetTickCount());
  if (motion.sendFreeze) SendSlewEvent(kSlewFreezeEvent);
  for (int i = 0; i < plan.buttons.cameraCallCount; ++i) SendCamera(plan.buttons.cameraCalls[i]);
}

const TickWork kTickWork = {RequestAndPump, ReloadOnAircraftChange, PerformPendingKeyPress,
                            ReadDevice, Move};

}  // namespace

const char* CurrentAircraftTitle() { return gCurrentAircraftTitle; }

void RunTick() { RunTickWork(kTickWork); }
