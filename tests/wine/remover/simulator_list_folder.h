// The simulator's add-on list folder %APPDATA%\microsoft\fsx, empty for a
// test and removed afterwards: in a test prefix it holds nothing but what
// these tests put there. Shared by the removal program's and the install
// helper's tests, which run under the CTest lock "fsx_addon_lists".
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"

class SimulatorListFolder {
 public:
  SimulatorListFolder() {
    char appData[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE);
    CreateDirectoryA((std::string(appData) + "\\microsoft").c_str(), nullptr);
    path_ = std::string(appData) + "\\microsoft\\fsx";
    // A run that died half-way leaves its files behind.
    DeleteFolderTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~SimulatorListFolder() { DeleteFolderTree(path_); }
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};
