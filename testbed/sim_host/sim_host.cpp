// The simulated simulator used by the end-to-end tests.
#include "testbed/sim_host/sim_host.h"

#include <memory>
#include <set>

#include "tests/wine/common/wine_helpers.h"

namespace {

SimHost* gHost;  // the case's host, for the server window's procedure
HMODULE gDouble;
std::unique_ptr<ScratchFolder> gFolder;  // the case's simulator folder
unsigned gTimerMessages;  // WM_TIMER dispatched by SimHostPumpUntil: the module's ticks

struct Watchdog {
  CRITICAL_SECTION lock;
  std::vector<MessageBoxSeen> seen;
  std::set<HWND> answered;
  HANDLE thread = nullptr;
  volatile LONG stop = 0;
};
Watchdog gWatchdog;

struct WatchdogLock {
  WatchdogLock() { EnterCriticalSection(&gWatchdog.lock); }
  ~WatchdogLock() { LeaveCriticalSection(&gWatchdog.lock); }
};

// The box's default button. Wine's message boxes answer DM_GETDEFID with
// IDOK even when they have no OK button (Yes/No), so then the button drawn
// as the default one is looked for.
WORD DefaultButton(HWND box) {
  LRESULT defaultId = SendMessageA(box, DM_GETDEFID, 0, 0);
  if (HIWORD(defaultId) == DC_HASDEFID && GetDlgItem(box, LOWORD(defaultId)) != nullptr) return LOWORD(defaultId);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) return WORD(GetDlgCtrlID(child));
  }
  return IDOK;
}

BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window) || std::string(className) != "#32770") return TRUE;
  // A message box is a dialog whose text is the static control 0xFFFF; the
  // setup dialogs are left to the case that opens them.
  HWND textControl = GetDlgItem(window, 0xFFFF);
  if (textControl == nullptr) return TRUE;
  {
    WatchdogLock lock;
    if (!gWatchdog.answered.insert(window).second) return TRUE;
    gWatchdog.seen.push_back({WindowText(window), WindowText(textControl), GetWindow(window, GW_OWNER)});
  }
  PostMessageA(window, WM_COMMAND, MAKEWPARAM(DefaultButton(window), BN_CLICKED), 0);
  return TRUE;
}

DWORD WINAPI WatchdogThread(LPVOID) {
  while (InterlockedCompareExchange(&gWatchdog.stop, 0, 0) == 0) {
    EnumWindows(AnswerIfMessageBox, 0);
    Sleep(10);
  }
  return 0;
}

LRESULT CALLBACK ServerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_CLOSE) return DefWindowProcA(window, message, wParam, lParam);
  ++gHost->serverCloseCount;
  if (gHost->serverWindow == window) gHost->serverWindow = nullptr;
  DestroyWindow(window);
  return 0;
}

HWND CreateTopLevel(const char* className, WNDPROC procedure, const char* title) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

template <typename Function>
Function ModuleFunction(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool SimHostSetUp(SimHost* host, const SimHostOptions& options, std::string* error) {
  gHost = host;
  InitializeCriticalSection(&gWatchdog.lock);
  gWatchdog.seen.clear();
  gWatchdog.answered.clear();
  gWatchdog.stop = 0;
  gWatchdog.thread = CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr);

  gFolder.reset(new ScratchFolder("sim"));
  host->folder = gFolder->path();
  const std::string addOn = host->folder + "\\pivora";
  if (host->folder.empty() || !CreateDirectoryA(addOn.c_str(), nullptr)) {
    *error = "cannot create " + addOn;
    return false;
  }
  if (options.simconnect != SimConnectCopy::kNone) {
    const char* source =
        options.simconnect == SimConnectCopy::kFull ? SIMCONNECT_DOUBLE_PATH : SIMCONNECT_NOCAMERA_PATH;
    const std::string target = addOn + "\\simconnect.dll";
    // The module's LoadLibrary of the same file finds this instance, a fresh
    // one: no earlier case loaded a file of this folder.
    if (!CopyFileA(source, target.c_str(), FALSE) || (gDouble = LoadLibraryA(target.c_str())) == nullptr) {
      *error = std::string("cannot copy and load ") + source;
      return false;
    }
  }
  SetCurrentDirectoryA(host->folder.c_str());
  host->mainWindow = CreateTopLevel("FS98MAIN", DefWindowProcA, "Simulator");
  if (options.serverWindow) SimHostOpenServerWindow(host);
  return true;
}

int SimHostStart(SimHost* host) {
  host->module = LoadLibraryA(PIVORA_DLL_PATH);
  auto start = host->module == nullptr ? nullptr : ModuleFunction<int(WINAPI*)()>(host->module, "DLLStart");
  return start == nullptr ? -1 : start();
}

void SimHostStop(SimHost* host) {
  if (host->module == nullptr) return;
  auto stop = ModuleFunction<void(WINAPI*)()>(host->module, "DLLStop");
  if (stop != nullptr) stop();
  FreeLibrary(host->module);
  host->module = nullptr;
}

void SimHostTearDown(SimHost* host) {
  SimHostStop(host);
  if (host->serverWindow != nullptr) DestroyWindow(host->serverWindow);
  if (host->mainWindow != nullptr) DestroyWindow(host->mainWindow);
  host->serverWindow = host->mainWindow = nullptr;
  InterlockedExchange(&gWatchdog.stop, 1);
  WaitForSingleObject(gWatchdog.thread, 5000);
  CloseHandle(gWatchdog.thread);
  gWatchdog.thread = nullptr;  // a second teardown closes nothing
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  SetCurrentDirectoryA(temp);
  if (gDouble != nullptr) FreeLibrary(gDouble);
  gDouble = nullptr;
  gFolder.reset();
  gHost = nullptr;
}

void SimHostPump(DWORD ms) {
  SimHostPumpUntil(ms, [] { return false; });
}

bool SimHostPumpUntil(DWORD maxMs, const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  for (;;) {
    // One message at a time: a tick that blocks (a key press waits up to a
    // second) leaves the next WM_TIMER due at once, and draining the queue
    // would then never end.
    MSG message;
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_TIMER) ++gTimerMessages;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= maxMs) return done();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, maxMs - elapsed < 5 ? maxMs - elapsed : 5, QS_ALLINPUT);
  }
}

unsigned SimHostTimerMessages() { return gTimerMessages; }

void SimHostOpenServerWindow(SimHost* host) {
  host->serverWindow = CreateTopLevel("pivoraserver", ServerWindowProc, "");
}

FARPROC DoubleFunction(const char* name) { return gDouble == nullptr ? nullptr : GetProcAddress(gDouble, name); }

std::vector<std::string> DoubleCallsStartingWith(const char* prefix) {
  std::vector<std::string> calls;
  char buffer[1024];
  for (int i = 0, n = gDouble == nullptr ? 0 : DOUBLE(Double_CallCount)(); i < n; ++i) {
    if (DOUBLE(Double_CallText)(i, buffer, sizeof buffer) && std::string(buffer).rfind(prefix, 0) == 0)
      calls.push_back(buffer);
  }
  return calls;
}

std::vector<MessageBoxSeen> MessageBoxesSeen() {
  WatchdogLock lock;
  return gWatchdog.seen;
}
