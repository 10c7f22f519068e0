// The device server where only Windows can show it: the whole chain module
// -> server -> title -> camera call, with the real pivorasrv.exe that the
// module starts from <sim>\pivora\ and a replayed session in place of a
// controller; and the joystick names in the registry. What the server makes
// of each reading, file and command line is checked natively
// (tests/native/server_*).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "module/title_parse.h"
#include "server/joystick_win.h"
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

  AppDataFolder appData;  // the user's own configuration is set aside
  CameraLog log;
  HANDLE server = nullptr;
};

TEST_F(ServerChain, CameraFollowsTheReplayedSessionAndStopEndsTheOnlyServer) {
  // A server left by an earlier case would be found and read instead of ours.
  ASSERT_TRUE(SimHostPumpUntil(10000, [] { return ServerWindow() == nullptr; })) << "a server is running";
  SimHostOptions options;
  options.serverWindow = false;
  SetUpHost(options);
  ASSERT_TRUE(InstallServer(host, kStages));
  ASSERT_EQ(0, SimHostStart(&host));
  ASSERT_TRUE(SimHostPumpUntil(kServerStartTimeoutMs, [] { return ServerWindow() != nullptr; }))
      << "the module did not start the server";
  server = OpenServerProcess(ServerWindow());
  ASSERT_NE(server, nullptr);
  ASSERT_TRUE(PumpUntilStep(5, kYawStepAt20000, kServerStartTimeoutMs)) << "yaw stage";
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
  ASSERT_TRUE(appData.Put("somethingchanged.ini", "[SETTINGS]\r\nDoingCalibration=1\r\n"));
  EXPECT_TRUE(SimHostPumpUntil(20000, [] {
    const std::string title = ServerTitle();
    return ParseDeviceTitle(title.c_str(), title.size()).raw;
  })) << ServerTitle();
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

// What the game controller panel leaves in the registry for the controllers
// of one joystick driver, written into the prefix. Wine has no controller
// here, so the lookup is given the driver key that JOYCAPS.szRegKey would name.
constexpr char kDriverKey[] = "PivoraTest.drv";
const std::string kDriverPath =
    std::string("System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\") + kDriverKey;
const std::string kSettingsKey = kDriverPath + "\\CurrentJoystickSettings";
const std::string kOemKey = "System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM\\";

struct JoystickRegistry {
  void Set(HKEY root, const std::string& path, const char* value, const char* text) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), 0) << path;
    RegSetValueExA(key, value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), DWORD(std::strlen(text) + 1));
    RegCloseKey(key);
  }
  ~JoystickRegistry() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      for (const std::string& key :
           {kSettingsKey, kDriverPath, kOemKey + "VID_F00D&PID_0001", kOemKey + "VID_F00D&PID_0002"})
        RegDeleteKeyA(root, key.c_str());
    }
  }
};

TEST(ServerProgram, JoystickNameIsTheOemNameThatItsDriverKeyLeadsTo) {
  JoystickRegistry registry;
  ASSERT_NO_FATAL_FAILURE(registry.Set(HKEY_CURRENT_USER, kSettingsKey, "Joystick1OEMName", "VID_F00D&PID_0002"));
  registry.Set(HKEY_LOCAL_MACHINE, kSettingsKey, "Joystick2OEMName", "VID_F00D&PID_0001");
  registry.Set(HKEY_LOCAL_MACHINE, kSettingsKey, "Joystick1OEMName", "VID_F00D&PID_0404");  // the user's comes first
  registry.Set(HKEY_CURRENT_USER, kOemKey + "VID_F00D&PID_0001", "OEMName", "Pivora Test Six-Axis");
  ASSERT_NO_FATAL_FAILURE(
      registry.Set(HKEY_LOCAL_MACHINE, kOemKey + "VID_F00D&PID_0002", "OEMName", "Pivora Test Twist Stick"));
  char name[128] = "stale";
  EXPECT_TRUE(ReadJoystickOemName(kDriverKey, 0, name, sizeof name));
  EXPECT_STREQ(name, "Pivora Test Twist Stick") << "user settings, machine OEM key";
  EXPECT_TRUE(ReadJoystickOemName(kDriverKey, 1, name, sizeof name));
  EXPECT_STREQ(name, "Pivora Test Six-Axis") << "machine settings, user OEM key";
}

}  // namespace
