// The module's entry points: DllMain, DLLStart and DLLStop, and the 25 ms
// thread timer that carries all later work.
//
// Everything runs on the simulator's thread that calls DLLStart. The tick is
// a thread timer, so any message loop on that thread (a setup dialog's, a
// message box's) keeps delivering it.
#include "module/lifecycle.h"

#include "module/device_link.h"

#include "module/session.h"
#include "module/simconnect_binding.h"
#include "module/tick.h"
#include "setup/configuration_store.h"

HINSTANCE gModuleInstance;
HWND gSimulatorWindow;

namespace {

constexpr UINT kTickMs = 25;
constexpr const char* kSimConnectLibrary = "pivora\\simconnect.dll";
constexpr const char* kSimConnectMissingText =
    "Cannot load simconnect.dll. Please make sure that simconnect.dll is installed in the same "
    "spplication's folder, or try to install the application again.";

UINT_PTR gTickTimer;
bool gSimConnectBound;  // false while the module is inert

void CALLBACK OnTickTimer(HWND, UINT, UINT_PTR, DWORD) { RunTick(); }

}  // namespace

HWND FindSimulatorWindow() { return FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr); }

BOOL WINAPI DllMain(HINSTANCE instance, DWORD /*reason*/, LPVOID /*reserved*/) {
  gModuleInstance = instance;
  gSimulatorWindow = FindSimulatorWindow();
  return TRUE;
}

extern "C" int WINAPI DLLStart(void) {
  gSimulatorWindow = FindSimulatorWindow();

  // The relative path names the add-on's own copy beside the simulator's
  // program; the library stays loaded until the process ends.
  HMODULE library = LoadLibraryA(kSimConnectLibrary);
  // A library that lacks a function the module calls is as unusable as a
  // missing one: stay inert rather than call through a null pointer.
  if (library == nullptr || !BindSimConnect(library)) {
    MessageBoxA(gSimulatorWindow, kSimConnectMissingText, kMessageCaption, MB_OK);
    return 0;
  }
  gSimConnectBound = true;

  // The current aircraft is still unknown: this loads the settings and the
  // buttons, and fixes the paths that every later write uses.
  LoadConfiguration("");
  // A calibration that ended with the simulator leaves the flag on.
  SetCalibrationFlag(0);
  StartDeviceServer();
  OpenSession();
  gTickTimer = SetTimer(nullptr, 0, kTickMs, OnTickTimer);
  return 0;
}

extern "C" void WINAPI DLLStop(void) {
  if (gTickTimer != 0) {
    KillTimer(nullptr, gTickTimer);
    gTickTimer = 0;
  }
  if (gSimConnectBound) CloseSession();
  StopDeviceServer();
}
