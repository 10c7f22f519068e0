// Polling the file times rather than a change notification: the module
// replaces its files by moving a new one over them, which a folder
// notification reports in ways that differ between systems, while the new
// file's time and size are always observable.

#include "server/config_watch_win.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "setup/configuration_file_win.h"
#include "setup/configuration_keys.h"

bool InitConfigWatch(ConfigWatch* watch) {
  std::memset(watch, 0, sizeof *watch);
  // A stamp no file has, so that the first poll reports a change.
  watch->size[0] = watch->size[1] = 0xFFFFFFFFu;
  char appData[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE)) return false;
  const int a = std::snprintf(watch->settingsPath, sizeof watch->settingsPath, "%s%s%s", appData,
                              kConfigFolderName, kSettingsFileName);
  const int b = std::snprintf(watch->markerPath, sizeof watch->markerPath, "%s%s%s", appData,
                              kConfigFolderName, kMarkerFileName);
  if (a <= 0 || b <= 0 || a >= MAX_PATH || b >= MAX_PATH) {
    watch->settingsPath[0] = watch->markerPath[0] = '\0';
    return false;
  }
  return true;
}

static bool Restamp(const char* path, FILETIME* stamp, DWORD* size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (path[0] == '\0' || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) std::memset(&data, 0, sizeof data);
  const bool changed = CompareFileTime(&data.ftLastWriteTime, stamp) != 0 || data.nFileSizeLow != *size;
  *stamp = data.ftLastWriteTime;
  *size = data.nFileSizeLow;
  return changed;
}

bool ConfigFilesChanged(ConfigWatch* watch) {
  const bool settings = Restamp(watch->settingsPath, &watch->stamp[0], &watch->size[0]);
  const bool marker = Restamp(watch->markerPath, &watch->stamp[1], &watch->size[1]);
  return settings || marker;
}

void LoadServerConfig(const ConfigWatch& watch, ServerConfig* config) {
  IniDocument settings;
  IniDocument marker;
  ReadConfigFile(watch.settingsPath, &settings);
  ReadConfigFile(watch.markerPath, &marker);
  ReadServerConfig(settings, marker, config);
}
