// A device server that plays a recorded controller session instead of
// reading a controller: a top-level window of class "pivoraserver" whose
// title carries the current frame, for end-to-end tests and demonstrations.
//
//   replay_server.exe [--loop] <recording>
//   replay_server.exe
//
// Each frame is published when its time has come, measured from start-up;
// after the last one the title stays put, or with --loop the session starts
// over (the last frame's time is the length of one pass). Without arguments
// it plays "replay.rec" from its own folder in a loop: the module starts its
// device server with no command line, so for a demonstration this program
// stands in as pivora\pivorasrv.exe with a recording beside it. WM_CLOSE
// ends the program with exit code 0. A bad command line exits with 2, a
// recording that cannot be read with 3; neither shows a window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "module/title_format.h"
#include "module/title_layout.h"
#include "server/recording.h"

constexpr UINT kPollMs = 5;
constexpr UINT_PTR kPollTimerId = 1;
constexpr int kExitUsage = 2;
constexpr int kExitBadRecording = 3;

static std::vector<RecordedFrame> gFrames;
static bool gLoop = false;
static DWORD gStartMs = 0;
static size_t gShown = static_cast<size_t>(-1);

static void Publish(HWND window, size_t index) {
  if (index == gShown) return;
  gShown = index;
  char title[kTitleBufferSize];
  const RecordedFrame& f = gFrames[index];
  FormatDeviceTitle(f.axis, f.button, title, sizeof title);
  SetWindowTextA(window, title);
}

static void OnPoll(HWND window) {
  DWORD elapsedMs = GetTickCount() - gStartMs;
  const uint32_t passMs = gFrames.back().timeMs;
  if (gLoop && passMs > 0 && elapsedMs >= passMs) {
    // Start the next pass where this one should have ended, so a late timer
    // does not stretch the recording.
    gStartMs += elapsedMs / passMs * passMs;
    elapsedMs %= passMs;
  }
  Publish(window, CurrentFrame(gFrames, elapsedMs));
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (wParam == kPollTimerId) OnPoll(window);
      return 0;
    case WM_DESTROY:
      KillTimer(window, kPollTimerId);
      PostQuitMessage(0);
      return 0;
    default:
      // WM_CLOSE included: DefWindowProc destroys the window.
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  const char* path = nullptr;
  for (int i = 1; i < __argc; ++i) {
    if (std::strcmp(__argv[i], "--loop") == 0) {
      gLoop = true;
    } else if (path == nullptr) {
      path = __argv[i];
    } else {
      return kExitUsage;
    }
  }
  char defaultPath[MAX_PATH + 16];
  if (__argc == 1) {
    const DWORD length = GetModuleFileNameA(nullptr, defaultPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return kExitBadRecording;
    char* slash = std::strrchr(defaultPath, '\\');
    std::strcpy(slash ? slash + 1 : defaultPath, "replay.rec");
    path = defaultPath;
    gLoop = true;
  }
  if (path == nullptr) return kExitUsage;

  std::vector<char> text;
  if (!ReadWholeFile(path, &text)) return kExitBadRecording;
  if (!ParseRecording(text.data(), text.size(), &gFrames).ok) return kExitBadRecording;

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = "pivoraserver";
  if (!RegisterClassA(&windowClass)) return 1;

  HWND window = CreateWindowExA(0, "pivoraserver", "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                                640, 80, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  gStartMs = GetTickCount();
  Publish(window, CurrentFrame(gFrames, 0));
  ShowWindow(window, showCommand);
  SetTimer(window, kPollTimerId, kPollMs, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
