// The device server where only Windows can show it: the chain module ->
// server -> title -> camera call, with the real pivorasrv.exe started from
// <sim>\pivora\ replaying a session, and the joystick names in the registry.
// What the server makes of each reading, file and command line is checked
// natively (tests/native/server_*).
#include <gtest/gtest.h>
#include <shlwapi.h>

#include <cstring>
#include <string>

#include "server/joystick_win.h"
#include "tests/wine/server/server_case.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

// With the default settings (full deflection 32767 gives 15000 a rotation and
// 125 a translation, the first 10 % dead) the module adds 0.0001 of each a tick.
constexpr float kYawStepAt20000 = 8506 * 0.0001f;      // rZ 20000
constexpr float kLeftStepAtFullLeft = -125 * 0.0001f;  // tX -32767

// Two stages, 1.5 s each, then a pass starts over.
const char kStages[] =
    "0 0 0 0 0 0 20000 0\n"
    "1500 -32767 0 0 0 0 0 0\n"
    "3000 -32767 0 0 0 0 0 0\n";

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
  // The server notices a file changed while it runs: the calibration
  // dialog's flag turns its titles raw.
  ASSERT_TRUE(appData.Put("somethingchanged.ini", "[SETTINGS]\r\nDoingCalibration=1\r\n"));
  EXPECT_TRUE(SimHostPumpUntil(20000, [] { return ServerFrame().raw; })) << ServerTitle();
  // A second server exits at once and leaves the first running.
  EXPECT_EQ(RunToExit(host.folder + "\\pivora\\pivorasrv.exe", "", kServerStartTimeoutMs), 0);
  EXPECT_EQ(WaitForSingleObject(server, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "the first one must stay";
  SimHostStop(&host);  // DLLStop sends WM_CLOSE and waits for it to be handled
  ASSERT_EQ(WaitForSingleObject(server, kServerStartTimeoutMs), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(server, &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(RunToExit(host.folder + "\\pivora\\pivorasrv.exe", "--replay", kServerStartTimeoutMs), 2) << "bad start";
}

// What the game controller panel leaves in the registry for the controllers
// of one joystick driver, written into the prefix. Wine has no controller
// here, so the lookup is given the driver key that JOYCAPS.szRegKey would name.
constexpr char kDriverKey[] = "PivoraTest.drv";
constexpr char kDriverPath[] = "System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\PivoraTest.drv";
constexpr char kSettingsKey[] =
    "System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\PivoraTest.drv\\CurrentJoystickSettings";
constexpr char kOemKey[] =
    "System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM\\VID_F00D&PID_0002";

// Takes away what the case wrote, whatever its outcome.
struct JoystickRegistry {
  ~JoystickRegistry() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
      SHDeleteKeyA(root, kDriverPath);
      SHDeleteKeyA(root, kOemKey);
    }
  }
  static bool Set(HKEY root, const char* key, const char* value, const char* text) {
    return SHSetValueA(root, key, value, REG_SZ, text, DWORD(std::strlen(text) + 1)) == ERROR_SUCCESS;
  }
};

TEST(ServerProgram, JoystickNameIsTheOemNameThatItsDriverKeyLeadsTo) {
  JoystickRegistry registry;
  // The user's settings name the type, the machine's (read only when the
  // user has none) a type without a key; the type's key is the machine's.
  ASSERT_TRUE(registry.Set(HKEY_CURRENT_USER, kSettingsKey, "Joystick1OEMName", "VID_F00D&PID_0002"));
  ASSERT_TRUE(registry.Set(HKEY_LOCAL_MACHINE, kSettingsKey, "Joystick1OEMName", "VID_F00D&PID_0404"));
  ASSERT_TRUE(registry.Set(HKEY_LOCAL_MACHINE, kOemKey, "OEMName", "Pivora Test Twist Stick"));
  char name[128] = "stale";
  EXPECT_TRUE(ReadJoystickOemName(kDriverKey, 0, name, sizeof name));
  EXPECT_STREQ(name, "Pivora Test Twist Stick");
}

}  // namespace
