// Control-to-value map of the device settings dialog. The dialog fills its
// controls by walking this table and reads them back the same way, so a
// control and its value are paired in one place only.

#include "setup/settings_controls.h"

#include "setup/resources/resource.h"

const SettingsControl kSettingsControls[kSettingsControlCount] = {
    {IDC_SET_RX_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisRX},
    {IDC_SET_RX_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisRX},
    {IDC_SET_RX_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisRX},
    {IDC_SET_RX_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisRX},
    {IDC_SET_RY_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisRY},
    {IDC_SET_RY_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisRY},
    {IDC_SET_RY_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisRY},
    {IDC_SET_RY_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisRY},
    {IDC_SET_RZ_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisRZ},
    {IDC_SET_RZ_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisRZ},
    {IDC_SET_RZ_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisRZ},
    {IDC_SET_RZ_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisRZ},
    {IDC_SET_TY_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisTY},
    {IDC_SET_TY_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisTY},
    {IDC_SET_TY_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisTY},
    {IDC_SET_TY_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisTY},
    {IDC_SET_TX_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisTX},
    {IDC_SET_TX_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisTX},
    {IDC_SET_TX_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisTX},
    {IDC_SET_TX_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisTX},
    {IDC_SET_TZ_ENABLED, kSettingsCheckBox, kSettingsEnabled, kAxisTZ},
    {IDC_SET_TZ_SENSITIVITY, kSettingsEditBox, kSettingsSensitivity, kAxisTZ},
    {IDC_SET_TZ_NULLZONE, kSettingsEditBox, kSettingsNullzone, kAxisTZ},
    {IDC_SET_TZ_INVERT, kSettingsCheckBox, kSettingsInvert, kAxisTZ},
    {IDC_SET_QUORIXMODE, kSettingsCheckBox, kSettingsQuorixMode, kAxisTX},
    {IDC_SET_USEONSLEW, kSettingsCheckBox, kSettingsUseOnSlew, kAxisTX},
};

int32_t* SettingsValue(ModuleSettings* settings, const SettingsControl& control) {
  AxisSettings& axis = settings->axis[control.axis];
  switch (control.field) {
    case kSettingsSensitivity:
      return &axis.sensitivity;
    case kSettingsNullzone:
      return &axis.nullzone;
    case kSettingsEnabled:
      return &axis.enabled;
    case kSettingsInvert:
      return &axis.invert;
    case kSettingsQuorixMode:
      return &settings->quorixmode;
    case kSettingsUseOnSlew:
      return &settings->useonslew;
  }
  return nullptr;
}
