// winmm joystick reading. Axis mapping: X left/right, Y forth/back, Z
// up/down, then U pitch, V bank and R yaw; multi-axis controllers report
// their rotations about X and Y as U and V and the twist as R (rudder).

#include "server/joystick_win.h"

#include <mmsystem.h>

#include <cctype>
#include <cstring>

constexpr int kWantedAxes = 6;

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

static bool Contains(const char* text, const char* wanted) {
  const size_t n = std::strlen(wanted);
  for (const char* p = text; *p != '\0'; ++p) {
    size_t i = 0;
    while (i < n && p[i] != '\0' &&
           std::tolower(static_cast<unsigned char>(p[i])) == std::tolower(static_cast<unsigned char>(wanted[i])))
      ++i;
    if (i == n) return true;
  }
  return n == 0;
}

static int32_t Centre(DWORD value, UINT low, UINT high) { return CentreReading(value, low, high); }

bool FindJoystick(const char* wanted, JoystickDevice* device) {
  device->present = false;
  RefreshDeviceList();
  const UINT count = joyGetNumDevs();
  bool found = false;
  for (UINT id = 0; id < count; ++id) {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    if (joyGetPosEx(id, &info) != JOYERR_NOERROR) continue;
    JOYCAPSA caps{};
    if (joyGetDevCapsA(id, &caps, sizeof caps) != JOYERR_NOERROR) continue;
    if (!Contains(caps.szPname, wanted)) continue;
    const bool better = !found || (device->caps.wNumAxes < kWantedAxes && caps.wNumAxes >= kWantedAxes);
    if (!better) continue;
    found = true;
    device->present = true;
    device->id = id;
    device->caps = caps;
    std::memcpy(device->name, caps.szPname, sizeof device->name);
    device->name[sizeof device->name - 1] = '\0';
    if (caps.wNumAxes >= kWantedAxes) break;
  }
  return found;
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
