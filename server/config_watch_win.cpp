// A file counts as changed when its time or size differs: the module
// replaces its files by moving a new one over them, which a folder
// notification reports in ways that differ between systems, while the new
// file's time and size are always observable. The folder notification only
// wakes the server early, so that the calibration dialog's flag is seen at
// once rather than at the next poll; where it is unavailable (the folder did
// not exist at start-up) the poll alone serves.

#include "server/config_watch_win.h"

#include <shlobj.h>

#include <cstdio>
#include <cstring>

#include "setup/configuration_file_win.h"
#include "setup/configuration_keys.h"

bool InitConfigWatch(ConfigWatch* watch) {
  std::memset(watch, 0, sizeof *watch);
  watch->change = INVALID_HANDLE_VALUE;
  // A stamp no file has, so that the first poll reports a change.
  for (DWORD& size : watch->size) size = 0xFFFFFFFFu;
  char appData[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE)) return false;
  const char* const names[kWatchedFileCount] = {kSettingsFileName, kMarkerFileName, kServerFileName};
  for (int f = 0; f < kWatchedFileCount; ++f) {
    const int n = std::snprintf(watch->path[f], MAX_PATH, "%s%s%s", appData, kConfigFolderName, names[f]);
    if (n <= 0 || n >= MAX_PATH) {
      std::memset(watch->path, 0, sizeof watch->path);
      return false;
    }
  }
  char folder[MAX_PATH];
  const int c = std::snprintf(folder, sizeof folder, "%s%s", appData, kConfigFolderName);
  folder[c - 1] = '\0';  // a folder is named without its final backslash
  watch->change = FindFirstChangeNotificationA(
      folder, FALSE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_SIZE);
  return true;
}

bool WaitForInputOrConfigChange(ConfigWatch* watch, DWORD waitMs) {
  const DWORD handles = watch->change != INVALID_HANDLE_VALUE ? 1 : 0;
  if (MsgWaitForMultipleObjects(handles, &watch->change, FALSE, waitMs, QS_ALLINPUT) != WAIT_OBJECT_0 ||
      handles == 0)
    return false;
  // Armed again before the files are looked at, so that a write after the
  // look wakes the server once more.
  FindNextChangeNotification(watch->change);
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
  bool changed = false;
  for (int f = 0; f < kWatchedFileCount; ++f) changed |= Restamp(watch->path[f], &watch->stamp[f], &watch->size[f]);
  return changed;
}

void LoadServerConfig(const ConfigWatch& watch, ServerConfig* config) {
  IniDocument doc[kWatchedFileCount];
  ConfigFileStatus status[kWatchedFileCount];
  for (int f = 0; f < kWatchedFileCount; ++f) status[f] = ReadConfigFile(watch.path[f], &doc[f]);
  const bool serverFileUnreadable = status[kWatchServer] == kConfigFileUnreadable;
  ReadServerFiles(doc[kWatchSettings], doc[kWatchMarker], doc[kWatchServer], serverFileUnreadable, config);
}
