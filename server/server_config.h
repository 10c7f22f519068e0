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

// Longest device name kept from the key.
constexpr size_t kServerDeviceNameChars = 127;

// One side of an axis as calibrated: the magnitude of the extreme raw
// reading on that side, 0 when the file has no usable value.
struct CalibratedRange {
  int32_t negative;  // from <axis>min
  int32_t positive;  // from <axis>max
};

struct ServerConfig {
  ModuleSettings settings;              // defaults where the file has nothing
  CalibratedRange range[kAxisCount];    // tX, tY, tZ, rX, rY, rZ
  bool doingCalibration;                // DoingCalibration is "1" in the marker file
  std::string deviceName;               // kKeyServerDevice, possibly empty
};

// Reads both documents (either may be empty: a missing file). Never fails:
// whatever is missing or unreadable takes its default.
void ReadServerConfig(const IniDocument& settingsFile, const IniDocument& markerFile, ServerConfig* config);

// The configuration before any file has been read.
ServerConfig DefaultServerConfig();
