// Keeps the server's configuration in step with pivora.ini and
// somethingchanged.ini: notices a change of either file by its write time
// and size, and reads both again with full sharing.
#pragma once
#include <windows.h>

#include "server/server_config.h"

struct ConfigWatch {
  char settingsPath[MAX_PATH];
  char markerPath[MAX_PATH];
  FILETIME stamp[2];
  DWORD size[2];
};

// Builds the two paths under the user's Application Data folder. False when
// that folder is unavailable: the server then runs on the defaults.
bool InitConfigWatch(ConfigWatch* watch);

// True when either file was written, created or removed since the last call
// (the first call always is).
bool ConfigFilesChanged(ConfigWatch* watch);

// Reads both files into `config`; missing files give the defaults.
void LoadServerConfig(const ConfigWatch& watch, ServerConfig* config);
