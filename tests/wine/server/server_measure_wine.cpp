// Measures, by hand (not a test: timings under emulation say nothing about
// correctness):
//  - latency from a reading to the camera call: the real module starts the
//    real server with a replayed session whose yaw changes every 237 ms; a
//    watcher thread stamps each new server title, and the SimConnect double
//    stamps each camera call; the latency of a reading is the time from its
//    title to the first camera call that moves by its value;
//  - the server's CPU use at rest over 10 s (GetProcessTimes), without a
//    controller and replaying a session at rest;
//  - how soon the server publishes marked raw readings after DoingCalibration
//    turns 1 in the marker file, and unmarked ones after it turns 0.
//
//   scripts/wine-run.sh build/<dir>/tests/wine/server/server_measure_wine.exe
//
// Sets the prefix's pivora configuration folder aside while it runs.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "module/title_parse.h"
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/server/server_case.h"
#include "testbed/sim_host/now_ms.h"

namespace {

constexpr int kSteps = 40;
// Not a multiple of the module's 25 ms tick, so that the readings fall at
// every phase of it rather than all at the same one.
constexpr DWORD kStepMs = 237;

struct TitleChange {
  double timeMs;
  int32_t yaw;
};

struct Watcher {
  volatile LONG stop = 0;
  std::vector<TitleChange> changes;
};

DWORD WINAPI WatchTitles(void* context) {
  auto* watcher = static_cast<Watcher*>(context);
  std::string last;
  while (!watcher->stop) {
    const std::string title = ServerTitle();
    if (title != last && title.size() >= 71) {
      last = title;
      watcher->changes.push_back({NowMs(), int32_t(ParseDeviceTitle(title.c_str(), title.size()).rZ)});
    }
    Sleep(1);
  }
  return 0;
}

// Offset to add to a double's call time to get NowMs(): the double stamps a
// call we make ourselves between two readings of our own clock.
double DoubleClockOffset() {
  using MapFn = HRESULT(WINAPI*)(HANDLE, DWORD, const char*);
  auto map = reinterpret_cast<MapFn>(reinterpret_cast<void*>(DoubleFunction("SimConnect_MapClientEventToSimEvent")));
  auto count = DOUBLE(Double_CallCount);
  auto time = DOUBLE(Double_CallTimeMs);
  const double before = NowMs();
  map(nullptr, 9999, "clock");
  const double after = NowMs();
  return (before + after) / 2 - time(count() - 1);
}

void MeasureLatency() {
  AppDataFolder appData;
  std::string recording;
  for (int i = 0; i < kSteps; ++i) {
    // Distinct processed values, all well clear of the null zone.
    recording += std::to_string(i * kStepMs) + " 0 0 0 0 0 " + std::to_string(8000 + 500 * i) + " 0\n";
  }
  recording += std::to_string(kSteps * kStepMs) + " 0 0 0 0 0 " + std::to_string(8000 + 500 * kSteps) + " 0\n";

  SimHost host;
  SimHostOptions options;
  options.serverWindow = false;
  std::string error;
  if (!SimHostSetUp(&host, options, &error) || !InstallServer(host, recording)) {
    std::printf("set-up failed: %s\n", error.c_str());
    return;
  }
  Watcher watcher;
  HANDLE thread = CreateThread(nullptr, 0, WatchTitles, &watcher, 0, nullptr);
  SimHostStart(&host);
  SimHostPumpUntil(kServerStartTimeoutMs, [] { return ServerWindow() != nullptr; });
  SimHostPump(kSteps * kStepMs + 1000);
  InterlockedExchange(&watcher.stop, 1);
  WaitForSingleObject(thread, 5000);
  CloseHandle(thread);
  const double offset = DoubleClockOffset();
  CameraLog log;
  log.Update();
  HANDLE server = OpenServerProcess(ServerWindow());
  SimHostStop(&host);
  SimHostTearDown(&host);
  if (server != nullptr) {
    WaitForSingleObject(server, 10000);
    CloseHandle(server);
  }

  std::vector<double> latencies;
  size_t call = 1;
  for (const TitleChange& change : watcher.changes) {
    if (change.yaw == 0) continue;
    const float step = float(change.yaw) * 0.0001f;
    for (; call < log.calls.size(); ++call) {
      if (log.calls[call].timeMs + offset < change.timeMs) continue;
      if (std::abs(log.Step(call, 5) - step) < 2e-4f) {
        latencies.push_back(log.calls[call].timeMs + offset - change.timeMs);
        break;
      }
    }
  }
  std::sort(latencies.begin(), latencies.end());
  if (latencies.empty()) {
    std::printf("latency: no reading reached the camera (%zu titles, %zu camera calls)\n", watcher.changes.size(),
                log.calls.size());
    return;
  }
  std::printf("latency from a new server title to the camera call: %zu readings, median %.1f ms, worst %.1f ms, "
              "best %.1f ms (%zu camera calls)\n",
              latencies.size(), latencies[latencies.size() / 2], latencies.back(), latencies.front(),
              log.calls.size());
}

// The server on its own from a scratch folder, with `recording` beside it.
bool StartLoneServer(const ScratchFolder& folder, const std::string& recording, Program* server) {
  const std::string program = folder / "pivorasrv.exe";
  CopyFileA(PIVORASRV_PATH, program.c_str(), FALSE);
  if (!recording.empty()) WriteBytes(folder / "replay.rec", recording);
  if (!server->Start(program, "")) return false;
  Sleep(3000);  // past start-up
  return true;
}

void StopLoneServer(Program* server) {
  HWND window = ServerWindow();
  if (window != nullptr) PostMessageA(window, WM_CLOSE, 0, 0);
  server->WaitForExit(10000);
}

void MeasureCpuAtRest(const char* what, const std::string& recording) {
  ScratchFolder folder("measure");
  Program server;
  if (!StartLoneServer(folder, recording, &server)) {
    std::printf("%s: cannot start the server\n", what);
    return;
  }
  auto cpuMs = [&] {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(server.Handle(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
  };
  const double startCpu = cpuMs();
  const double start = NowMs();
  Sleep(10000);
  const double usedMs = cpuMs() - startCpu;
  const double wallMs = NowMs() - start;
  std::printf("%s: %.0f ms of CPU in %.0f ms, %.2f %% of one core\n", what, usedMs, wallMs, 100.0 * usedMs / wallMs);
  StopLoneServer(&server);
}

void MeasureCalibrationSwitch() {
  AppDataFolder appData;
  const std::string marker = appData.File("somethingchanged.ini");
  ScratchFolder folder("measure");
  Program server;
  if (!appData.Put("somethingchanged.ini", "[SETTINGS]\r\nDoingCalibration=0\r\n") ||
      !StartLoneServer(folder, "0 0 0 0 0 0 20000 0\n", &server)) {
    std::printf("calibration switch: cannot start the server\n");
    return;
  }
  auto marked = [] {
    const std::string title = ServerTitle();
    return ParseDeviceTitle(title.c_str(), title.size()).raw;
  };
  std::vector<double> times[2];
  for (int i = 0; i < 40; ++i) {
    const bool raw = i % 2 == 0;
    const double start = NowMs();
    WritePrivateProfileStringA("SETTINGS", "DoingCalibration", raw ? "1" : "0", marker.c_str());
    while (NowMs() - start < 2000 && marked() != raw) Sleep(0);
    times[raw].push_back(NowMs() - start);
    Sleep(37);  // another phase of the server's 10 ms reading period next time
  }
  StopLoneServer(&server);
  for (int raw = 1; raw >= 0; --raw) {
    std::sort(times[raw].begin(), times[raw].end());
    std::printf("DoingCalibration=%d to the first %s title: %zu switches, median %.1f ms, worst %.1f ms\n", raw,
                raw ? "marked" : "unmarked", times[raw].size(), times[raw][times[raw].size() / 2], times[raw].back());
  }
}

}  // namespace

int main() {
  MeasureLatency();
  MeasureCpuAtRest("server at rest, no controller", "");
  MeasureCpuAtRest("server at rest, replaying a session at rest", "0 0 0 0 0 0 0 0\n");
  MeasureCalibrationSwitch();
  return 0;
}
