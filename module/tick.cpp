// The tick, every 25 ms on the simulator's thread, in a fixed order: ask for
// the aircraft's title and slew state and pump the session; reload the
// configuration on an aircraft change; perform the key press armed by the
// previous tick; read the device; move the eye point or drive slew; the
// button step.
//
// A setup dialog opened by the pump runs its own message loop, so ticks run
// nested inside step 2 of an outer tick until the dialog closes. Each step
// works on module state only, so a nested tick sees what the outer one left.
#include "module/tick.h"

#include <cstring>

#include "module/button_actions.h"
#include "module/device_link.h"
#include "module/key_press.h"
#include "module/motion.h"
#include "module/session.h"
#include "module/simconnect_binding.h"
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
  if (std::strcmp(gSession.aircraft.title, gCurrentAircraftTitle) == 0) return;
  std::memcpy(gCurrentAircraftTitle, gSession.aircraft.title, sizeof gCurrentAircraftTitle);
  LoadConfiguration(gCurrentAircraftTitle);
}

void Move() {
  MotionInput input;
  input.frame = gDeviceFrame;
  input.slewActive = gSession.aircraft.slewActive;
  input.useonslew = gModuleSettings.useonslew;
  input.quorixmode = gModuleSettings.quorixmode;
  input.sessionReady = gSession.ready;
  input.nowMs = GetTickCount();
  const MotionDecision decision = StepMotion(&gMotion, input);

  if (decision.sendCamera) SendCamera(decision.camera);
  for (int i = 0; i < decision.slewEventCount; ++i) SendSlewEvent(decision.slewEvents[i]);
  if (decision.slewBatch) StampSlewBatch(&gMotion, GetTickCount());
  if (decision.sendFreeze) SendSlewEvent(kSlewFreezeEvent);
  if (!decision.runButtonStep) return;

  const ButtonDecision buttons = StepButton(gDeviceFrame.button, gButtonAssignments,
                                            gDefaultEyePoint, gSession.ready, &gMotion,
                                            &gPendingKeyPress);
  for (int i = 0; i < buttons.cameraCallCount; ++i) SendCamera(buttons.cameraCalls[i]);
}

}  // namespace

const char* CurrentAircraftTitle() { return gCurrentAircraftTitle; }

void RunTick() {
  RequestAndPump();
  ReloadOnAircraftChange();
  PerformPendingKeyPress();
  ReadDevice();
  Move();
}
