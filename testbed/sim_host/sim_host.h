// Plays the simulator for end-to-end tests of the real pivora.dll: a scratch
// simulator folder with the add-on's "pivora" subfolder, a main window of
// class "FS98MAIN", the module loaded, started, pumped, stopped and unloaded,
// and a watchdog that answers message boxes.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "testbed/simconnect_double/double_control.h"

// Which SimConnect library the scratch folder gets as pivora\simconnect.dll.
enum class SimConnectCopy { kFull, kWithoutCamera, kNone };

struct SimHostOptions {
  SimConnectCopy simconnect = SimConnectCopy::kFull;
  bool serverWindow = true;  // create a "pivoraserver" window so no server is started
};

struct MessageBoxSeen {
  std::string caption;
  std::string text;
  HWND owner = nullptr;  // the window that owns the box
};

struct SimHost {
  std::string folder;  // the simulator's folder, current folder while the case runs
  HWND mainWindow = nullptr;
  HWND serverWindow = nullptr;
  HMODULE module = nullptr;  // pivora.dll while loaded
  int serverCloseCount = 0;  // WM_CLOSE messages the server window received
};

// Prepares the folder and windows and loads the SimConnect double (unless
// kNone) so that the test can steer it. Returns false with a reason in `error`.
bool SimHostSetUp(SimHost* host, const SimHostOptions& options, std::string* error);
// LoadLibrary of pivora.dll and DLLStart; returns DLLStart's result.
int SimHostStart(SimHost* host);
void SimHostStop(SimHost* host);
void SimHostTearDown(SimHost* host);

// Runs the thread's message loop (and so the module's tick) for `ms`.
void SimHostPump(DWORD ms);
// Pumps until `done` returns true or `maxMs` has passed; returns `done()`.
bool SimHostPumpUntil(DWORD maxMs, const std::function<bool()>& done);
// WM_TIMER messages the pump has dispatched so far: ticks that ran even when
// they made no call the double could count.
unsigned SimHostTimerMessages();

// Creates the test's "pivoraserver" window (SimHostSetUp does unless told not to).
void SimHostOpenServerWindow(SimHost* host);

// The SimConnect double's calls whose text starts with `prefix`, oldest first.
std::vector<std::string> DoubleCallsStartingWith(const char* prefix);
inline std::vector<std::string> DoubleCalls() { return DoubleCallsStartingWith(""); }
// Resolves one of the double's Double_* control functions.
FARPROC DoubleFunction(const char* name);
// A Double_* control function of the loaded double, typed as declared in
// double_control.h: DOUBLE(Double_QueueEvent)(0, 3, 0).
#define DOUBLE(name) \
  reinterpret_cast<decltype(&::name)>(reinterpret_cast<void*>(DoubleFunction(#name)))

// The message boxes the watchdog answered with their default button so far,
// oldest first. The watchdog runs from SetUp to TearDown.
std::vector<MessageBoxSeen> MessageBoxesSeen();
