// The module's SimConnect session: opening and registration, the dispatch
// handler, and the "DialogMode" handshake around the setup dialogs.
#pragma once
#include "module/simconnect_abi.h"

#pragma pack(push, 1)
// Data definition 0 as the simulator delivers it: 264 bytes.
struct AircraftRecord {
  char title[256];
  double slewActive;
};
#pragma pack(pop)
static_assert(sizeof(AircraftRecord) == 264, "definition 0 arrives as one 264-byte block");

struct SimSession {
  HANDLE handle;            // null until SimConnect_Open succeeds
  bool ready;               // set for good by the first message received
  AircraftRecord aircraft;  // latest reply to the aircraft request
  int pendingDialog;        // resource id the last menu selection asked for
};

extern SimSession gSession;

// Client-side ids that the module chooses.
enum : DWORD {
  kAircraftDefinition = 0,
  kDialogModeRequest = 1,
  kAircraftRequest = 2,
};
enum : DWORD { kMenuGroup = 0, kSlewGroup = 1 };
enum : DWORD {
  kEventMenuEntry = 0,
  kEventCalibrationItem = 2,
  kEventSettingsItem = 3,
  kEventButtonsItem = 4,
  kEventEyePointItem = 5,
  kEventSlewFreeze = 6,  // the slew events run from 6 to 18
};

// Opens the session under the name "Pivora" and registers the data
// definition, the menu and the slew events. A refused open leaves the module
// without a session for good.
void OpenSession();

// Closes the session if one is open.
void CloseSession();

void CALLBACK DispatchHandler(SIMCONNECT_RECV* message, DWORD size, void* context);
