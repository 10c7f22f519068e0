// Decisions of the controller readers that need no Windows: which name a
// controller goes by, where that name is registered, which controller is
// read, and how a HID report field reads. Portable: no Windows header.
#pragma once
#include <cstddef>
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

// Reads string `value` of registry key `path` under HKEY_LOCAL_MACHINE
// (`machine`) or HKEY_CURRENT_USER into `text`, always terminated; false
// (and an empty `text`) when it is missing, not a string or empty.
typedef bool (*RegistryTextReader)(bool machine, const char* path, const char* value, char* text, size_t capacity);

// The product name that the OEM of joystick `id` (from 0) registered, found
// as the game controller panel finds it: through the driver's registry key
// `regKey` (JOYCAPS.szRegKey), each key in the user's hive first, then in
// the machine's. False (and an empty `name`) when there is none.
bool JoystickOemName(const char* regKey, unsigned id, RegistryTextReader read, char* name, size_t capacity);

// The joystick search's choice so far.
struct JoystickChoice {
  bool found;
  unsigned id;
  unsigned axes;
};

// Meets the joystick `id` (one that answers a read) in the search: true when
// it becomes the choice. The first whose name holds `wanted` (as
// DeviceNameMatches) is chosen, unless a later one has six axes and it has
// fewer.
bool TakeJoystick(JoystickChoice* choice, unsigned id, const char* name, unsigned axes, const char* wanted);

// True once the choice has six axes: no later controller is looked at.
bool JoystickChoiceFinal(const JoystickChoice& choice);
