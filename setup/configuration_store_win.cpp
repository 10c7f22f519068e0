// Where the configuration files live: "<Application Data>\pivora\", found
// through the shell and created on the first load.
#include "setup/configuration_store.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstring>

#include "setup/configuration_file_win.h"

namespace {

// "<Application Data>\pivora\" into `folder`, created when missing (one
// level only, unchecked: a missing folder shows up as failed saves).
bool PrepareFolder(char (&folder)[kConfigPathChars]) {
  if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE)) return false;
  const size_t length = std::strlen(folder);
  const size_t needed = length + sizeof kConfigFolderName - 1 + sizeof kMarkerFileName;
  if (needed > kConfigPathChars) return false;
  std::memcpy(folder + length, kConfigFolderName, sizeof kConfigFolderName);
  if (!PathIsDirectoryA(folder)) CreateDirectoryA(folder, nullptr);
  return true;
}

}  // namespace

void LoadConfiguration(const char* aircraftTitle) {
  std::memset(gSettingsPath, 0, sizeof gSettingsPath);
  std::memset(gMarkerPath, 0, sizeof gMarkerPath);
  gConfigFileOps = kPlatformConfigFileOps;
  char folder[kConfigPathChars];
  if (PrepareFolder(folder)) {
    std::strcpy(gSettingsPath, folder);
    std::strcat(gSettingsPath, kSettingsFileName);
    std::strcpy(gMarkerPath, folder);
    std::strcat(gMarkerPath, kMarkerFileName);
  }
  ReadConfiguration(aircraftTitle);
}
