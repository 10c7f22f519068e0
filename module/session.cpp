// The SimConnect session: registration at start-up, the dispatch handler that
// the tick's pump runs, and the dialog handshake.
//
// The handler runs inside SimConnect_CallDispatch on the simulator's thread. A
// setup dialog opened from it runs its own message loop, in which the tick
// timer keeps firing, so ticks (and this handler) run nested inside it.
#include "module/session.h"

#include <cstring>

#include "module/lifecycle.h"
#include "module/simconnect_binding.h"
#include "setup/dialogs.h"

SimSession gSession;

namespace {

constexpr const char* kClientName = "Pivora";
constexpr const char* kDialogModeState = "DialogMode";

struct MenuItem {
  DWORD event;
  const char* text;
  DWORD itemData;
  int dialogId;
};

const MenuItem kMenuEntry = {kEventMenuEntry, "Pivora", 23781, 0};
const MenuItem kMenuItems[] = {
    {kEventCalibrationItem, "Device calibration...", 23782, kCalibrationDialogId},
    {kEventSettingsItem, "Settings...", 23783, kSettingsDialogId},
    {kEventButtonsItem, "Buttons setup...", 23784, kButtonsDialogId},
    {kEventEyePointItem, "Specify default eye point...", 23785, kEyePointDialogId},
};

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

void OnMenuEvent(DWORD eventId) {
  for (const MenuItem& item : kMenuItems) {
    if (item.event != eventId) continue;
    gSession.pendingDialog = item.dialogId;
    // The dialog opens only once the simulator confirms dialog mode.
    gSimConnect.SetSystemState(gSession.handle, kDialogModeState, 1, 0.0f, nullptr);
    gSimConnect.RequestSystemState(gSession.handle, kDialogModeRequest, kDialogModeState);
    return;
  }
  // The "Pivora" entry itself and the slew events carry no action.
}

void OnDialogModeGranted() {
  DLGPROC procedure = DialogProcedureFor(gSession.pendingDialog);
  if (procedure == nullptr) return;  // no menu selection yet
  DialogBoxParamA(gModuleInstance, MAKEINTRESOURCEA(gSession.pendingDialog), gSimulatorWindow,
                  procedure, 0);
  // Whatever the dialog returned, or if it could not be created at all.
  gSimConnect.SetSystemState(gSession.handle, kDialogModeState, 0, 0.0f, nullptr);
}

void OnAircraftData(const SIMCONNECT_RECV_SIMOBJECT_DATA* data, DWORD size) {
  if (data->dwRequestID != kAircraftRequest) return;
  // A short record would make the copy read past the message: take what is
  // there and keep the rest as it was. The title stays terminated, since the
  // tick compares it as a string.
  const DWORD dataOffset = offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData);
  DWORD available = size - dataOffset;
  if (available > sizeof(AircraftRecord)) available = sizeof(AircraftRecord);
  std::memcpy(&gSession.aircraft, &data->dwData, available);
  gSession.aircraft.title[sizeof(gSession.aircraft.title) - 1] = '\0';
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
  gSession.ready = true;  // any message at all means the simulator is talking to us
  // Records shorter than their kind's fixed part are dropped rather than read
  // past their end.
  switch (message->dwID) {
    case SIMCONNECT_RECV_ID_EVENT:
      if (size < sizeof(SIMCONNECT_RECV_EVENT)) return;
      OnMenuEvent(reinterpret_cast<SIMCONNECT_RECV_EVENT*>(message)->uEventID);
      return;
    case SIMCONNECT_RECV_ID_SIMOBJECT_DATA:
      if (size < offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData)) return;
      OnAircraftData(reinterpret_cast<SIMCONNECT_RECV_SIMOBJECT_DATA*>(message), size);
      return;
    case SIMCONNECT_RECV_ID_SYSTEM_STATE: {
      if (size < offsetof(SIMCONNECT_RECV_SYSTEM_STATE, fFloat)) return;
      const auto* state = reinterpret_cast<SIMCONNECT_RECV_SYSTEM_STATE*>(message);
      if (state->dwRequestID == kDialogModeRequest && state->dwInteger != 0) OnDialogModeGranted();
      return;
    }
    default:
      // OPEN, QUIT, EXCEPTION and the rest need nothing: the session is closed
      // only by DLLStop.
      return;
  }
}
