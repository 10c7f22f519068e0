// pivorasrv: the device server. Reads the six-axis controller (through the
// joystick interface, else Raw Input HID), applies the user's per-axis
// settings and calibration, and publishes each reading as the title of its
// window of class "pivoraserver", where the module reads it every tick.
// Quits on WM_CLOSE. Its command line and exit codes: server_start.h.
//
// The module starts the server without a command line, so a recording
// placed beside the program as "replay.rec" is how a demonstration or a
// test gets the replay source.
#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "module/title_layout.h"
#include "server/axis_processing.h"
#include "server/config_watch_win.h"
#include "server/feel_panel_win.h"
#include "server/joystick_win.h"
#include "server/live_view_win.h"
#include "server/published_title.h"
#include "server/raw_input_win.h"
#include "server/server_start.h"
#include "server/window_scale_win.h"

constexpr char kWindowClass[] = "pivoraserver";
constexpr char kDefaultReplayName[] = "replay.rec";
constexpr DWORD kReadPeriodMs = 10;       // 100 readings a second
constexpr DWORD kConfigPollMs = 100;      // settings take effect this fast
constexpr DWORD kDeviceScanMs = 1000;     // a plugged-in controller is found this fast
// Client area: four lines of text, the live view, the Feel panel.
constexpr int kMarginPx = 10;
constexpr int kTextLineHeightPx = 22;
constexpr int kClientWidthPx = 460;
constexpr int kLiveViewTopPx = kMarginPx + 4 * kTextLineHeightPx + 4;
constexpr int kFeelPanelTopPx = kLiveViewTopPx + kLiveViewHeightPx + 6;
constexpr int kClientHeightPx = kFeelPanelTopPx + kFeelPanelHeightPx + kMarginPx;

enum SourceKind { kSourceDevice, kSourceReplay };

struct ServerState {
  HWND window = nullptr;
  ServerConfig config = DefaultServerConfig();
  ConfigWatch watch{};
  SourceKind source = kSourceDevice;
  JoystickDevice device{};
  DWORD nextScanMs = 0;
  std::string replayPath;
  std::vector<RecordedFrame> replay;
  uint32_t replayStartMs = 0;
  Recorder recorder{};
  bool connected = false;
  const char* deviceName = "";  // of the controller read last
  FeelState feel = kFreshFeelState;
  DWORD lastReadClockMs = 0;  // timeGetTime of the last reading, for the smoothing's step
  bool readAny = false;
  RawReading shownReading{};  // the reading the live view shows
  PublishedFrame shownFrame{};  // and the values sent for it
  bool shownConnected = false;  // and the state
  ShownTitle title{};
};

static ServerState gServer;

static bool FileExists(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// "<program folder>\replay.rec", or empty.
static std::string BesideProgram(const char* name) {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::string();
  std::string result(path, length);
  const size_t slash = result.find_last_of('\\');
  result.resize(slash == std::string::npos ? 0 : slash + 1);
  return result + name;
}

// ---- readings ----------------------------------------------------------------

// The joystick interface first; a controller that only Raw Input sees (many
// 3D mice) next.
static void DeviceReading(DWORD nowMs, RawReading* reading) {
  if (int32_t(nowMs - gServer.nextScanMs) >= 0) {
    gServer.nextScanMs = nowMs + kDeviceScanMs;
    if (!gServer.device.present) FindJoystick(gServer.config.deviceName.c_str(), &gServer.device);
    VerifyRawInputDevice();
  }
  if (ReadJoystick(gServer.device, reading)) {
    gServer.connected = true;
    gServer.deviceName = gServer.device.name;
    return;
  }
  if (gServer.device.present) gServer.nextScanMs = nowMs;  // unplugged: look again at once
  gServer.device.present = false;
  if (RawInputReading(reading, &gServer.deviceName)) {
    gServer.connected = true;
    return;
  }
  // No controller: the frame at rest until one answers.
  gServer.connected = false;
  std::memset(reading, 0, sizeof *reading);
}

static void Publish(const PublishedFrame& frame) {
  char title[kTitleBufferSize];
  if (NextTitle(&gServer.title, frame, gServer.config.doingCalibration, title, sizeof title))
    SetWindowTextA(gServer.window, title);
}

// The text and the live view; the panel's controls paint themselves.
static void InvalidateView() {
  const RECT changing = {0, 0, Px(kClientWidthPx), Px(kFeelPanelTopPx)};
  InvalidateRect(gServer.window, &changing, FALSE);
}

// Repaints at most once a reading, and only what changed and can be seen.
static void ShowReading(const RawReading& reading, const PublishedFrame& frame) {
  if (!LiveViewShowing(gServer.window)) return;
  if (std::memcmp(&reading, &gServer.shownReading, sizeof reading) == 0 &&
      std::memcmp(&frame, &gServer.shownFrame, sizeof frame) == 0 && gServer.shownConnected == gServer.connected)
    return;
  gServer.shownReading = reading;
  gServer.shownFrame = frame;
  gServer.shownConnected = gServer.connected;
  InvalidateView();
}

static void ReadOnce(DWORD nowMs) {
  RawReading reading{};
  if (gServer.source == kSourceReplay) {
    reading = ReplayReading(gServer.replay, nowMs, &gServer.replayStartMs);
  } else {
    DeviceReading(nowMs, &reading);
  }
  RecordReading(&gServer.recorder, nowMs, reading);
  // The smoothing needs the true time between readings: timeGetTime, which
  // timeBeginPeriod makes exact to the millisecond, unlike GetTickCount.
  const DWORD clockMs = timeGetTime();
  const double stepSeconds = gServer.readAny ? (clockMs - gServer.lastReadClockMs) / 1000.0 : kReadingPeriodSeconds;
  gServer.lastReadClockMs = clockMs;
  gServer.readAny = true;
  const PublishedFrame frame = ProcessReading(reading, gServer.config, stepSeconds, &gServer.feel);
  Publish(frame);
  ShowReading(reading, frame);
}

static void ReloadConfig() {
  const std::string oldDevice = gServer.config.deviceName;
  LoadServerConfig(gServer.watch, &gServer.config);
  ShowFeelSettings(gServer.config.feel);
  if (LiveViewShowing(gServer.window)) InvalidateView();  // the mode and the null zones may have changed
  if (gServer.config.deviceName != oldDevice) {
    // Another controller was chosen: look again at once.
    gServer.device.present = false;
    ResetRawInput();
    gServer.nextScanMs = GetTickCount();
  }
}

// ---- window ------------------------------------------------------------------

// Drawn into a bitmap first, so that the view does not flicker while the
// readings change 100 times a second; the panel's controls are clipped out.
static void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC windowDc = BeginPaint(window, &paint);
  // A bitmap of the part to repaint only (the readings invalidate the view,
  // not the panel), placed where that part lies.
  const RECT& part = paint.rcPaint;
  HDC dc = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, part.right - part.left, part.bottom - part.top);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  SetViewportOrgEx(dc, -part.left, -part.top, nullptr);
  FillRect(dc, &part, GetSysColorBrush(COLOR_BTNFACE));
  SetBkMode(dc, TRANSPARENT);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  char lines[4][160];
  if (gServer.source == kSourceReplay) {
    std::snprintf(lines[0], sizeof lines[0], "Controller: recording %s", gServer.replayPath.c_str());
    std::snprintf(lines[1], sizeof lines[1], "State: replaying");
  } else if (gServer.connected) {
    std::snprintf(lines[0], sizeof lines[0], "Controller: %s", gServer.deviceName);
    std::snprintf(lines[1], sizeof lines[1], "State: connected");
  } else {
    std::snprintf(lines[0], sizeof lines[0], "Controller: none found%s%s",
                  gServer.config.deviceName.empty() ? "" : " matching ", gServer.config.deviceName.c_str());
    std::snprintf(lines[1], sizeof lines[1], "State: no controller - plug one in, it is picked up by itself");
  }
  std::snprintf(lines[2], sizeof lines[2], "Mode: %s%s",
                gServer.config.doingCalibration ? "raw readings (calibration in progress)" : "settings applied",
                gServer.recorder.file != nullptr ? ", recording" : "");
  const int32_t* v = gServer.title.frame.axis;
  std::snprintf(lines[3], sizeof lines[3], "tX %ld  tY %ld  tZ %ld  rX %ld  rY %ld  rZ %ld  button %ld",
                long(v[0]), long(v[1]), long(v[2]), long(v[3]), long(v[4]), long(v[5]),
                long(gServer.title.frame.button));
  for (int i = 0; i < 4; ++i)
    TextOutA(dc, Px(kMarginPx), Px(kMarginPx) + Px(kTextLineHeightPx) * i, lines[i], int(std::strlen(lines[i])));
  const RECT view = {Px(kMarginPx), Px(kLiveViewTopPx), Px(kClientWidthPx) - Px(kMarginPx),
                     Px(kLiveViewTopPx) + Px(kLiveViewHeightPx)};
  PaintLiveView(dc, view, gServer.shownReading, gServer.shownFrame, gServer.config);
  PaintFeelPanelFrame(dc);
  BitBlt(windowDc, part.left, part.top, part.right - part.left, part.bottom - part.top, dc, part.left, part.top,
         SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window, &paint);
}

static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the paint covers the whole window
    case WM_HSCROLL:
    case WM_COMMAND:
      if (OnFeelPanelInput(reinterpret_cast<HWND>(lParam), message, wParam, gServer.watch.path[kWatchServer],
                           &gServer.config.feel))
        return 0;
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_INPUT:
      if (gServer.source == kSourceDevice)
        OnRawInput(reinterpret_cast<HRAWINPUT>(lParam), gServer.config.deviceName.c_str());
      // The system frees the input's buffer in the default handling.
      return DefWindowProcA(window, message, wParam, lParam);
    case WM_INPUT_DEVICE_CHANGE:
      if (wParam == GIDC_REMOVAL) OnRawInputDeviceRemoved(reinterpret_cast<HANDLE>(lParam));
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      // WM_CLOSE included: DefWindowProc destroys the window.
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

// ---- start-up and loop -------------------------------------------------------

static void RunLoop() {
  DWORD nextReadMs = GetTickCount();
  DWORD nextConfigMs = nextReadMs;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    const DWORD nowMs = GetTickCount();
    if (int32_t(nowMs - nextConfigMs) >= 0) {
      nextConfigMs = nowMs + kConfigPollMs;
      if (ConfigFilesChanged(&gServer.watch)) ReloadConfig();
    }
    if (int32_t(nowMs - nextReadMs) >= 0) {
      nextReadMs += kReadPeriodMs;
      // After a stall, carry on from now rather than catching up.
      if (int32_t(nowMs - nextReadMs) >= 0) nextReadMs = nowMs + kReadPeriodMs;
      ReadOnce(nowMs);
    }
    const int32_t waitMs = int32_t(nextReadMs - GetTickCount());
    if (WaitForInputOrConfigChange(&gServer.watch, waitMs > 0 ? DWORD(waitMs) : 0)) nextConfigMs = GetTickCount();
  }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  // One server only: the module reads whichever window it finds first.
  if (FindWindowA(kWindowClass, nullptr) != nullptr) return 0;

  ServerStart start = ReadServerCommandLine(__argc, __argv);
  if (start.exitCode != 0) return start.exitCode;
  const std::string besideReplay = BesideProgram(kDefaultReplayName);
  if (start.replayBeside && !besideReplay.empty() && FileExists(besideReplay.c_str()))
    start.replayPath = besideReplay.c_str();
  const int opened = OpenServerSources(start, &gServer.replay, &gServer.recorder);
  if (opened != 0) return opened;
  if (start.replayPath != nullptr) {
    gServer.replayPath = start.replayPath;
    gServer.source = kSourceReplay;
  }

  InitConfigWatch(&gServer.watch);
  ConfigFilesChanged(&gServer.watch);
  LoadServerConfig(gServer.watch, &gServer.config);

  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  if (!RegisterClassA(&windowClass)) return 1;
  ReadWindowDpi();
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame = {0, 0, Px(kClientWidthPx), Px(kClientHeightPx)};
  AdjustWindowRect(&frame, style, FALSE);
  gServer.window = CreateWindowExA(0, kWindowClass, "", style, CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                   frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (gServer.window == nullptr) return 1;
  CreateFeelPanel(gServer.window, Px(kMarginPx), Px(kFeelPanelTopPx), Px(kClientWidthPx) - 2 * Px(kMarginPx),
                  gServer.config.feel);
  if (gServer.source == kSourceDevice) StartRawInput(gServer.window);

  // 10 ms waits need the finer system timer; without it they round up to
  // the default 15.6 ms tick.
  timeBeginPeriod(1);
  gServer.replayStartMs = GetTickCount();
  ReadOnce(gServer.replayStartMs);
  ShowWindow(gServer.window, showCommand);
  RunLoop();
  timeEndPeriod(1);
  StopRecording(&gServer.recorder);
  return 0;
}
