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

// JoystickOemName over this system's registry.
bool ReadJoystickOemName(const char* regKey, UINT id, char* name, size_t capacity);

// Looks for the controller TakeJoystick chooses among those that answer a
// read. False leaves `device` not present.
bool FindJoystick(const char* wanted, JoystickDevice* device);

// One reading, centred and scaled to +-kRawHalfRange at the device's
// declared limits. False when the device has gone (unplugged).
bool ReadJoystick(const JoystickDevice& device, RawReading* reading);
