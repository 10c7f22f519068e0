// Module-wide handles owned by the entry points.
#pragma once
#include <windows.h>

extern HINSTANCE gModuleInstance;  // resources (dialogs, bitmaps) live here
extern HWND gSimulatorWindow;      // owner of message boxes and dialogs; may be null

// The simulator's main window: the first top-level window of class "FS98MAIN".
HWND FindSimulatorWindow();

// Message boxes the user can act on all carry this caption.
constexpr const char* kMessageCaption = "Pivora for FSX";
