// Controllers read through the Windows joystick interface (winmm): six axes
// X Y Z R U V and up to 32 buttons, whatever the device's own driver is.
#pragma once
#include <windows.h>

#include "server/axis_processing.h"

struct JoystickDevice {
  bool present;
  UINT id;
  char name[128];  // the OEM's product name, else the driver's
  JOYCAPSA caps;
};

// The product name that the OEM of joystick `id` registered, found through
// the registry key its capabilities name (JOYCAPS.szRegKey), as the game
// controller panel finds it. False (and an empty `name`) when there is none.
bool ReadJoystickOemName(const char* regKey, UINT id, char* name, size_t capacity);

// Looks for the first controller that answers a read and whose name holds
// `wanted` (case-insensitively; empty: any). Among those, one with six or
// more axes wins over the others. False leaves `device` not present.
bool FindJoystick(const char* wanted, JoystickDevice* device);

// One reading, centred and scaled to +-kRawHalfRange at the device's
// declared limits. False when the device has gone (unplugged).
bool ReadJoystick(const JoystickDevice& device, RawReading* reading);
