// pivorasrv.exe on its own: recording mode writes the raw readings that
// replay mode reads back, and a bad command line or recording ends it at
// once with its exit code and no window; a joystick goes by the name that
// its registry entries lead to.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "server/joystick_win.h"
#include "server/recording.h"
#include "tests/wine/server/server_case.h"

namespace {

TEST(ServerProgram, RecordingModeSavesTheRawReadingsInOrder) {
  ASSERT_EQ(ServerWindow(), nullptr) << "another server is running";
  ScratchFolder scratch;
  const char kSession[] =
      "0 0 0 0 0 0 1000 0\n"
      "300 -32767 0 0 0 0 1000 3\n"
      "600 0 0 0 -5 0 0 0\n"
      "900 0 0 0 -5 0 0 0\n";
  ASSERT_TRUE(WriteBytes(scratch / "in.rec", kSession));
  Program server;
  ASSERT_TRUE(server.Start(PIVORASRV_PATH, "--replay \"" + (scratch / "in.rec") + "\" --record \"" +
                                               (scratch / "out.rec") + "\""));
  // Past one pass of the session, whatever the emulation's pace.
  std::string text;
  ASSERT_TRUE(WaitUntil(kServerStartTimeoutMs, [&] {
    return ReadBytes(scratch / "out.rec", &text) && std::count(text.begin(), text.end(), '\n') >= 5;
  })) << "the header and four readings: " << text;
  PostMessageA(ServerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(server.WaitForExit(kServerStartTimeoutMs));
  ASSERT_TRUE(ReadBytes(scratch / "out.rec", &text));
  std::vector<RecordedFrame> frames;
  ASSERT_TRUE(ParseRecording(text.data(), text.size(), &frames).ok) << text;
  // A reading is written when it differs from the one before: the three
  // distinct readings of the session, then the first again.
  const int32_t expected[4][7] = {
      {0, 0, 0, 0, 0, 1000, 0}, {-32767, 0, 0, 0, 0, 1000, 3}, {0, 0, 0, -5, 0, 0, 0}, {0, 0, 0, 0, 0, 1000, 0}};
  ASSERT_GE(frames.size(), 4u) << text;
  for (size_t i = 0; i < 4; ++i) {
    for (int a = 0; a < 6; ++a) EXPECT_EQ(frames[i].axis[a], expected[i][a]) << "reading " << i << " axis " << a;
    EXPECT_EQ(frames[i].button, expected[i][6]) << "reading " << i;
    if (i > 0) {
      EXPECT_GE(frames[i].timeMs, frames[i - 1].timeMs + 200) << text;
    }
  }
  EXPECT_EQ(frames[0].timeMs, 0u);
}

TEST(ServerProgram, BadStartsEndAtOnceWithoutAWindow) {
  ScratchFolder scratch;
  ASSERT_TRUE(WriteBytes(scratch / "bad.rec", "0 1 2\n"));
  const struct {
    std::string arguments;
    long code;
  } cases[] = {
      {"--replay", 2},
      {"--frobnicate x", 2},
      {"--replay a --replay b", 2},
      {"--replay \"" + (scratch / "missing.rec") + "\"", 3},
      {"--replay \"" + (scratch / "bad.rec") + "\"", 3},
      {"--record \"" + scratch.path() + "\\no such folder\\out.rec\"", 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunToExit(PIVORASRV_PATH, c.arguments, kServerStartTimeoutMs), c.code) << c.arguments;
    EXPECT_EQ(ServerWindow(), nullptr) << c.arguments;
  }
}

// What the game controller panel leaves in the registry for the controllers
// of one joystick driver, per user and per machine, written into the prefix.
// Wine has no controller here, so the lookup is given the driver key that
// JOYCAPS.szRegKey would name.
constexpr char kDriverKey[] = "PivoraTest.drv";
const std::string kSettingsKey =
    std::string("System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\") + kDriverKey;
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
      for (const std::string& key : {kSettingsKey + "\\CurrentJoystickSettings", kSettingsKey,
                                     kOemKey + "VID_F00D&PID_0001", kOemKey + "VID_F00D&PID_0002"})
        RegDeleteKeyA(root, key.c_str());
    }
  }
};

TEST(ServerProgram, JoystickNameIsTheOemNameThatItsDriverKeyLeadsTo) {
  JoystickRegistry registry;
  const std::string current = kSettingsKey + "\\CurrentJoystickSettings";
  ASSERT_NO_FATAL_FAILURE(registry.Set(HKEY_CURRENT_USER, current, "Joystick1OEMName", "VID_F00D&PID_0001"));
  registry.Set(HKEY_CURRENT_USER, current, "Joystick2OEMName", "VID_F00D&PID_0002");
  registry.Set(HKEY_LOCAL_MACHINE, current, "Joystick3OEMName", "VID_F00D&PID_0001");
  registry.Set(HKEY_CURRENT_USER, current, "Joystick4OEMName", "VID_F00D&PID_0404");
  registry.Set(HKEY_CURRENT_USER, current, "Joystick5OEMName", "..\\..\\OEM\\VID_F00D&PID_0001");
  registry.Set(HKEY_CURRENT_USER, kOemKey + "VID_F00D&PID_0001", "OEMName", "Pivora Test Six-Axis");
  ASSERT_NO_FATAL_FAILURE(
      registry.Set(HKEY_LOCAL_MACHINE, kOemKey + "VID_F00D&PID_0002", "OEMName", "Pivora Test Twist Stick"));
  const struct {
    const char* what;
    const char* driverKey;
    UINT id;
    const char* name;  // empty: none found
  } cases[] = {
      {"user settings, user OEM key", kDriverKey, 0, "Pivora Test Six-Axis"},
      {"user settings, machine OEM key", kDriverKey, 1, "Pivora Test Twist Stick"},
      {"machine settings, user OEM key", kDriverKey, 2, "Pivora Test Six-Axis"},
      {"type without an OEM key", kDriverKey, 3, ""},
      {"type that is a path", kDriverKey, 4, ""},
      {"no settings for the id", kDriverKey, 5, ""},
      {"unknown driver key", "NoSuchDriver.drv", 0, ""},
      {"no driver key", "", 0, ""},
  };
  for (const auto& c : cases) {
    char name[128] = "stale";
    EXPECT_EQ(ReadJoystickOemName(c.driverKey, c.id, name, sizeof name), c.name[0] != '\0') << c.what;
    EXPECT_STREQ(name, c.name) << c.what;
  }
}

}  // namespace
