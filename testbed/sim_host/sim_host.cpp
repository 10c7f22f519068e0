// The simulated simulator used by the end-to-end tests.
#include "testbed/sim_host/sim_host.h"

#include "tests/wine/common/wine_helpers.h"

#include <cstdio>
#include <deque>
#include <map>
#include <set>

namespace {

typedef int(WINAPI* StartFn)(void);
typedef void(WINAPI* StopFn)(void);

SimHost* gHost;  // the case's host, for the server window's procedure
HMODULE gDouble;

// ---- message box watchdog ----------------------------------------------------

struct Watchdog {
  CRITICAL_SECTION lock;
  std::vector<MessageBoxSeen> seen;
  std::deque<int> answers;  // queued by the test; the default button when empty
  std::set<HWND> answered;
  std::vector<std::string> dialogs;
  std::map<HWND, DWORD> dialogOpenedAt;
  int closeDialogsAfterMs = 300;
  HANDLE thread = nullptr;
  volatile LONG stop = 0;
};
Watchdog gWatchdog;

void WatchSetupDialog(HWND window) {
  EnterCriticalSection(&gWatchdog.lock);
  auto opened = gWatchdog.dialogOpenedAt.find(window);
  if (opened == gWatchdog.dialogOpenedAt.end()) {
    char caption[512] = {};
    GetWindowTextA(window, caption, sizeof caption);
    gWatchdog.dialogs.push_back(caption);
    gWatchdog.dialogOpenedAt[window] = GetTickCount();
  } else if (gWatchdog.closeDialogsAfterMs >= 0 &&
             GetTickCount() - opened->second >= DWORD(gWatchdog.closeDialogsAfterMs)) {
    opened->second = GetTickCount();  // ask again later if it stays
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  LeaveCriticalSection(&gWatchdog.lock);
}

// The box's default button. Wine's message boxes answer DM_GETDEFID with
// IDOK even when they have no OK button (Yes/No), so then the button drawn
// as the default one is looked for.
WORD DefaultButton(HWND box) {
  LRESULT defaultId = SendMessageA(box, DM_GETDEFID, 0, 0);
  if (HIWORD(defaultId) == DC_HASDEFID && GetDlgItem(box, LOWORD(defaultId)) != nullptr) return LOWORD(defaultId);
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return static_cast<WORD>(GetDlgCtrlID(child));
    }
  }
  return IDOK;
}

BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (std::string(className) != "#32770") return TRUE;
  // A message box is a dialog whose text is the static control 0xFFFF.
  HWND textControl = GetDlgItem(window, 0xFFFF);
  if (textControl == nullptr) {
    WatchSetupDialog(window);
    return TRUE;
  }
  EnterCriticalSection(&gWatchdog.lock);
  bool fresh = gWatchdog.answered.insert(window).second;
  int answer = 0;
  if (fresh) {
    char caption[512] = {}, text[2048] = {};
    GetWindowTextA(window, caption, sizeof caption);
    GetWindowTextA(textControl, text, sizeof text);
    gWatchdog.seen.push_back({caption, text, GetWindow(window, GW_OWNER)});
    if (!gWatchdog.answers.empty()) {
      answer = gWatchdog.answers.front();
      gWatchdog.answers.pop_front();
    }
  }
  LeaveCriticalSection(&gWatchdog.lock);
  if (fresh) {
    WORD button = answer != 0 ? static_cast<WORD>(answer) : DefaultButton(window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
  }
  return TRUE;
}

DWORD WINAPI WatchdogThread(LPVOID) {
  while (InterlockedCompareExchange(&gWatchdog.stop, 0, 0) == 0) {
    EnumWindows(AnswerIfMessageBox, 0);
    Sleep(10);
  }
  return 0;
}

// ---- windows ---------------------------------------------------------------

LRESULT CALLBACK ServerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CLOSE) {
    if (gHost != nullptr) {
      ++gHost->serverCloseCount;
      if (gHost->serverWindow == window) gHost->serverWindow = nullptr;
    }
    DestroyWindow(window);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateTopLevel(const char* className, WNDPROC procedure, const char* title) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = className;
  RegisterClassA(&windowClass);  // fails harmlessly when already registered
  return CreateWindowExA(0, className, title, WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                         nullptr, windowClass.hInstance, nullptr);
}

// The case's simulator folder.
ScratchFolder* gFolder;

}  // namespace

std::string PivoraDllPath() { return PIVORA_DLL_PATH; }

std::string BuiltFilePath(const char* which) {
  std::string name = which;
  if (name == "simconnect") return SIMCONNECT_DOUBLE_PATH;
  if (name == "simconnect_nocamera") return SIMCONNECT_NOCAMERA_PATH;
  return std::string();
}

bool SimHostSetUp(SimHost* host, const SimHostOptions& options, std::string* error) {
  gHost = host;
  InitializeCriticalSection(&gWatchdog.lock);
  gWatchdog.seen.clear();
  gWatchdog.answered.clear();
  gWatchdog.answers.clear();
  gWatchdog.dialogs.clear();
  gWatchdog.dialogOpenedAt.clear();
  gWatchdog.closeDialogsAfterMs = options.closeDialogsAfterMs;
  gWatchdog.stop = 0;
  gWatchdog.thread = CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr);

  gFolder = new ScratchFolder("sim");
  host->folder = gFolder->path();
  std::string addOn = host->folder + "\\pivora";
  if (host->folder.empty() || !CreateDirectoryA(addOn.c_str(), nullptr)) {
    *error = "cannot create " + addOn;
    return false;
  }
  if (options.simconnect != SimConnectCopy::kNone) {
    std::string source = BuiltFilePath(
        options.simconnect == SimConnectCopy::kFull ? "simconnect" : "simconnect_nocamera");
    std::string target = addOn + "\\simconnect.dll";
    if (!CopyFileA(source.c_str(), target.c_str(), FALSE)) {
      *error = "cannot copy " + source;
      return false;
    }
    // The module's LoadLibrary of the same file finds this instance.
    gDouble = LoadLibraryA(target.c_str());
    if (gDouble == nullptr) {
      *error = "cannot load " + target;
      return false;
    }
    DOUBLE(Double_Reset)();
  }
  SetCurrentDirectoryA(host->folder.c_str());
  if (options.mainWindow) host->mainWindow = CreateTopLevel("FS98MAIN", DefWindowProcA, "Simulator");
  if (options.serverWindow) {
    host->serverWindow = CreateTopLevel("pivoraserver", ServerWindowProc, "");
  }
  return true;
}

int SimHostStart(SimHost* host) {
  host->module = LoadLibraryA(PivoraDllPath().c_str());
  if (host->module == nullptr) return -1;
  auto start = reinterpret_cast<StartFn>(
      reinterpret_cast<void*>(GetProcAddress(host->module, "DLLStart")));
  return start == nullptr ? -1 : start();
}

void SimHostStop(SimHost* host) {
  if (host->module == nullptr) return;
  auto stop = reinterpret_cast<StopFn>(
      reinterpret_cast<void*>(GetProcAddress(host->module, "DLLStop")));
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
  if (gWatchdog.thread != nullptr) {
    WaitForSingleObject(gWatchdog.thread, 5000);
    CloseHandle(gWatchdog.thread);
    gWatchdog.thread = nullptr;
  }
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  SetCurrentDirectoryA(temp);
  if (gDouble != nullptr) {
    FreeLibrary(gDouble);
    gDouble = nullptr;
  }
  delete gFolder;
  gFolder = nullptr;
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
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    const DWORD elapsed = GetTickCount() - start;
    if (elapsed >= maxMs) return done();
    const DWORD wait = maxMs - elapsed < 5 ? maxMs - elapsed : 5;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
  }
}

void SimHostSetServerTitle(SimHost* host, const char* title) {
  if (host->serverWindow != nullptr) SetWindowTextA(host->serverWindow, title);
}

FARPROC DoubleFunction(const char* name) {
  return gDouble == nullptr ? nullptr : GetProcAddress(gDouble, name);
}

std::vector<std::string> DoubleCalls() {
  std::vector<std::string> calls;
  auto count = DOUBLE(Double_CallCount);
  auto text = DOUBLE(Double_CallText);
  if (count == nullptr || text == nullptr) return calls;
  int n = count();
  char buffer[1024];
  for (int i = 0; i < n; ++i) {
    if (text(i, buffer, sizeof buffer)) calls.push_back(buffer);
  }
  return calls;
}

std::vector<double> DoubleCallTimesMs() {
  std::vector<double> times;
  auto count = DOUBLE(Double_CallCount);
  auto time = DOUBLE(Double_CallTimeMs);
  if (count == nullptr || time == nullptr) return times;
  int n = count();
  for (int i = 0; i < n; ++i) times.push_back(time(i));
  return times;
}

std::vector<std::string> DoubleCallsStartingWith(const char* prefix) {
  std::vector<std::string> matching;
  for (const std::string& call : DoubleCalls()) {
    if (call.rfind(prefix, 0) == 0) matching.push_back(call);
  }
  return matching;
}

std::vector<MessageBoxSeen> MessageBoxesSeen() {
  EnterCriticalSection(&gWatchdog.lock);
  std::vector<MessageBoxSeen> seen = gWatchdog.seen;
  LeaveCriticalSection(&gWatchdog.lock);
  return seen;
}

void SimHostQueueMessageBoxAnswer(int id) {
  EnterCriticalSection(&gWatchdog.lock);
  gWatchdog.answers.push_back(id);
  LeaveCriticalSection(&gWatchdog.lock);
}

std::vector<std::string> DialogsSeen() {
  EnterCriticalSection(&gWatchdog.lock);
  std::vector<std::string> dialogs = gWatchdog.dialogs;
  LeaveCriticalSection(&gWatchdog.lock);
  return dialogs;
}
