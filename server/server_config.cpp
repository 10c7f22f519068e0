// Reads the server's view of the configuration with the module's own INI
// engine and record readers, so both sides agree on names and defaults.

#include "server/server_config.h"

#include "setup/configuration.h"
#include "setup/configuration_keys.h"

// A calibration value is a magnitude; a hand-edited negative one is taken by
// its size, and one that does not fit (INT32_MIN) counts as missing.
static int32_t RangeValue(const IniDocument& doc, const char* key) {
  const int32_t value = ReadIniInt(doc, kSectionCalibration, key, 0);
  if (value == INT32_MIN) return 0;
  return value < 0 ? -value : value;
}

ServerConfig DefaultServerConfig() {
  ServerConfig config{};
  config.settings = kDefaultModuleSettings;
  return config;
}

void ReadServerConfig(const IniDocument& settingsFile, const IniDocument& markerFile, ServerConfig* config) {
  ReadModuleSettings(settingsFile, &config->settings);
  for (int a = 0; a < kAxisCount; ++a) {
    config->range[a].negative = RangeValue(settingsFile, kKeyCalibrationMin[a]);
    config->range[a].positive = RangeValue(settingsFile, kKeyCalibrationMax[a]);
  }
  // The marker file is written last of the two, so once it says "1" the
  // dialog is open; the value is text and only exactly "1" means open.
  char flag[8];
  ReadIniString(markerFile, kSectionSettings, kKeyDoingCalibration, "0", flag, sizeof flag);
  config->doingCalibration = flag[0] == '1' && flag[1] == '\0';

  char name[kServerDeviceNameChars + 1];
  ReadIniString(settingsFile, kSectionSettings, kKeyServerDevice, "", name, sizeof name);
  config->deviceName = name;
}

static int32_t ReadPercent(const IniDocument& doc, const char* key) {
  const int32_t value = ReadIniInt(doc, kSectionSettings, key, 0);
  return value < 0 ? 0 : (value > 100 ? 100 : value);
}

void ReadFeelSettings(const IniDocument& serverFile, FeelSettings* feel) {
  feel->curve[kGroupTranslation] = ReadPercent(serverFile, kKeyTranslationCurve);
  feel->curve[kGroupRotation] = ReadPercent(serverFile, kKeyRotationCurve);
  feel->smoothing[kGroupTranslation] = ReadPercent(serverFile, kKeyTranslationSmoothing);
  feel->smoothing[kGroupRotation] = ReadPercent(serverFile, kKeyRotationSmoothing);
  feel->dominantAxis = ReadIniInt(serverFile, kSectionSettings, kKeyDominantAxis, 0) == 1;
}

void ReadServerFiles(const IniDocument& settingsFile, const IniDocument& markerFile, const IniDocument& serverFile,
                     bool serverFileUnreadable, ServerConfig* config) {
  ReadServerConfig(settingsFile, markerFile, config);
  if (!serverFileUnreadable) ReadFeelSettings(serverFile, &config->feel);
}

IniWriteList FeelSettingsWrites(const FeelSettings& feel) {
  const auto text = [](int32_t value) { return std::to_string(value); };
  return {{kSectionSettings, kKeyTranslationCurve, text(feel.curve[kGroupTranslation])},
          {kSectionSettings, kKeyRotationCurve, text(feel.curve[kGroupRotation])},
          {kSectionSettings, kKeyTranslationSmoothing, text(feel.smoothing[kGroupTranslation])},
          {kSectionSettings, kKeyRotationSmoothing, text(feel.smoothing[kGroupRotation])},
          {kSectionSettings, kKeyDominantAxis, feel.dominantAxis ? "1" : "0"}};
}
