// The whole chain module -> server -> title -> camera call, with the real
// pivorasrv.exe that the module starts from <sim>\pivora\ and a replayed
// session in place of a controller. What the server makes of each reading,
// file and command line is checked natively (tests/native/server_*).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "module/title_parse.h"
#include "tests/wine/server/server_case.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

// Raw readings of the recordings below and what the server makes of them
// with the default settings: rotations 15000 and translations 125 at full
// deflection (32767), the first 10 % of travel dead. The module adds 0.0001
// of each per tick.
constexpr float kYawStepAt20000 = 8506 * 0.0001f;      // rZ 20000
constexpr float kLeftStepAtFullLeft = -125 * 0.0001f;  // tX -32767
constexpr float kPitchStepAt10000 = 3420 * 0.0001f;     // rX 10000

// Three stages, 1.5 s each, then a pass starts over.
const char kStages[] =
    "0 0 0 0 0 0 20000 0\n"
    "1500 -32767 0 0 0 0 0 0\n"
    "3000 0 0 0 10000 0 0 0\n"
    "4500 0 0 0 10000 0 0 0\n";

class ServerChain : public SimulatorCase {
 protected:
  void Start(const char* recording) {
    // A server left by an earlier case would be found and read instead of ours.
    ASSERT_TRUE(SimHostPumpUntil(10000, [] { return ServerWindow() == nullptr; })) << "a server is running";
    SimHostOptions options;
    options.serverWindow = false;
    SetUpHost(options);
    ASSERT_TRUE(InstallServer(host, recording));
    ASSERT_EQ(0, SimHostStart(&host));
    ASSERT_TRUE(SimHostPumpUntil(kServerStartTimeoutMs, [] { return ServerWindow() != nullptr; }))
        << "the module did not start the server";
    server = OpenServerProcess(ServerWindow());
    ASSERT_NE(server, nullptr);
    // Every recording here starts moving: a camera call shows that the
    // module has found the server's window and reads it.
    ASSERT_TRUE(SimHostPumpUntil(kServerStartTimeoutMs, [&] {
      log.Update();
      return !log.calls.empty();
    })) << "no camera call; server title: " << ServerTitle();
  }
  void TearDown() override {
    SimulatorCase::TearDown();
    if (server != nullptr) {
      if (WaitForSingleObject(server, 0) == WAIT_TIMEOUT) TerminateProcess(server, 99);
      WaitForSingleObject(server, 10000);
      CloseHandle(server);
    }
  }
  // Pumps the module until a camera call moves field `f` by `step`.
  ::testing::AssertionResult PumpUntilStep(int f, float step, DWORD maxMs = 20000) {
    const size_t from = log.calls.size();
    if (SimHostPumpUntil(maxMs, [&] {
          log.Update();
          return log.FindStep(f, step, from) != 0;
        }))
      return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no step of " << step << " in field " << f << "; " << log.Recent(f)
                                         << "; server title: " << ServerTitle();
  }
  static bool TitleIsRaw() {
    const std::string title = ServerTitle();
    return ParseDeviceTitle(title.c_str(), title.size()).raw;
  }
  void WriteSetting(const char* file, const char* key, const char* value) {
    const std::string path = appData.File(file);
    ASSERT_TRUE(WritePrivateProfileStringA("SETTINGS", key, value, path.c_str()));
  }

  AppDataFolder appData;  // the user's own configuration is set aside
  CameraLog log;
  HANDLE server = nullptr;
};

TEST_F(ServerChain, CameraFollowsTheReplayedSessionAndStopEndsTheOnlyServer) {
  Start(kStages);
  ASSERT_TRUE(PumpUntilStep(5, kYawStepAt20000)) << "yaw stage";
  ASSERT_TRUE(PumpUntilStep(0, kLeftStepAtFullLeft)) << "left stage";
  ASSERT_TRUE(PumpUntilStep(3, kPitchStepAt10000)) << "pitch stage";
  // Every movement the camera made is one of the processed stages: the raw
  // readings themselves never reach the module.
  for (size_t i = 1; i < log.calls.size(); ++i) {
    for (int f = 0; f < 6; ++f) {
      const float step = log.Step(i, f);
      if (step == 0) continue;
      const bool known = (f == 5 && std::abs(step - kYawStepAt20000) < 2e-4f) ||
                         (f == 0 && std::abs(step - kLeftStepAtFullLeft) < 2e-6f) ||
                         (f == 3 && std::abs(step - kPitchStepAt10000) < 2e-4f);
      EXPECT_TRUE(known) << "call " << i << " field " << f << " moved by " << step;
    }
  }
  // The server notices a file changed while it runs: the calibration
  // dialog's flag turns its titles raw.
  WriteSetting("somethingchanged.ini", "DoingCalibration", "1");
  EXPECT_TRUE(SimHostPumpUntil(20000, [] { return TitleIsRaw(); })) << ServerTitle();
  // A second server exits at once and leaves the first running.
  EXPECT_EQ(RunToExit(host.folder + "\\pivora\\pivorasrv.exe", "", kServerStartTimeoutMs), 0);
  EXPECT_EQ(WaitForSingleObject(server, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one must stay";
  SimHostStop(&host);  // DLLStop sends WM_CLOSE and waits for it to be handled
  ASSERT_EQ(WaitForSingleObject(server, kServerStartTimeoutMs), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(server, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_TRUE(WaitUntil(5000, [] { return ServerWindow() == nullptr; })) << "its window went with it";
  EXPECT_EQ(RunToExit(host.folder + "\\pivora\\pivorasrv.exe", "--replay", kServerStartTimeoutMs), 2) << "bad start";
}

}  // namespace
