// Keeps the server's configuration in step with pivora.ini,
// somethingchanged.ini and its own pivorasrv.ini: notices a change of any of
// them by its write time and size, and reads them again with full sharing.
#pragma once
#include <windows.h>

#include "server/server_config.h"

enum WatchedFile { kWatchSettings, kWatchMarker, kWatchServer, kWatchedFileCount };

struct ConfigWatch {
  char path[kWatchedFileCount][MAX_PATH];
  FILETIME stamp[kWatchedFileCount];
  DWORD size[kWatchedFileCount];
  HANDLE change;  // notice of writes in their folder, or INVALID_HANDLE_VALUE
};

// Builds the paths under the user's Application Data folder. False when
// that folder is unavailable: the server then runs on the defaults.
bool InitConfigWatch(ConfigWatch* watch);

// True when any of the files was written, created or removed since the last call
// (the first call always is).
bool ConfigFilesChanged(ConfigWatch* watch);

// Waits up to `waitMs` for window messages or a write in the configuration
// folder. True when a write woke it: the caller then looks at the files at
// once instead of at its next poll.
bool WaitForInputOrConfigChange(ConfigWatch* watch, DWORD waitMs);

// Reads the files into `config`; missing files give the defaults.
void LoadServerConfig(const ConfigWatch& watch, ServerConfig* config);
