// winmm joystick reading. Axis mapping: X left/right, Y forth/back, Z
// up/down, then U pitch, V bank and R yaw; multi-axis controllers report
// their rotations about X and Y as U and V and the twist as R (rudder).

#include "server/joystick_win.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstring>

#include "server/controller_input.h"

// winmm keeps the device list it read at start-up; joyConfigChanged makes
// it read the list again, so that a controller plugged in later shows up.
// Not declared by every SDK's headers, so looked up by name.
static void RefreshDeviceList() {
  typedef MMRESULT(WINAPI * ConfigChangedFn)(DWORD);
  HMODULE winmm = GetModuleHandleA("winmm.dll");
  if (winmm == nullptr) return;
  auto configChanged =
      reinterpret_cast<ConfigChangedFn>(reinterpret_cast<void*>(GetProcAddress(winmm, "joyConfigChanged")));
  if (configChanged != nullptr) configChanged(0);
}

static int32_t Centre(DWORD value, UINT low, UINT high) { return CentreReading(value, low, high); }

// A string value of an open key, terminated whatever the registry holds.
static bool ReadRegistryText(HKEY key, const char* value, char* text, DWORD capacity) {
  DWORD type = 0;
  DWORD size = capacity - 1;
  // A failed read may leave part of a value behind: none of it counts.
  if (RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
      type != REG_SZ)
    size = 0;
  text[size < capacity ? size : capacity - 1] = '\0';
  return text[0] != '\0';
}

static bool ReadHiveText(bool machine, const char* path, const char* value, char* text, size_t capacity) {
  text[0] = '\0';
  HKEY key;
  if (RegOpenKeyExA(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  const bool found = ReadRegistryText(key, value, text, DWORD(capacity));
  RegCloseKey(key);
  return found;
}

bool ReadJoystickOemName(const char* regKey, UINT id, char* name, size_t capacity) {
  return JoystickOemName(regKey, id, ReadHiveText, name, capacity);
}

bool FindJoystick(const char* wanted, JoystickDevice* device) {
  device->present = false;
  RefreshDeviceList();
  const UINT count = joyGetNumDevs();
  JoystickChoice choice{};
  for (UINT id = 0; id < count; ++id) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (joyGetPosEx(id, &info) != JOYERR_NOERROR) continue;
    JOYCAPSA caps{};
    if (joyGetDevCapsA(id, &caps, sizeof caps) != JOYERR_NOERROR) continue;
    char oemName[sizeof device->name];
    ReadJoystickOemName(caps.szRegKey, id, oemName, sizeof oemName);
    const char* name = JoystickName(oemName, caps.szPname);
    if (!TakeJoystick(&choice, id, name, caps.wNumAxes, wanted)) continue;
    device->present = true;
    device->id = id;
    device->caps = caps;
    std::snprintf(device->name, sizeof device->name, "%s", name);
    if (JoystickChoiceFinal(choice)) break;
  }
  return choice.found;
}

bool ReadJoystick(const JoystickDevice& device, RawReading* reading) {
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNALL;
  if (!device.present || joyGetPosEx(device.id, &info) != JOYERR_NOERROR) return false;
  const JOYCAPSA& c = device.caps;
  const UINT axes = c.wNumAxes;
  reading->axis[kAxisTX] = Centre(info.dwXpos, c.wXmin, c.wXmax);
  reading->axis[kAxisTY] = Centre(info.dwYpos, c.wYmin, c.wYmax);
  reading->axis[kAxisTZ] = axes >= 3 ? Centre(info.dwZpos, c.wZmin, c.wZmax) : 0;
  reading->axis[kAxisRZ] = axes >= 4 ? Centre(info.dwRpos, c.wRmin, c.wRmax) : 0;
  reading->axis[kAxisRX] = axes >= 5 ? Centre(info.dwUpos, c.wUmin, c.wUmax) : 0;
  reading->axis[kAxisRY] = axes >= 6 ? Centre(info.dwVpos, c.wVmin, c.wVmax) : 0;
  reading->buttons = info.dwButtons;
  return true;
}
