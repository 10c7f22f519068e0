// What the module makes of the simulator's messages: the aircraft record,
// the menu selections and the "DialogMode" handshake around the setup
// dialogs. Plain state and decisions; session.cpp makes the SimConnect and
// user32 calls that they ask for.
#pragma once
#include <cstdint>

#include "module/simconnect_records.h"

#pragma pack(push, 1)
// Data definition 0 as the simulator delivers it: 264 bytes.
struct AircraftRecord {
  char title[256];
  double slewActive;
};
#pragma pack(pop)
static_assert(sizeof(AircraftRecord) == 264, "definition 0 arrives as one 264-byte block");

// Client-side ids that the module chooses.
enum : uint32_t {
  kAircraftDefinition = 0,
  kDialogModeRequest = 1,
  kAircraftRequest = 2,
};
enum : uint32_t { kMenuGroup = 0, kSlewGroup = 1 };
enum : uint32_t {
  kEventMenuEntry = 0,
  kEventCalibrationItem = 2,
  kEventSettingsItem = 3,
  kEventButtonsItem = 4,
  kEventEyePointItem = 5,
  kEventSlewFreeze = 6,  // the slew events run from 6 to 18
};

struct MenuItem {
  uint32_t event;
  const char* text;
  uint32_t itemData;
  int dialogId;  // the setup dialog's template; 0 for the "Pivora" entry
};
constexpr int kMenuItemCount = 4;
extern const MenuItem kMenuEntry;
extern const MenuItem kMenuItems[kMenuItemCount];

struct SessionState {
  bool ready;               // set for good by the first message received
  AircraftRecord aircraft;  // latest reply to the aircraft request
  int pendingDialog;        // resource id the last menu selection asked for
};

// What the session must do about one message.
enum class SessionAction {
  kNone,
  // SetSystemState("DialogMode", 1), then RequestSystemState("DialogMode"):
  // the dialog opens only once the simulator confirms dialog mode.
  kRequestDialogMode,
  // DialogBoxParam(pendingDialog), then SetSystemState("DialogMode", 0)
  // whatever the dialog returned, or if it could not be created at all.
  kOpenDialog,
};

// Takes one message of `size` bytes as CallDispatch hands it over, of at
// least a header's size. Records shorter than their kind's fixed part are
// dropped rather than read past their end.
SessionAction ReceiveMessage(SessionState* state, const SIMCONNECT_RECV* message, uint32_t size);
