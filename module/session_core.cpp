// The session's decisions about the messages CallDispatch delivers. Each
// kind is checked against its fixed part before any field is read, since the
// size comes from the simulator.
#include "module/session_core.h"

#include <cstring>

#include "setup/resources/resource.h"

const MenuItem kMenuEntry = {kEventMenuEntry, "Pivora", 23781, 0};
const MenuItem kMenuItems[kMenuItemCount] = {
    {kEventCalibrationItem, "Device calibration...", 23782, IDD_CALIBRATION},
    {kEventSettingsItem, "Settings...", 23783, IDD_SETTINGS},
    {kEventButtonsItem, "Buttons setup...", 23784, IDD_BUTTONS},
    {kEventEyePointItem, "Specify default eye point...", 23785, IDD_EYE_POINT},
};

namespace {

SessionAction OnMenuEvent(SessionState* state, uint32_t eventId) {
  for (const MenuItem& item : kMenuItems) {
    if (item.event != eventId) continue;
    state->pendingDialog = item.dialogId;
    return SessionAction::kRequestDialogMode;
  }
  // The "Pivora" entry itself and the slew events carry no action.
  return SessionAction::kNone;
}

SessionAction OnDialogModeReply(const SessionState& state, const SIMCONNECT_RECV_SYSTEM_STATE& reply) {
  if (reply.dwRequestID != kDialogModeRequest || reply.dwInteger == 0) return SessionAction::kNone;
  // A reply before any menu selection has no dialog to open.
  return state.pendingDialog != 0 ? SessionAction::kOpenDialog : SessionAction::kNone;
}

void OnAircraftData(SessionState* state, const SIMCONNECT_RECV_SIMOBJECT_DATA* data, uint32_t size) {
  if (data->dwRequestID != kAircraftRequest) return;
  // A short record would make the copy read past the message: take what is
  // there and keep the rest as it was. The title stays terminated, since the
  // tick compares it as a string.
  const uint32_t dataOffset = offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData);
  uint32_t available = size - dataOffset;
  if (available > sizeof(AircraftRecord)) available = sizeof(AircraftRecord);
  std::memcpy(&state->aircraft, &data->dwData, available);
  state->aircraft.title[sizeof(state->aircraft.title) - 1] = '\0';
}

}  // namespace

SessionAction ReceiveMessage(SessionState* state, const SIMCONNECT_RECV* message, uint32_t size) {
  state->ready = true;  // any message at all means the simulator is talking to us
  switch (message->dwID) {
    case SIMCONNECT_RECV_ID_EVENT:
      if (size < sizeof(SIMCONNECT_RECV_EVENT)) return SessionAction::kNone;
      return OnMenuEvent(state, reinterpret_cast<const SIMCONNECT_RECV_EVENT*>(message)->uEventID);
    case SIMCONNECT_RECV_ID_SIMOBJECT_DATA:
      if (size < offsetof(SIMCONNECT_RECV_SIMOBJECT_DATA, dwData)) return SessionAction::kNone;
      OnAircraftData(state, reinterpret_cast<const SIMCONNECT_RECV_SIMOBJECT_DATA*>(message), size);
      return SessionAction::kNone;
    case SIMCONNECT_RECV_ID_SYSTEM_STATE:
      if (size < offsetof(SIMCONNECT_RECV_SYSTEM_STATE, fFloat)) return SessionAction::kNone;
      return OnDialogModeReply(*state, *reinterpret_cast<const SIMCONNECT_RECV_SYSTEM_STATE*>(message));
    default:
      // OPEN, QUIT, EXCEPTION and the rest need nothing: the session is
      // closed only by DLLStop.
      return SessionAction::kNone;
  }
}
