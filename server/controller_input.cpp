// Controller naming and HID value decoding for the Win32 readers in
// joystick_win.cpp and raw_input_win.cpp.

#include "server/controller_input.h"

#include <cstring>

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
