// pivora-install: puts Pivora into the simulator in the steps a user would
// otherwise do by hand, or takes it out again, and says plainly what it did
// and what is missing.
//
//   pivora-install.exe [--sim <folder>] [--simconnect <file>]
//                      [--winsxs <folder>] [--no-pause]
//   pivora-install.exe --remove [--purge] [--sim <folder>] [--no-pause]
//
// The simulator's folder is --sim, else its install path from the registry
// (SetupPath or AppPath under ...\Flight Simulator\10.0, the user's key
// first); it must hold fsx.exe. The steps themselves are in helper_steps.cpp;
// this file is the platform under them.
// Exit code 0 when everything is done, 1 when something is not, 2 for a bad
// command line.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>
#include <vector>

#include "install/helper_steps.h"
#include "remover/file_ops_win.h"

namespace {

constexpr char kSimulatorKey[] = "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";
// How long the device server gets to end after WM_CLOSE; it ends within one
// message, so this only runs out for a hung server.
constexpr DWORD kServerEndWaitMs = 5000;
constexpr DWORD kServerPollMs = 50;

std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  std::string result = n == 0 || n >= sizeof full ? path : std::string(full);
  while (result.size() > 3 && (result.back() == '\\' || result.back() == '/')) result.pop_back();
  return result;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? "." : path.substr(0, slash);
}

bool FolderExistsOp(void*, const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool MakeFolderOp(void* context, const std::string& path) {
  CreateDirectoryA(path.c_str(), nullptr);
  return FolderExistsOp(context, path);
}

bool RemoveFolderOp(void*, const std::string& path) { return RemoveDirectoryA(path.c_str()) != 0; }

std::vector<std::string> FolderEntriesOp(void*, const std::string& folder, bool folders) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::string name = entry.cFileName;
    const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isFolder == folders && name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

static_assert(REG_SZ == 1 && REG_EXPAND_SZ == 2, "the portable registry types are the platform's");

std::string RegistryValueOp(void*, bool machine, const char* value) {
  HKEY key;
  if (RegOpenKeyExA(machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER, kSimulatorKey, 0, KEY_READ, &key) !=
      ERROR_SUCCESS) {
    return std::string();
  }
  char data[MAX_PATH] = "";
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::string();
  return RegistryValueText(type, data, size < sizeof data ? size : sizeof data - 1);
}

bool WindowExistsOp(void*, const char* className) { return FindWindowA(className, nullptr) != nullptr; }

bool CloseWindowAndWaitOp(void*, const char* className) {
  HWND window = FindWindowA(className, nullptr);
  if (window == nullptr) return true;
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  PostMessageA(window, WM_CLOSE, 0, 0);
  if (process != nullptr) {
    const bool ended = WaitForSingleObject(process, kServerEndWaitMs) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
  }
  // Without a handle on the process, its window going is the sign.
  for (DWORD waited = 0; waited < kServerEndWaitMs; waited += kServerPollMs) {
    if (FindWindowA(className, nullptr) == nullptr) return true;
    Sleep(kServerPollMs);
  }
  return false;
}

void SayOp(void*, const std::string& line) {
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  const HelperOps ops{PlatformFileOps(), FolderExistsOp,  MakeFolderOp,   RemoveFolderOp,       FolderEntriesOp,
                      RegistryValueOp,   WindowExistsOp,  CloseWindowAndWaitOp, SayOp};
  HelperOptions options;
  if (!ReadHelperOptions(std::vector<std::string>(argv + 1, argv + argc), ops, &options)) return kExitUsage;
  if (!options.sim.empty()) options.sim = FullPath(options.sim);
  HelperPlaces places;
  places.programFolder = FolderOf(OwnExecutablePath());
  char appData[MAX_PATH] = "";
  if (SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE)) places.appData = appData;
  char windows[MAX_PATH] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  places.windowsFolder = windows;
  const int exitCode = RunHelper(options, places, ops);
  // Started by a double click, the console window would vanish before the
  // user has read it.
  if (options.pause) {
    SayOp(nullptr, "Press Enter to close.");
    std::getchar();
  }
  return exitCode;
}
