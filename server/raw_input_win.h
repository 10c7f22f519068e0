// Controllers read through Raw Input: HID multi-axis controllers (Generic
// Desktop usage 8, the class of 3D mice) and joysticks and gamepads, with
// usages X Y Z Rx Ry Rz and the button page. The reports arrive as WM_INPUT
// at the server's window, also while another program has the focus.
#pragma once
#include <windows.h>

#include "server/axis_processing.h"

// Asks for the reports and the arrival and removal notices of those
// devices at `window`. False when the system refuses.
bool StartRawInput(HWND window);

// WM_INPUT: takes the report of the chosen device (the first one that
// reports and whose product name holds `wanted`, case-insensitively; empty:
// any) into the current reading.
void OnRawInput(HRAWINPUT input, const char* wanted);

// WM_INPUT_DEVICE_CHANGE with GIDC_REMOVAL: forgets the chosen device if it
// is the one that went.
void OnRawInputDeviceRemoved(HANDLE device);

// Forgets the chosen device if the system no longer knows it (systems
// without removal notices).
void VerifyRawInputDevice();

// Forgets the chosen device, so that the next report picks one again (the
// wanted name changed).
void ResetRawInput();

// The chosen device's latest reading and its product name; false while no
// device has been chosen.
bool RawInputReading(RawReading* reading, const char** name);
