// The tick, every 25 ms on the simulator's thread, in a fixed order: ask for
// the aircraft's title and slew state and pump the session; reload the
// configuration on an aircraft change; perform the key press armed by the
// previous tick; read the device; move the eye point or drive slew; the
// button step.
//
// A setup dialog opened by the pump runs its own message loop, so ticks run
// nested inside step 2 of an outer tick until the dialog closes.
#include "module/tick.h"

#include "module/session.h"
#include "module/simconnect_binding.h"

void RunTick() {
  // Without a session there is nobody to talk to: a null handle is never
  // passed to the library.
  if (gSession.handle != nullptr) {
    gSimConnect.RequestDataOnSimObject(gSession.handle, kAircraftRequest, kAircraftDefinition,
                                       SIMCONNECT_OBJECT_ID_USER, SIMCONNECT_PERIOD_ONCE, 0, 0, 0,
                                       0);
    gSimConnect.CallDispatch(gSession.handle, DispatchHandler, nullptr);
  }
  // Aircraft change, key press, device read, motion and the button step
  // follow here.
}
