// Controller naming, choice and HID value decoding for the Win32 readers in
// joystick_win.cpp and raw_input_win.cpp.

#include "server/controller_input.h"

#include <cstdio>
#include <cstring>

// The registry paths of regstr.h (REGSTR_PATH_JOYCONFIG, REGSTR_KEY_JOYCURR,
// REGSTR_VAL_JOYNOEMNAME, REGSTR_PATH_JOYOEM, REGSTR_VAL_JOYOEMNAME).
constexpr char kJoystickConfigPath[] = "System\\CurrentControlSet\\Control\\MediaResources\\Joystick";
constexpr char kJoystickCurrentKey[] = "CurrentJoystickSettings";
constexpr char kJoystickOemTypeValue[] = "Joystick%uOEMName";
constexpr char kJoystickOemPath[] =
    "System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM";
constexpr char kJoystickOemNameValue[] = "OEMName";
constexpr unsigned kWantedAxes = 6;
constexpr size_t kRegistryPathChars = 260;

static char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool DeviceNameMatches(const char* name, const char* wanted) {
  if (wanted == nullptr || wanted[0] == '\0') return true;
  if (name == nullptr) return false;
  const size_t n = std::strlen(wanted);
  for (const char* p = name; *p != '\0'; ++p) {
    size_t i = 0;
    while (i < n && p[i] != '\0' && LowerAscii(p[i]) == LowerAscii(wanted[i])) ++i;
    if (i == n) return true;
  }
  return false;
}

static bool IsBlank(const char* text) {
  if (text == nullptr) return true;
  for (; *text != '\0'; ++text) {
    if (*text != ' ' && *text != '\t') return false;
  }
  return true;
}

const char* JoystickName(const char* oemName, const char* driverName) {
  if (!IsBlank(oemName)) return oemName;
  return driverName != nullptr ? driverName : "";
}

int64_t HidLogicalValue(uint32_t raw, int32_t logicalMin, uint32_t bits) {
  if (bits == 0 || bits >= 32) return logicalMin < 0 ? int64_t{static_cast<int32_t>(raw)} : int64_t{raw};
  const uint32_t sign = uint32_t{1} << (bits - 1);
  const uint32_t mask = (sign << 1) - 1;
  raw &= mask;
  if (logicalMin >= 0) return raw;
  return (raw & sign) ? int64_t{raw} - int64_t{mask} - 1 : int64_t{raw};
}

// The game controller panel keeps its settings per user, older systems per
// machine.
static bool ReadUserOrMachineText(RegistryTextReader read, const char* path, const char* value, char* text,
                                  size_t capacity) {
  return read(false, path, value, text, capacity) || read(true, path, value, text, capacity);
}

bool JoystickOemName(const char* regKey, unsigned id, RegistryTextReader read, char* name, size_t capacity) {
  if (capacity > 0) name[0] = '\0';
  if (regKey == nullptr || regKey[0] == '\0' || capacity < 2) return false;
  // The controller's current settings name its type key, "VID_xxxx&PID_xxxx",
  // under which its OEM registered the product name.
  char path[sizeof kJoystickOemPath + kRegistryPathChars];  // never cut short: a cut path names another key
  char valueName[32];
  char type[kRegistryPathChars];
  std::snprintf(path, sizeof path, "%s\\%s\\%s", kJoystickConfigPath, regKey, kJoystickCurrentKey);
  std::snprintf(valueName, sizeof valueName, kJoystickOemTypeValue, id + 1);
  if (!ReadUserOrMachineText(read, path, valueName, type, sizeof type)) return false;
  // A type is one key's name; anything else would lead elsewhere in the registry.
  if (std::strchr(type, '\\') != nullptr) return false;
  std::snprintf(path, sizeof path, "%s\\%s", kJoystickOemPath, type);
  return ReadUserOrMachineText(read, path, kJoystickOemNameValue, name, capacity);
}

bool TakeJoystick(JoystickChoice* choice, unsigned id, const char* name, unsigned axes, const char* wanted) {
  if (!DeviceNameMatches(name, wanted)) return false;
  if (choice->found && (choice->axes >= kWantedAxes || axes < kWantedAxes)) return false;
  *choice = {true, id, axes};
  return true;
}

bool JoystickChoiceFinal(const JoystickChoice& choice) { return choice.found && choice.axes >= kWantedAxes; }
