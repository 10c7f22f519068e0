// Helpers that run unrigger.exe as the user would, from another process.
#include "unrigger_driver.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kRecordName = "st6unst_record.txt";
constexpr const char* kReleaseEventName = "PivoraTestSt6unstRelease";

std::string RecordValue(const std::string& record, const std::string& key) {
  std::size_t start = record.find(key + "=");
  if (start == std::string::npos) return std::string();
  start += key.size() + 1;
  std::size_t end = record.find('\n', start);
  return record.substr(start, end == std::string::npos ? std::string::npos : end - start);
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

UnriggerRun::UnriggerRun(const std::string& programFolder, const std::string& workingFolder) {
  Start(programFolder + "\\unrigger.exe", "", workingFolder.c_str());
}

SimulatorListFolder::~SimulatorListFolder() {
  DeleteFolderTree(path_);
  if (!savedPath_.empty()) MoveFileA(savedPath_.c_str(), path_.c_str());
}

bool InstallUnrigger(const std::string& folder) {
  return CopyFileA(UNRIGGER_EXE_PATH, (folder + "\\unrigger.exe").c_str(), FALSE) != 0 &&
         CopyFileA(ST6UNST_STANDIN_PATH, (folder + "\\st6unst.exe").c_str(), FALSE) != 0;
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
  return WaitUntil(timeoutMs, [&] {
    const UninstallerRecord record = ReadUninstallerRecord(workingFolder);
    return record.present && record.show != -1 && (!ended || record.ended);
  });
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

RECT ChildRectInParent(HWND child) {
  RECT rect;
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
