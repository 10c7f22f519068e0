// The SimConnect session: registration at start-up, the dispatch handler that
// the tick's pump runs, and the dialog handshake.
//
// The handler runs inside SimConnect_CallDispatch on the simulator's thread. A
// setup dialog opened from it runs its own message loop, in which the tick
// timer keeps firing, so ticks (and this handler) run nested inside it.
#include "module/session.h"

#include "module/lifecycle.h"
#include "module/simconnect_binding.h"
#include "setup/dialogs.h"

SimSession gSession;

namespace {

constexpr const char* kClientName = "Pivora";
constexpr const char* kDialogModeState = "DialogMode";

const char* const kSlewEvents[] = {
    "SLEW_FREEZE",        "SLEW_ALTIT_PLUS", "SLEW_ALTIT_MINUS", "SLEW_PITCH_UP_SLOW",
    "SLEW_PITCH_DN_SLOW", "SLEW_BANK_PLUS",  "SLEW_BANK_MINUS",  "SLEW_AHEAD_PLUS",
    "SLEW_AHEAD_MINUS",   "SLEW_LEFT",       "SLEW_RIGHT",       "SLEW_HEADING_PLUS",
    "SLEW_HEADING_MINUS",
};

void RegisterDataDefinition(HANDLE h) {
  gSimConnect.AddToDataDefinition(h, kAircraftDefinition, "TITLE", "Number",
                                  SIMCONNECT_DATATYPE_STRING256, 0.0f, SIMCONNECT_UNUSED);
  gSimConnect.AddToDataDefinition(h, kAircraftDefinition, "IS SLEW ACTIVE", "Bool",
                                  SIMCONNECT_DATATYPE_FLOAT64, 0.0f, SIMCONNECT_UNUSED);
}

void RegisterMenu(HANDLE h) {
  gSimConnect.MapClientEventToSimEvent(h, kMenuEntry.event, "");
  gSimConnect.MenuAddItem(h, kMenuEntry.text, kMenuEntry.event, kMenuEntry.itemData);
  gSimConnect.AddClientEventToNotificationGroup(h, kMenuGroup, kMenuEntry.event, FALSE);
  for (const MenuItem& item : kMenuItems) {
    gSimConnect.MapClientEventToSimEvent(h, item.event, "");
    gSimConnect.MenuAddSubItem(h, kMenuEntry.event, item.text, item.event, item.itemData);
    gSimConnect.AddClientEventToNotificationGroup(h, kMenuGroup, item.event, FALSE);
  }
}

void RegisterSlewEvents(HANDLE h) {
  DWORD event = kEventSlewFreeze;
  for (const char* name : kSlewEvents) {
    gSimConnect.MapClientEventToSimEvent(h, event, name);
    gSimConnect.AddClientEventToNotificationGroup(h, kSlewGroup, event, FALSE);
    ++event;
  }
}

void OpenPendingDialog() {
  DLGPROC procedure = DialogProcedureFor(gSession.state.pendingDialog);
  if (procedure == nullptr) return;
  DialogBoxParamA(gModuleInstance, MAKEINTRESOURCEA(gSession.state.pendingDialog), gSimulatorWindow,
                  procedure, 0);
  // Whatever the dialog returned, or if it could not be created at all.
  gSimConnect.SetSystemState(gSession.handle, kDialogModeState, 0, 0.0f, nullptr);
}

}  // namespace

void OpenSession() {
  HANDLE h = nullptr;
  if (FAILED(gSimConnect.Open(&h, kClientName, nullptr, 0, nullptr, 0))) return;
  gSession.handle = h;
  gSimulatorWindow = FindSimulatorWindow();
  RegisterDataDefinition(h);
  RegisterMenu(h);
  RegisterSlewEvents(h);
  gSimConnect.SetNotificationGroupPriority(h, kMenuGroup, SIMCONNECT_GROUP_PRIORITY_HIGHEST);
  gSimConnect.SetNotificationGroupPriority(h, kSlewGroup, SIMCONNECT_GROUP_PRIORITY_HIGHEST);
}

void CloseSession() {
  if (gSession.handle == nullptr) return;
  gSimConnect.Close(gSession.handle);
  gSession.handle = nullptr;
}

void CALLBACK DispatchHandler(SIMCONNECT_RECV* message, DWORD size, void* /*context*/) {
  switch (ReceiveMessage(&gSession.state, message, size)) {
    case SessionAction::kRequestDialogMode:
      gSimConnect.SetSystemState(gSession.handle, kDialogModeState, 1, 0.0f, nullptr);
      gSimConnect.RequestSystemState(gSession.handle, kDialogModeRequest, kDialogModeState);
      return;
    case SessionAction::kOpenDialog:
      OpenPendingDialog();
      return;
    case SessionAction::kNone:
      return;
  }
}
