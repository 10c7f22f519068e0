#include "tests/wine/common/wine_helpers.h"

#include <shlobj.h>

#include <cstdio>
#include <vector>

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok =
      WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
  return CloseHandle(file) && ok;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  return ReadBytes(path, &bytes) ? bytes : "<missing>";
}

namespace {
// Calls `visit(name, isFolder)` for each entry of `folder` but "." and "..".
template <typename Visit>
void ForEachEntry(const std::string& folder, Visit visit) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = found.cFileName;
    if (name != "." && name != "..") visit(name, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}
}  // namespace

FolderFiles ReadFolderFiles(const std::string& folder) {
  FolderFiles files;
  ForEachEntry(folder, [&](const std::string& name, bool isFolder) {
    if (isFolder) files[name + "\\"] = "<folder>";
    else ReadBytes(folder + "\\" + name, &files[name]);
  });
  return files;
}

void DeleteFolderTree(const std::string& folder) {
  if (folder.empty()) return;
  ForEachEntry(folder, [&](const std::string& name, bool isFolder) {
    const std::string path = folder + "\\" + name;
    if (isFolder) return DeleteFolderTree(path);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
  });
  RemoveDirectoryA(folder.c_str());
}

ScratchFolder::ScratchFolder(const std::string& name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  static unsigned serial;
  for (;;) {
    char path[MAX_PATH];
    std::snprintf(path, sizeof path, "%spivora-%s-%lu-%lu-%u", temp, name.c_str(), GetCurrentProcessId(),
                  GetTickCount(), ++serial);
    if (CreateDirectoryA(path, nullptr)) {
      path_ = path;
      return;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return;
  }
}

ScratchFolder::~ScratchFolder() { DeleteFolderTree(path_); }

AppDataFolder::AppDataFolder() {
  char appData[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE);
  folder_ = std::string(appData) + "\\pivora";
  aside_ = folder_ + ".aside-" + std::to_string(GetCurrentProcessId());
  movedAside_ = MoveFileA(folder_.c_str(), aside_.c_str()) != FALSE;
}

AppDataFolder::~AppDataFolder() {
  DeleteFolderTree(folder_);
  if (movedAside_) MoveFileA(aside_.c_str(), folder_.c_str());
}

bool AppDataFolder::Put(const char* name, const std::string& bytes) const {
  CreateDirectoryA(folder_.c_str(), nullptr);
  return WriteBytes(File(name), bytes);
}

bool WaitUntil(DWORD maxMs, const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start >= maxMs) return done();
    Sleep(5);
  }
  return true;
}

Program::~Program() {
  if (process_.hProcess != nullptr) {
    // A test that failed half-way must not leave the program running.
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  if (output_pipe_ != nullptr) CloseHandle(output_pipe_);
}

bool Program::Start(const std::string& path, const std::string& arguments, const char* folder, bool captureOutput) {
  std::string command = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  HANDLE writeEnd = nullptr;
  if (captureOutput) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    if (!CreatePipe(&output_pipe_, &writeEnd, &inherit, 0)) return false;
    SetHandleInformation(output_pipe_, HANDLE_FLAG_INHERIT, 0);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  }
  const bool started = CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, captureOutput,
                                      captureOutput ? CREATE_NO_WINDOW : 0, nullptr, folder, &startup, &process_);
  if (writeEnd != nullptr) CloseHandle(writeEnd);
  if (!started) process_ = PROCESS_INFORMATION{};
  return started;
}

void Program::ReadOutput() {
  DWORD available = 0;
  char chunk[4096];
  while (output_pipe_ != nullptr && PeekNamedPipe(output_pipe_, nullptr, 0, nullptr, &available, nullptr) &&
         available > 0) {
    DWORD got = 0;
    if (!ReadFile(output_pipe_, chunk, sizeof chunk < available ? sizeof chunk : available, &got, nullptr)) break;
    output_.append(chunk, got);
  }
}

bool Program::WaitForExit(DWORD maxMs) {
  if (process_.hProcess == nullptr) return false;
  const bool ended = WaitUntil(maxMs, [this] {
    ReadOutput();
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
  });
  ReadOutput();
  return ended;
}

DWORD Program::ExitCode() const {
  DWORD code = STILL_ACTIVE;
  if (process_.hProcess != nullptr) GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND Program::WaitForWindow(const char* className, bool visibleOnly, DWORD maxMs) const {
  HWND found = nullptr;
  WaitUntil(maxMs, [&] {
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr && found == nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if (owner == process_.dwProcessId && (!visibleOnly || IsWindowVisible(window))) found = window;
    }
    return found != nullptr || WaitForSingleObject(process_.hProcess, 0) != WAIT_TIMEOUT;
  });
  return found;
}

long RunToExit(const std::string& path, const std::string& arguments, DWORD maxMs, std::string* output) {
  Program program;
  if (!program.Start(path, arguments, nullptr, output != nullptr)) return -2;
  const bool ended = program.WaitForExit(maxMs);
  if (output != nullptr) *output = program.Output();
  return ended ? static_cast<long>(program.ExitCode()) : -1;
}

HWND FindOwnDialog(const char* caption) {
  HWND window = FindWindowA("#32770", caption);
  if (window == nullptr || !IsWindowVisible(window)) return nullptr;
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  return pid == GetCurrentProcessId() ? window : nullptr;
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000,
                      &length);
  return std::string(text, length);
}
