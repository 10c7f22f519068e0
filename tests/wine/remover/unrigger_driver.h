// Drives the real unrigger.exe from a test: a scratch installation folder,
// the simulator's add-on list folder, the program's windows and message
// boxes, and what the stand-in uninstaller recorded.
#pragma once
#include <windows.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"

// The simulator's folder under the application data folder, emptied for the
// test and given back as it was afterwards.
class SimulatorListFolder {
 public:
  SimulatorListFolder();
  ~SimulatorListFolder();
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
  std::string savedPath_;
};

// Puts unrigger.exe and the stand-in st6unst.exe into `folder`.
bool InstallUnrigger(const std::string& folder);

// setup.lst with the three keys; absent keys are left out.
std::string SetupList(const char* title, const char* type, const char* core);

// Event that keeps the stand-in uninstaller running until released.
class UninstallerHold {
 public:
  UninstallerHold();
  ~UninstallerHold();
  void Release();

 private:
  HANDLE event_;
};

struct UninstallerRecord {
  bool present = false;
  std::string command;
  std::string folder;
  int show = -1;
  bool ended = false;
};
// True while a process named st6unst.exe exists (the hold keeps it alive).
bool UninstallerProcessRunning();
UninstallerRecord ReadUninstallerRecord(const std::string& workingFolder);
// Waits until the stand-in has written its record (and, if `ended`, its end).
bool WaitForUninstallerRecord(const std::string& workingFolder, bool ended, DWORD timeoutMs);

// unrigger.exe started from `programFolder` in `workingFolder`.
class UnriggerRun : public Program {
 public:
  UnriggerRun(const std::string& programFolder, const std::string& workingFolder);
};

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  int buttons = 0;
  bool hasIcon = false;
};
// Reads the box's caption, text and buttons, then presses its OK.
MessageBoxSeen AnswerMessageBox(HWND box);

RECT ChildRectInParent(HWND child);
