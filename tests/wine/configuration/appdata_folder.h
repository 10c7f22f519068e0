// The configuration folder under the prefix's Application Data folder, set
// aside for the length of a test and put back afterwards. Tests that use it
// run under the CTest lock "appdata".
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <string>

class AppDataFolder {
 public:
  AppDataFolder() {
    char appData[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, FALSE);
    folder_ = std::string(appData) + "\\pivora";
    aside_ = folder_ + ".aside-" + std::to_string(GetCurrentProcessId());
    movedAside_ = MoveFileA(folder_.c_str(), aside_.c_str()) != FALSE;
  }
  ~AppDataFolder() {
    Empty();
    if (movedAside_) MoveFileA(aside_.c_str(), folder_.c_str());
  }
  AppDataFolder(const AppDataFolder&) = delete;
  AppDataFolder& operator=(const AppDataFolder&) = delete;

  // "...\pivora" without the trailing backslash.
  const std::string& Path() const { return folder_; }
  std::string File(const char* name) const { return folder_ + "\\" + name; }

  // Removes the folder and the files in it (it has no subfolders).
  void Empty() const {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA(File(found.cFileName).c_str());
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(folder_.c_str());
  }

 private:
  std::string folder_;
  std::string aside_;
  bool movedAside_ = false;
};
