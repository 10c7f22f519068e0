// Names of the configuration files, sections and keys, spelled as the files
// have always spelled them: the device server reads the same files by the
// same names, so none of these may change.
#pragma once
#include "setup/configuration_records.h"

constexpr char kConfigFolderName[] = "\\pivora\\";
constexpr char kSettingsFileName[] = "pivora.ini";
constexpr char kMarkerFileName[] = "somethingchanged.ini";

constexpr char kSectionSettings[] = "SETTINGS";
constexpr char kSectionCalibration[] = "CALIBRATION";
constexpr char kButtonSectionFormat[] = "Button_%d";  // N from 0 to 100, no padding

// SETTINGS
constexpr char kKeyQuorixMode[] = "quorixmode";
constexpr char kKeyUseOnSlew[] = "useonslew";
constexpr char kKeyDoingCalibration[] = "DoingCalibration";  // both files, never read
constexpr char kKeyChanged[] = "Changed";                    // marker file, never read

// Per-axis SETTINGS keys, indexed by Axis (tX, tY, tZ, rX, rY, rZ).
constexpr const char* kKeySensitivity[kAxisCount] = {
    "tXsensitivity", "tYsensitivity", "tZsensitivity", "rXsensitivity", "rYsensitivity", "rZsensitivity"};
constexpr const char* kKeyNullZone[kAxisCount] = {
    "tXnullzone", "tYnullzone", "tZnullzone", "rXnullzone", "rYnullzone", "rZnullzone"};
constexpr const char* kKeyEnabled[kAxisCount] = {
    "tXenabled", "tYenabled", "tZenabled", "rXenabled", "rYenabled", "rZenabled"};
constexpr const char* kKeyInvert[kAxisCount] = {
    "tXinvert", "tYinvert", "tZinvert", "rXinvert", "rYinvert", "rZinvert"};

// CALIBRATION, indexed by Axis.
constexpr const char* kKeyCalibrationMin[kAxisCount] = {"tXmin", "tYmin", "tZmin", "rXmin", "rYmin", "rZmin"};
constexpr const char* kKeyCalibrationMax[kAxisCount] = {"tXmax", "tYmax", "tZmax", "rXmax", "rYmax", "rZmax"};

// Button_N
constexpr char kKeyAssigned[] = "assigned";
constexpr char kKeyKeypress[] = "keypress";
constexpr char kKeyResetRotation[] = "resetrotation";
constexpr char kKeyResetTranslation[] = "resettranslation";
constexpr char kKeyResetAll[] = "resetall";
constexpr char kKeyWithShift[] = "withshift";
constexpr char kKeyWithCtrl[] = "withctrl";
constexpr char kKeyWithAlt[] = "withalt";
constexpr char kKeyKeycode[] = "keycode";

// Aircraft sections: integer-part and fractional-part keys, indexed by
// EyePointAxis (pitch, bank, yaw, backforth, leftright, updown).
constexpr const char* kKeyEyeInteger[kEyeAxisCount] = {"ipitch", "ibank", "iyaw", "ibackforth", "ileftright", "iupdown"};
constexpr const char* kKeyEyeFraction[kEyeAxisCount] = {"fpitch", "fbank", "fyaw", "fbackforth", "fleftright", "fupdown"};

constexpr int kEyePointTextCount = 2 * kEyeAxisCount;  // ipitch, fpitch, ibank, ... fupdown
