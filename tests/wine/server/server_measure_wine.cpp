// Measured by hand, not a test (timings under emulation say nothing about
// correctness), with the prefix's pivora configuration folder set aside:
//  - latency from a new server title to the camera call, the server
//    replaying a yaw that changes every 237 ms, at every phase of the 25 ms tick;
//  - the server's CPU use at rest over 10 s, without a controller and replaying;
//  - how soon titles turn marked raw after DoingCalibration=1, and back after 0.
//   scripts/wine-run.sh build/<dir>/tests/wine/server/server_measure_wine.exe
#include <algorithm>
#include <cmath>

#include "tests/wine/server/server_case.h"

namespace {

double NowMs() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * double(now.QuadPart) / double(frequency.QuadPart);
}

void PrintSpread(const char* what, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  if (ms.empty()) return (void)std::printf("%s: nothing measured\n", what);
  std::printf("%s: %zu, median %.1f ms, best %.1f ms, worst %.1f ms\n", what, ms.size(), ms[ms.size() / 2],
              ms.front(), ms.back());
}

struct TitleChange {
  double timeMs;
  int32_t yaw;
};
volatile LONG gStopWatching;

DWORD WINAPI WatchTitles(void* changes) {
  for (std::string last; !gStopWatching; Sleep(1)) {
    const std::string title = ServerTitle();
    if (title == last || title.size() < 71) continue;
    last = title;
    static_cast<std::vector<TitleChange>*>(changes)->push_back(
        {NowMs(), int32_t(ParseDeviceTitle(title.c_str(), title.size()).rZ)});
  }
  return 0;
}

void MeasureLatency() {
  constexpr int kSteps = 40;
  AppDataFolder appData;
  std::string recording;
  for (int i = 0; i <= kSteps; ++i)
    recording += std::to_string(i * 237) + " 0 0 0 0 0 " + std::to_string(8000 + 500 * i) + " 0\n";
  SimHost host;
  SimHostOptions options;
  options.serverWindow = false;
  std::string error;
  if (!SimHostSetUp(&host, options, &error) || !InstallServer(host, recording))
    return (void)std::printf("set-up failed: %s\n", error.c_str());
  std::vector<TitleChange> changes;
  HANDLE thread = CreateThread(nullptr, 0, WatchTitles, &changes, 0, nullptr);
  SimHostStart(&host);
  SimHostPumpUntil(kServerStartTimeoutMs, [] { return ServerWindow() != nullptr; });
  SimHostPump(kSteps * 237 + 1000);
  InterlockedExchange(&gStopWatching, 1);
  WaitForSingleObject(thread, 5000);
  // The double's clock in ours: it stamps a call made between two readings.
  const double before = NowMs();
  reinterpret_cast<HRESULT(WINAPI*)(HANDLE, DWORD, const char*)>(
      reinterpret_cast<void*>(DoubleFunction("SimConnect_MapClientEventToSimEvent")))(nullptr, 9999, "clock");
  const double offset = (before + NowMs()) / 2 - DOUBLE(Double_CallTimeMs)(DOUBLE(Double_CallCount)() - 1);
  CameraLog log;
  log.Update();
  HANDLE server = OpenServerProcess(ServerWindow());
  SimHostTearDown(&host);
  WaitForSingleObject(server, 10000);

  // A reading's latency: from its title to the first camera call moving by it.
  std::vector<double> latencies;
  size_t call = 1;
  for (const TitleChange& change : changes) {
    for (; change.yaw != 0 && call < log.calls.size(); ++call) {
      if (log.calls[call].timeMs + offset >= change.timeMs &&
          std::abs(log.Step(call, 5) - change.yaw * 1e-4f) < 2e-4f) {
        latencies.push_back(log.calls[call].timeMs + offset - change.timeMs);
        break;
      }
    }
  }
  PrintSpread("readings from a new server title to the camera call", latencies);
}

// The server alone in a scratch folder, with `recording` beside it.
struct LoneServer {
  explicit LoneServer(const std::string& recording) {
    CopyFileA(PIVORASRV_PATH, (folder / "pivorasrv.exe").c_str(), FALSE);
    if (!recording.empty()) WriteBytes(folder / "replay.rec", recording);
    started = program.Start(folder / "pivorasrv.exe", "") &&
              WaitUntil(kServerStartTimeoutMs, [] { return ServerWindow() != nullptr; });
  }
  ~LoneServer() {
    PostMessageA(ServerWindow(), WM_CLOSE, 0, 0);
    program.WaitForExit(10000);
  }
  ScratchFolder folder{"measure"};
  Program program;
  bool started = false;
};

void MeasureCpuAtRest(const char* what, const std::string& recording) {
  LoneServer server(recording);
  auto cpuMs = [&] {
    FILETIME created, ended, kernel, user;
    GetProcessTimes(server.program.Handle(), &created, &ended, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4; };
    return ms(kernel) + ms(user);
  };
  Sleep(3000);  // past start-up
  const double startCpu = cpuMs(), start = NowMs();
  Sleep(10000);
  const double usedMs = cpuMs() - startCpu, wallMs = NowMs() - start;
  std::printf("%s: %.0f ms of CPU in %.0f ms, %.2f %% of one core%s\n", what, usedMs, wallMs,
              100.0 * usedMs / wallMs, server.started ? "" : " (did not start)");
}

void MeasureCalibrationSwitch() {
  AppDataFolder appData;
  appData.Put("somethingchanged.ini", "[SETTINGS]\r\nDoingCalibration=0\r\n");
  LoneServer server("0 0 0 0 0 0 20000 0\n");
  const std::string marker = appData.File("somethingchanged.ini");
  std::vector<double> times[2];
  for (int i = 0; i < 40 && server.started; ++i) {
    const bool raw = i % 2 == 0;
    const double start = NowMs();
    WritePrivateProfileStringA("SETTINGS", "DoingCalibration", raw ? "1" : "0", marker.c_str());
    while (NowMs() - start < 2000 && ServerFrame().raw != raw) Sleep(0);
    times[raw].push_back(NowMs() - start);
    Sleep(37);  // another phase of the server's 10 ms reading period next time
  }
  PrintSpread("DoingCalibration=1 to the first marked title", times[1]);
  PrintSpread("DoingCalibration=0 to the first unmarked title", times[0]);
}

}  // namespace

int main() {
  MeasureLatency();
  MeasureCpuAtRest("server at rest, no controller", "");
  MeasureCpuAtRest("server at rest, replaying a session at rest", "0 0 0 0 0 0 0 0\n");
  MeasureCalibrationSwitch();
  return 0;
}
