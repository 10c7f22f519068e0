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
