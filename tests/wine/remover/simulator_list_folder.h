// The simulator's add-on list folder %APPDATA%\microsoft\fsx, emptied for a
// test: in a test prefix it holds nothing but what these tests put there.
// Shared by the removal program's and the install helper's tests, which run
// under the CTest lock "fsx_addon_lists".
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"

inline std::string EmptySimulatorListFolder() {
  char appData[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE);
  CreateDirectoryA((std::string(appData) + "\\microsoft").c_str(), nullptr);
  const std::string folder = std::string(appData) + "\\microsoft\\fsx";
  DeleteFolderTree(folder);
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}
