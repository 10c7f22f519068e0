// Decisions of the controller readers that need no Windows: which name a
// controller goes by, whether it is the one the user asked for, and how a
// HID report field reads. Portable: no Windows header.
#pragma once
#include <cstdint>

// True when `name` holds `wanted`, ignoring the case of ASCII letters; an
// empty `wanted` matches every controller.
bool DeviceNameMatches(const char* name, const char* wanted);

// The name a joystick-interface controller is matched and shown by: the
// product name its OEM registered, unless that is missing or blank, else
// the driver's name, which since Windows 2000 is the same generic text for
// every controller. Either may be null.
const char* JoystickName(const char* oemName, const char* driverName);

// A HID value field of `bits` bits as its logical range reads it: sign
// extended when the range has negative values (`logicalMin` < 0), as is
// otherwise. Bits above the field are ignored; a field of 0 or 32 bits and
// more is taken as a whole 32-bit value.
int64_t HidLogicalValue(uint32_t raw, int32_t logicalMin, uint32_t bits);
