// Helpers that run unrigger.exe as the user would, from another process.
#include "unrigger_driver.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr DWORD kPollMs = 20;
constexpr const char* kRecordName = "st6unst_record.txt";
constexpr const char* kReleaseEventName = "PivoraTestSt6unstRelease";

void DeleteFolderTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolderTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string RecordValue(const std::string& record, const std::string& key) {
  std::size_t start = record.find(key + "=");
  if (start == std::string::npos) return std::string();
  start += key.size() + 1;
  std::size_t end = record.find('\n', start);
  return record.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

struct WindowSearch {
  DWORD processId;
  const char* className;
  bool visible;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<WindowSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[64] = "";
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && lstrcmpiA(className, search->className) == 0 &&
      (!search->visible || IsWindowVisible(window))) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

struct BoxChildren {
  std::string text;
  int buttons;
  bool hasIcon;
  HWND okButton;
};

BOOL CALLBACK InspectBoxChild(HWND child, LPARAM parameter) {
  auto* seen = reinterpret_cast<BoxChildren*>(parameter);
  char className[64] = "";
  GetClassNameA(child, className, sizeof className);
  if (!IsWindowVisible(child)) return TRUE;
  LONG style = GetWindowLongA(child, GWL_STYLE);
  if (lstrcmpiA(className, "Button") == 0) {
    ++seen->buttons;
    if (GetDlgCtrlID(child) == IDOK) seen->okButton = child;
  } else if (lstrcmpiA(className, "Static") == 0) {
    if ((style & SS_TYPEMASK) == SS_ICON) {
      // The box keeps its icon control even when it shows no icon.
      if (SendMessageA(child, STM_GETICON, 0, 0) != 0) seen->hasIcon = true;
    } else {
      std::string text = WindowText(child);
      if (!text.empty()) seen->text = text;
    }
  }
  return TRUE;
}

}  // namespace

bool WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  return CloseHandle(file) && ok;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bytes->clear();
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes->append(chunk, got);
  CloseHandle(file);
  return true;
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FolderFiles ReadFolderFiles(const std::string& folder) {
  FolderFiles files;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files[name + "\\"] = "<folder>";
    } else {
      ReadBytes(folder + "\\" + name, &files[name]);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return files;
}

ScratchFolder::ScratchFolder(const std::string& name) {
  char temp[MAX_PATH] = "";
  GetTempPathA(sizeof temp, temp);
  path_ = std::string(temp) + "unrigger_e2e_" + std::to_string(GetCurrentProcessId()) + "_" + name;
  DeleteFolderTree(path_);
  CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { DeleteFolderTree(path_); }

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

bool InstallUnrigger(const std::string& folder, bool withUninstaller) {
  bool ok = CopyFileA(UNRIGGER_EXE_PATH, (folder + "\\unrigger.exe").c_str(), FALSE) != 0;
  if (withUninstaller) {
    ok = CopyFileA(ST6UNST_STANDIN_PATH, (folder + "\\st6unst.exe").c_str(), FALSE) != 0 && ok;
  }
  return ok;
}

std::string SetupList(const char* title, const char* type, const char* core) {
  std::string text = "[Bootstrap]\r\nSetupTitle=Install\r\n\r\n[Setup]\r\n";
  if (title != nullptr) text += std::string("Title=") + title + "\r\n";
  if (type != nullptr) text += std::string("Type=") + type + "\r\n";
  if (core != nullptr) text += std::string("Core=") + core + "\r\n";
  text += "\r\n[Setup1 Files]\r\nFile1=@pivora.dll,$(AppPath)\r\n";
  return text;
}

UninstallerHold::UninstallerHold() : event_(CreateEventA(nullptr, TRUE, FALSE, kReleaseEventName)) {}

UninstallerHold::~UninstallerHold() {
  Release();
  CloseHandle(event_);
}

void UninstallerHold::Release() { SetEvent(event_); }

bool UninstallerProcessRunning() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  bool running = false;
  for (BOOL more = Process32First(snapshot, &entry); more && !running;
       more = Process32Next(snapshot, &entry)) {
    running = lstrcmpiA(entry.szExeFile, "st6unst.exe") == 0;
  }
  CloseHandle(snapshot);
  return running;
}

UninstallerRecord ReadUninstallerRecord(const std::string& workingFolder) {
  UninstallerRecord record;
  std::string text;
  if (!ReadBytes(workingFolder + "\\" + kRecordName, &text)) return record;
  record.present = true;
  record.command = RecordValue(text, "command");
  record.folder = RecordValue(text, "folder");
  std::string show = RecordValue(text, "show");
  record.show = show.empty() ? -1 : std::atoi(show.c_str());
  record.ended = text.find("ended\n") != std::string::npos;
  return record;
}

bool WaitForUninstallerRecord(const std::string& workingFolder, bool ended, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    UninstallerRecord record = ReadUninstallerRecord(workingFolder);
    if (record.present && record.show != -1 && (!ended || record.ended)) return true;
    if (GetTickCount() - start > timeoutMs) return false;
    Sleep(kPollMs);
  }
}

UnriggerRun::UnriggerRun(const std::string& programFolder, const std::string& workingFolder) {
  std::string exe = programFolder + "\\unrigger.exe";
  std::vector<char> commandLine(exe.begin(), exe.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      workingFolder.c_str(), &startup, &process_)) {
    process_ = PROCESS_INFORMATION{};
  }
}

UnriggerRun::~UnriggerRun() {
  if (process_.hProcess == nullptr) return;
  // A test that failed half-way must not leave the program running.
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_.hProcess, 1);
  }
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND UnriggerRun::WaitForWindow(const char* className, bool visible, DWORD timeoutMs) const {
  DWORD start = GetTickCount();
  for (;;) {
    WindowSearch search{process_.dwProcessId, className, visible, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) return nullptr;
    if (GetTickCount() - start > timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

bool UnriggerRun::WaitForExit(DWORD timeoutMs) const {
  return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

MessageBoxSeen AnswerMessageBox(HWND box) {
  MessageBoxSeen seen;
  seen.caption = WindowText(box);
  BoxChildren children{std::string(), 0, false, nullptr};
  EnumChildWindows(box, InspectBoxChild, reinterpret_cast<LPARAM>(&children));
  seen.text = children.text;
  seen.buttons = children.buttons;
  seen.hasIcon = children.hasIcon;
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(children.okButton));
  return seen;
}

std::string WindowText(HWND window) {
  char text[1024] = "";
  DWORD_PTR length = 0;
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                      SMTO_ABORTIFHUNG, 5000, &length);
  return std::string(text, length);
}

RECT ChildRectInParent(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
