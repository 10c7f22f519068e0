// A settings file as years of use leave it: SETTINGS, CALIBRATION, the 101
// button sections and 300 aircraft sections, written by the module's own
// save sequences. Shared by the native and the Wine-side benchmarks.
#pragma once
#include <string>

#include "setup/configuration.h"

constexpr int kRealisticAircraftCount = 300;

inline std::string RealisticAircraftTitle(int n) {
  static const char* const kMakes[] = {"Beech Baron 58", "Cessna Skyhawk 172SP", "Mooney Bravo",
                                       "Boeing 737-800", "Airbus A321", "Bombardier CRJ 700 [Air Dolomiti]",
                                       "Piper J-3 Cub", "DeHavilland Beaver DHC2 = floats; ski"};
  return std::string(kMakes[n % 8]) + " Paint" + std::to_string(n);
}

inline std::string RealisticSettingsFile() {
  IniDocument doc;
  ParseIniDocument(std::string(), &doc);
  ApplyIniWrites(&doc, CalibrationFlagWrites(0));
  ModuleSettings settings = kDefaultModuleSettings;
  settings.axis[kAxisRZ].sensitivity = 140;
  ApplyIniWrites(&doc, SettingsWrites(settings));
  const AxisCalibration calibration[kAxisCount] = {{-510, 498}, {-505, 502}, {-490, 512}, {-350, 347}, {-360, 351}, {-420, 410}};
  ApplyIniWrites(&doc, CalibrationWrites(calibration));
  ButtonAssignment table[kButtonCount] = {};
  table[1] = {1, 0, 0, 0, 1, 0, 0, 0, 0};
  table[2] = {1, 1, 0, 0, 0, 1, 0, 0, 0x56};
  ApplyIniWrites(&doc, ButtonAssignmentWrites(table));
  const char* const texts[kEyePointTextCount] = {"-3", "5", "0", "0", "12", "25", "0", "0", "-0", "0012", "1", "5"};
  for (int n = 0; n < kRealisticAircraftCount; ++n) {
    ApplyIniWrites(&doc, DefaultEyePointWrites(RealisticAircraftTitle(n), texts));
  }
  return SerializeIniDocument(doc);
}
