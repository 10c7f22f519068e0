// Which control of the device settings dialog shows which value of
// ModuleSettings, and how a value turns into a control state and back.
// RESET TO DEFAULT takes kDefaultModuleSettings (setup/configuration.h).
#pragma once
#include <cstdint>

#include "setup/configuration_records.h"

enum SettingsControlKind { kSettingsCheckBox, kSettingsEditBox };

enum SettingsField {
  kSettingsSensitivity,
  kSettingsNullzone,
  kSettingsEnabled,
  kSettingsInvert,
  kSettingsQuorixMode,  // device-wide; `axis` unused
  kSettingsUseOnSlew,   // device-wide; `axis` unused
};

struct SettingsControl {
  int controlId;
  SettingsControlKind kind;
  SettingsField field;
  Axis axis;
};

constexpr int kSettingsControlCount = 26;  // one per value of ModuleSettings
extern const SettingsControl kSettingsControls[kSettingsControlCount];

// The value of `settings` that `control` shows and edits.
int32_t* SettingsValue(ModuleSettings* settings, const SettingsControl& control);

// A check box is ticked only for exactly 1; 2 or -1 read from a hand-edited
// file show unticked.
inline bool IsTicked(int32_t value) { return value == 1; }
inline int32_t CheckBoxValue(bool ticked) { return ticked ? 1 : 0; }

// Edit boxes show and read unsigned numbers (SetDlgItemInt / GetDlgItemInt
// without sign): a stored -5 shows as 4294967291, and a typed number above
// 2147483647 is kept as the negative value it becomes in the 32-bit field.
inline uint32_t EditBoxNumber(int32_t value) { return static_cast<uint32_t>(value); }
inline int32_t ValueFromEditBox(uint32_t number) {
  return number <= 0x7FFFFFFFu ? static_cast<int32_t>(number)
                               : -static_cast<int32_t>(~number) - 1;  // two's complement, without relying on it
}
