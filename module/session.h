// The module's SimConnect session: opening and registration, and the
// dispatch handler that carries out the decisions of session_core.
#pragma once
#include "module/session_core.h"
#include "module/simconnect_abi.h"

struct SimSession {
  HANDLE handle;       // null until SimConnect_Open succeeds
  SessionState state;  // what the messages so far have told
};

extern SimSession gSession;

// Opens the session under the name "Pivora" and registers the data
// definition, the menu and the slew events. A refused open leaves the module
// without a session for good.
void OpenSession();

// Closes the session if one is open.
void CloseSession();

void CALLBACK DispatchHandler(SIMCONNECT_RECV* message, DWORD size, void* context);
