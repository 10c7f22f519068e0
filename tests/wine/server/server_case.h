// The real pivorasrv.exe started by the real pivora.dll in the simulated
// simulator from <sim>\pivora\, replaying the replay.rec beside it.
#pragma once
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "module/title_parse.h"
#include "testbed/sim_host/sim_host.h"
#include "tests/wine/common/wine_helpers.h"

// Generous: every Wine process here runs under emulation.
constexpr DWORD kServerStartTimeoutMs = 30000;

inline bool InstallServer(const SimHost& host, const std::string& recording) {
  const std::string folder = host.folder + "\\pivora\\";
  return CopyFileA(PIVORASRV_PATH, (folder + "pivorasrv.exe").c_str(), FALSE) &&
         WriteBytes(folder + "replay.rec", recording);
}

// Camera calls read from the SimConnect double as they come.
struct CameraLog {
  struct Call {
    float value[6];  // leftright, updown, backforth, pitch, bank, yaw
    double timeMs;   // the double's clock
  };
  std::vector<Call> calls;
  int seen = 0;

  void Update() {
    char line[1024];
    for (const int n = DOUBLE(Double_CallCount)(); seen < n; ++seen) {
      Call c{};
      if (DOUBLE(Double_CallText)(seen, line, sizeof line) &&
          std::sscanf(line, "CameraSetRelative6DOF(H, %f, %f, %f, %f, %f, %f)", &c.value[0], &c.value[1],
                      &c.value[2], &c.value[3], &c.value[4], &c.value[5]) == 6) {
        c.timeMs = DOUBLE(Double_CallTimeMs)(seen);
        calls.push_back(c);
      }
    }
  }

  // Change of field `f` from call i - 1 to call i; yaw across its wrap.
  float Step(size_t i, int f) const {
    const float d = calls[i].value[f] - calls[i - 1].value[f];
    return f == 5 && d > 180 ? d - 360 : f == 5 && d < -180 ? d + 360 : d;
  }

  // The first call from `from` on that moves field `f` by `step`, or 0.
  size_t FindStep(int f, float step, size_t from = 1) const {
    for (size_t i = from < 1 ? 1 : from; i < calls.size(); ++i) {
      if (std::abs(Step(i, f) - step) < 2e-4f) return i;
    }
    return 0;
  }

  // The last few steps of field `f`, for failure messages.
  std::string Recent(int f) const {
    std::string text = std::to_string(calls.size()) + " calls, last steps:";
    for (size_t i = calls.size() > 8 ? calls.size() - 8 : 1; i < calls.size(); ++i)
      text += " " + std::to_string(Step(i, f));
    return text;
  }
};

inline HWND ServerWindow() { return FindWindowA("pivoraserver", nullptr); }

inline std::string ServerTitle() {
  char title[256] = "";
  HWND window = ServerWindow();
  if (window == nullptr) return "(no server window)";
  GetWindowTextA(window, title, sizeof title);
  return title;
}

// The server's title as the module reads it.
inline DeviceFrame ServerFrame() {
  const std::string title = ServerTitle();
  return ParseDeviceTitle(title.c_str(), title.size());
}

inline HANDLE OpenServerProcess(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  return id == 0 ? nullptr : OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id);
}
