// pivora-install: puts Pivora into the simulator in the three steps a user
// would otherwise do by hand, and says plainly what it did and what is
// missing.
//
//   pivora-install.exe [--sim <folder>] [--simconnect <file>]
//                      [--winsxs <folder>] [--no-pause]
//
// 1. The simulator's folder: --sim, else its install path from the registry
//    (SetupPath or AppPath under ...\Flight Simulator\10.0, the user's key
//    first). It must hold fsx.exe.
// 2. The pivora folder beside this program (pivora.dll, pivorasrv.exe) is
//    copied to <simulator>\pivora\.
// 3. The simulator's own SimConnect library, --simconnect or the newest
//    SimConnect side-by-side assembly under %WINDIR%\WinSxS (or --winsxs),
//    is copied to <simulator>\pivora\simconnect.dll.
// 4. The Launch.Addon entry goes into %APPDATA%\Microsoft\FSX\dll.xml: the
//    file is made when missing, an entry is never added twice, the first
//    version we change is kept as dll.xml.before_pivora_install, and the new
//    list is written beside it and moved over it, so the list is never left
//    half written.
// Exit code 0 when everything is in place, 1 when something is missing, 2
// for a bad command line.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "remover/addon_list_text.h"
#include "install/assembly_folders.h"

constexpr char kSimulatorKey[] = "Software\\Microsoft\\Microsoft Games\\Flight Simulator\\10.0";
constexpr char kBackupSuffix[] = ".before_pivora_install";
constexpr char kTempSuffix[] = ".pivora-new";
constexpr int kExitMissing = 1;
constexpr int kExitUsage = 2;
constexpr size_t kMaxListBytes = 16u * 1024u * 1024u;

struct Options {
  std::string sim;
  std::string simconnect;
  std::string winsxs;
  bool pause = true;
};

static bool gAllDone = true;

static void Say(const std::string& line) { std::printf("%s\n", line.c_str()); }
static void Missing(const std::string& line) {
  gAllDone = false;
  Say("MISSING: " + line);
}

static bool IsFile(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}
static bool IsFolder(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}
static std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}
static std::string FullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
  return n == 0 || n >= sizeof full ? path : WithoutTrailingSlash(full);
}
static std::string ProgramFolder() {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  std::string result(path, n < sizeof path ? n : 0);
  const size_t slash = result.find_last_of('\\');
  return slash == std::string::npos ? "." : result.substr(0, slash);
}

static bool ReadFileBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const DWORD size = GetFileSize(file, nullptr);
  bool ok = size != INVALID_FILE_SIZE && size <= kMaxListBytes;
  if (ok) {
    bytes->assign(size, '\0');
    DWORD read = 0;
    ok = size == 0 || (ReadFile(file, &(*bytes)[0], size, &read, nullptr) && read == size);
  }
  CloseHandle(file);
  return ok;
}

// Writes beside the target, flushes, then moves over it in one step.
static bool ReplaceFileWhole(const std::string& path, const std::string& bytes) {
  const std::string temp = path + kTempSuffix;
  HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() ||
            (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size());
  ok = FlushFileBuffers(file) && ok;
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

// ---- 1. the simulator's folder -------------------------------------------------

static std::string RegistryPath(HKEY root, const char* value) {
  HKEY key;
  if (RegOpenKeyExA(root, kSimulatorKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::string();
  char data[MAX_PATH] = "";
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG result = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return std::string();
  data[size < sizeof data ? size : sizeof data - 1] = '\0';
  return WithoutTrailingSlash(data);
}

static std::string FindSimulator(const Options& options) {
  std::vector<std::pair<std::string, std::string>> candidates;
  if (!options.sim.empty()) {
    candidates.push_back({FullPath(options.sim), "given on the command line"});
  } else {
    const HKEY roots[] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE};
    for (HKEY root : roots) {
      for (const char* value : {"SetupPath", "AppPath"}) {
        const std::string path = RegistryPath(root, value);
        if (!path.empty()) candidates.push_back({path, std::string("registry value ") + value});
      }
    }
  }
  for (const auto& c : candidates) {
    if (IsFile(c.first + "\\fsx.exe")) {
      Say("Simulator folder: " + c.first + " (" + c.second + ")");
      return c.first;
    }
    Say("Not the simulator's folder (no fsx.exe): " + c.first + " (" + c.second + ")");
  }
  if (candidates.empty()) Say("The registry names no simulator folder.");
  Missing("the simulator's folder. Run again with --sim \"<folder that holds fsx.exe>\".");
  return std::string();
}

// ---- 2. the add-on's own files -------------------------------------------------

static void CopyAddonFiles(const std::string& sim) {
  const std::string source = ProgramFolder() + "\\pivora";
  const std::string target = sim + "\\pivora";
  CreateDirectoryA(target.c_str(), nullptr);
  if (!IsFolder(target)) {
    Missing("could not create " + target);
    return;
  }
  if (lstrcmpiA(FullPath(source).c_str(), FullPath(target).c_str()) == 0) {
    Say("The pivora folder is already in the simulator's folder: " + target);
    return;
  }
  for (const char* name : {"pivora.dll", "pivorasrv.exe"}) {
    const std::string from = source + "\\" + name;
    const std::string to = target + "\\" + name;
    if (!IsFile(from)) {
      Missing(std::string(name) + " beside this program (" + from + "). Unpack the whole package first.");
    } else if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
      Missing("could not copy " + from + " to " + to + " (is the simulator running?)");
    } else {
      Say("Copied " + std::string(name) + " to " + to);
    }
  }
}

// ---- 3. SimConnect -------------------------------------------------------------

static std::vector<std::string> FolderNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) names.push_back(entry.cFileName);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  return names;
}

static void CopySimConnect(const std::string& sim, const Options& options) {
  const std::string target = sim + "\\pivora\\simconnect.dll";
  std::string source;
  if (!options.simconnect.empty()) {
    if (IsFile(options.simconnect)) source = options.simconnect;
    else Say("No such file: " + options.simconnect);
  } else {
    std::string winsxs = options.winsxs;
    if (winsxs.empty()) {
      char windows[MAX_PATH] = "";
      GetWindowsDirectoryA(windows, sizeof windows);
      winsxs = std::string(windows) + "\\WinSxS";
    }
    for (const std::string& name : SimConnectFoldersNewestFirst(FolderNames(winsxs))) {
      const std::string candidate = winsxs + "\\" + name + "\\SimConnect.dll";
      if (IsFile(candidate)) {
        source = candidate;
        break;
      }
    }
    if (source.empty()) Say("No SimConnect assembly with a SimConnect.dll under " + winsxs);
  }
  if (source.empty()) {
    Missing("the simulator's SimConnect library. Install the SimConnect redistributable of the simulator's SDK "
            "(SimConnect.msi), or run again with --simconnect \"<path of SimConnect.dll>\".");
    return;
  }
  if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
    Missing("could not copy " + source + " to " + target);
    return;
  }
  Say("Copied SimConnect from " + source + " to " + target);
}

// ---- 4. dll.xml ----------------------------------------------------------------

static void AddToAddonList() {
  char appData[MAX_PATH] = "";
  if (!SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE)) {
    Missing("the Application Data folder, so dll.xml could not be found");
    return;
  }
  const std::string microsoft = std::string(appData) + "\\Microsoft";
  const std::string folder = microsoft + "\\FSX";
  CreateDirectoryA(microsoft.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string list = folder + "\\dll.xml";
  const bool exists = IsFile(list);
  std::string bytes;
  if (exists && !ReadFileBytes(list, &bytes)) {
    Missing("could not read " + list);
    return;
  }
  std::string updated;
  switch (AddModuleEntry(bytes, exists, "Pivora", "pivora\\pivora.dll", &updated)) {
    case kAddonAlreadyThere:
      Say("Pivora is already listed in " + list + ": left as it is");
      return;
    case kAddonNotAList:
      Missing(list + " is not a list of modules we can read (no </SimBase.Document>): left as it is. "
              "Add the entry of dll-entry.txt by hand.");
      return;
    case kAddonUnsupported:
      Missing(list + " is not plain text (UTF-16?): left as it is. Add the entry of dll-entry.txt by hand.");
      return;
    case kAddonCreated:
    case kAddonAdded:
      break;
  }
  std::string backupNote;
  if (exists) {
    const std::string backup = list + kBackupSuffix;
    if (IsFile(backup)) {
      backupNote = " (the backup " + backup + " from an earlier run is kept)";
    } else if (CopyFileA(list.c_str(), backup.c_str(), TRUE)) {
      backupNote = " (the old list is kept as " + backup + ")";
    } else {
      Missing("could not back up " + list + ": left as it is");
      return;
    }
  }
  if (!ReplaceFileWhole(list, updated)) {
    Missing("could not write " + list + ": left as it was");
    return;
  }
  Say(std::string(exists ? "Added Pivora to " : "Created ") + list + (exists ? "" : " listing Pivora") + backupNote);
}

// ---- main ----------------------------------------------------------------------

static bool ParseOptions(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const std::string option = argv[i];
    if (option == "--no-pause") {
      options->pause = false;
      continue;
    }
    if (i + 1 >= argc) return false;
    if (option == "--sim") options->sim = argv[++i];
    else if (option == "--simconnect") options->simconnect = argv[++i];
    else if (option == "--winsxs") options->winsxs = argv[++i];
    else return false;
  }
  return true;
}

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, &options)) {
    Say("Usage: pivora-install [--sim <simulator folder>] [--simconnect <SimConnect.dll>] [--winsxs <folder>] "
        "[--no-pause]");
    return kExitUsage;
  }
  Say("Pivora install helper");
  const std::string sim = FindSimulator(options);
  if (!sim.empty()) {
    CopyAddonFiles(sim);
    CopySimConnect(sim, options);
    AddToAddonList();
  }
  Say(gAllDone ? "Done. Start the simulator: its Add-ons menu shows Pivora."
               : "Not finished: see the MISSING lines above, and INSTALL.txt for doing it by hand.");
  std::fflush(stdout);
  // Started by a double click, the console window would vanish before the
  // user has read it.
  if (options.pause) {
    Say("Press Enter to close.");
    std::getchar();
  }
  return gAllDone ? 0 : kExitMissing;
}
