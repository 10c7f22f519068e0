// What the device server takes from the configuration files: the per-axis
// settings and calibration ranges of pivora.ini, the device it should read,
// and whether the calibration dialog is open. Portable: no Windows header.
#pragma once
#include <cstdint>
#include <string>

#include "setup/configuration_records.h"
#include "setup/ini_document.h"

// SETTINGS key of the server's own: part of a controller's name; the first
// controller whose name contains it (case-insensitively) is read. Empty or
// missing: the first suitable controller.
constexpr char kKeyServerDevice[] = "serverdevice";

// The server's own settings file, beside pivora.ini: the module never
// touches it, so the module's saves cannot race with the server's.
constexpr char kServerFileName[] = "pivorasrv.ini";

// SETTINGS keys of pivorasrv.ini: the motion feel per axis group, each a
// percent 0..100 (0, the default, leaves the processing as it always was),
// and the dominant axis, on only when exactly 1.
constexpr char kKeyTranslationCurve[] = "translationcurve";
constexpr char kKeyRotationCurve[] = "rotationcurve";
constexpr char kKeyTranslationSmoothing[] = "translationsmoothing";
constexpr char kKeyRotationSmoothing[] = "rotationsmoothing";
constexpr char kKeyDominantAxis[] = "dominantaxis";

// Longest device name kept from the key.
constexpr size_t kServerDeviceNameChars = 127;

// One side of an axis as calibrated: the magnitude of the extreme raw
// reading on that side, 0 when the file has no usable value.
struct CalibratedRange {
  int32_t negative;  // from <axis>min
  int32_t positive;  // from <axis>max
};

enum AxisGroup { kGroupTranslation, kGroupRotation, kGroupCount };

// The motion feel as read, each percent limited to 0..100; all 0: off.
struct FeelSettings {
  int32_t curve[kGroupCount];      // response curve "expo"
  int32_t smoothing[kGroupCount];  // 0 off
  bool dominantAxis;
};

struct ServerConfig {
  ModuleSettings settings;              // defaults where the file has nothing
  CalibratedRange range[kAxisCount];    // tX, tY, tZ, rX, rY, rZ
  bool doingCalibration;                // DoingCalibration is "1" in the marker file
  std::string deviceName;               // kKeyServerDevice, possibly empty
  FeelSettings feel;                    // from pivorasrv.ini
};

// Reads both documents (either may be empty: a missing file). Never fails:
// whatever is missing or unreadable takes its default.
void ReadServerConfig(const IniDocument& settingsFile, const IniDocument& markerFile, ServerConfig* config);

// Reads the feel from pivorasrv.ini (possibly empty: a missing file). A key
// that is missing or holds no number gives 0, the setting off.
void ReadFeelSettings(const IniDocument& serverFile, FeelSettings* feel);

// The whole configuration from the documents of pivora.ini,
// somethingchanged.ini and pivorasrv.ini. `serverFileUnreadable`: pivorasrv.ini
// exists but could not be read at this moment, so the feel stays as it was
// rather than switching off under the pilot's hand.
void ReadServerFiles(const IniDocument& settingsFile, const IniDocument& markerFile, const IniDocument& serverFile,
                     bool serverFileUnreadable, ServerConfig* config);

// The writes that store `feel` in pivorasrv.ini.
IniWriteList FeelSettingsWrites(const FeelSettings& feel);

// The configuration before any file has been read.
ServerConfig DefaultServerConfig();
