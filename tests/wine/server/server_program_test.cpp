// A joystick goes by the name that its registry entries lead to, read from
// this system's registry: the keys' names and both hives, which only a real
// registry shows (the lookup's order and rules are checked natively).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "server/joystick_win.h"

namespace {

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
      for (const std::string& key : {kSettingsKey, kDriverPath, kOemKey + "VID_F00D&PID_0001", kOemKey + "VID_F00D&PID_0002"})
        RegDeleteKeyA(root, key.c_str());
    }
  }
};

TEST(ServerProgram, JoystickNameIsTheOemNameThatItsDriverKeyLeadsTo) {
  JoystickRegistry registry;
  ASSERT_NO_FATAL_FAILURE(registry.Set(HKEY_CURRENT_USER, kSettingsKey, "Joystick1OEMName", "VID_F00D&PID_0002"));
  registry.Set(HKEY_LOCAL_MACHINE, kSettingsKey, "Joystick2OEMName", "VID_F00D&PID_0001");
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
