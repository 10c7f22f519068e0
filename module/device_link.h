// The link to the device server: started at start-up, read through its window
// title, asked to quit at stop.
#pragma once
#include <windows.h>

#include "module/device_frame.h"

extern DeviceFrame gDeviceFrame;  // the last reading; all zero at load
extern HWND gServerWindow;        // the window found by the last lookup

// Starts "<current folder>\pivora\pivorasrv.exe" unless a server window exists.
void StartDeviceServer();
// Replaces gDeviceFrame with the server's title, or looks for its window.
void ReadDevice();
// Sends WM_CLOSE to the server window, waiting a bounded time for it.
void StopDeviceServer();
