// Sets the simulator's list folder aside for a test and gives it back.
#include "tests/wine/remover/simulator_list_folder.h"

#include <windows.h>
#include <shlobj.h>

#include "tests/wine/common/wine_helpers.h"

SimulatorListFolder::SimulatorListFolder() {
  char appData[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE);
  std::string microsoft = std::string(appData) + "\\microsoft";
  CreateDirectoryA(microsoft.c_str(), nullptr);
  path_ = microsoft + "\\fsx";
  // Whatever another user of this prefix keeps there is moved aside, not lost.
  savedPath_ = path_ + ".saved_by_unrigger_e2e";
  if (PathExists(savedPath_)) {
    // A run that died half-way left its own files in place of the real ones.
    DeleteFolderTree(path_);
    MoveFileA(savedPath_.c_str(), path_.c_str());
  }
  if (PathExists(path_)) {
    MoveFileA(path_.c_str(), savedPath_.c_str());
  } else {
    savedPath_.clear();
  }
  CreateDirectoryA(path_.c_str(), nullptr);
}

SimulatorListFolder::~SimulatorListFolder() {
  DeleteFolderTree(path_);
  if (!savedPath_.empty()) MoveFileA(savedPath_.c_str(), path_.c_str());
}
