// The device server link. The server is a separate process that publishes
// each reading as the title of its window of class "pivoraserver"; the module
// starts it once and then only watches that window.
#include "module/device_link.h"

#include <cstdio>

#include "module/lifecycle.h"
#include "module/title_layout.h"
#include "module/title_parse.h"

DeviceFrame gDeviceFrame;
HWND gServerWindow;

namespace {

constexpr const char* kServerClass = "pivoraserver";
constexpr const char* kServerStartFailedCaption = "Error running Pivora Server application";
// A hung server must not hang the simulator at exit; a healthy one answers
// WM_CLOSE long before this.
constexpr UINT kServerCloseTimeoutMs = 3000;

}  // namespace

void StartDeviceServer() {
  if (FindWindowA(kServerClass, nullptr) != nullptr) return;  // already running

  char folder[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  char path[2 * MAX_PATH];
  std::snprintf(path, sizeof path, "%s\\pivora\\pivorasrv.exe", folder);

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNOACTIVATE;  // never take the focus from the simulator
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(path, nullptr, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                      folder, &startup, &process)) {
    MessageBoxA(gSimulatorWindow, path, kServerStartFailedCaption, MB_OK);
    return;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

void ReadDevice() {
  if (!IsWindow(gServerWindow)) {
    // The read that finds the window does not parse it; the next one does.
    gServerWindow = FindWindowA(kServerClass, nullptr);
    return;
  }
  char title[kTitleBufferSize];
  int length = GetWindowTextA(gServerWindow, title, sizeof title);
  if (length < 0) length = 0;
  gDeviceFrame = ParseDeviceTitle(title, size_t(length));
}

void StopDeviceServer() {
  if (gServerWindow == nullptr) return;
  DWORD_PTR ignored;
  SendMessageTimeoutA(gServerWindow, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kServerCloseTimeoutMs,
                      &ignored);
  gServerWindow = nullptr;
}
