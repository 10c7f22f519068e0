// The controller readers' portable decisions: the serverdevice match, the
// name a joystick goes by and where it is registered, the joystick read,
// and HID field decoding.
#include "server/controller_input.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

TEST(ControllerInput, ServerDeviceMatchesAnyPartOfTheNameInAnyCase) {
  const struct {
    const char* name;
    const char* wanted;
    bool matches;
  } cases[] = {
      {"SpaceNavigator", "space", true},
      {"3Dconnexion SpaceNavigator", "NAVIGATOR", true},
      {"aab", "ab", true},  // a partial match just before the real one
      {"anything", "", true},
      {"Microsoft PC-joystick driver", "SpaceNavigator", false},
      {"Spa", "Space", false},  // the name ends inside the wanted text
      {"", "x", false},
      {nullptr, "x", false},
      {nullptr, "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DeviceNameMatches(c.name, c.wanted), c.matches) << (c.name ? c.name : "(null)") << " / " << c.wanted;
  }
}

TEST(ControllerInput, AJoystickGoesByItsOemNameElseTheDriversName) {
  const char* driver = "Microsoft PC-joystick driver";
  const struct {
    const char* oem;
    const char* driver;
    std::string name;
  } cases[] = {
      {"SpaceNavigator", driver, "SpaceNavigator"},
      {" \t ", driver, driver},
      {nullptr, driver, driver},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(JoystickName(c.oem, c.driver), c.name) << (c.oem ? c.oem : "(null)");
}

TEST(ControllerInput, TheFirstMatchingJoystickIsReadUnlessALaterOneHasSixAxes) {
  const struct {
    std::vector<std::pair<const char*, unsigned>> met;  // name, axes
    const char* wanted;
    int chosen;       // -1: none
    unsigned looked;  // controllers met before the search ended
  } cases[] = {
      {{{"Pad", 2}, {"Wheel", 3}, {"Nav", 6}, {"Mouse", 6}}, "", 2, 3},
      {{{"Pad", 2}, {"Wheel", 4}}, "", 0, 2},
      {{{"Pad", 6}, {"Space Nav", 3}, {"Nav II", 6}}, "nav", 2, 3},
      {{{"Pad", 6}}, "nav", -1, 1},
  };
  for (const auto& c : cases) {
    JoystickChoice choice{};
    unsigned looked = 0;
    for (; looked < c.met.size() && !JoystickChoiceFinal(choice); ++looked)
      TakeJoystick(&choice, looked, c.met[looked].first, c.met[looked].second, c.wanted);
    EXPECT_EQ(choice.found ? int(choice.id) : -1, c.chosen) << c.met[0].first << c.met.size() << c.wanted;
    EXPECT_EQ(looked, c.looked) << c.met[0].first << c.met.size() << c.wanted;
  }
}

// A registry as the game controller panel leaves it: "U|" or "M|" for the
// user's or the machine's hive, then the key and the value.
std::map<std::string, std::string> gRegistry;
bool FakeRead(bool machine, const char* path, const char* value, char* text, size_t capacity) {
  const auto found = gRegistry.find(std::string(machine ? "M|" : "U|") + path + "|" + value);
  std::snprintf(text, capacity, "%s", found == gRegistry.end() ? "" : found->second.c_str());
  return text[0] != '\0';
}

TEST(ControllerInput, OemNameComesThroughTheDriversCurrentSettingsUserHiveFirst) {
  const std::string settings = "System\\CurrentControlSet\\Control\\MediaResources\\Joystick\\Drv.drv\\"
                               "CurrentJoystickSettings|Joystick";
  const std::string oem =
      "System\\CurrentControlSet\\Control\\MediaProperties\\PrivateProperties\\Joystick\\OEM\\VID_F00D&PID_";
  gRegistry = {{"U|" + settings + "1OEMName", "VID_F00D&PID_0001"}, {"M|" + settings + "1OEMName", "VID_F00D&PID_0002"},
               {"M|" + settings + "2OEMName", "VID_F00D&PID_0002"}, {"U|" + settings + "3OEMName", "VID_F00D&PID_0404"},
               {"U|" + settings + "4OEMName", "VID_F00D&PID_0001\\Sub"}, {"U|" + oem + "0001|OEMName", "Six-Axis"},
               {"M|" + oem + "0001|OEMName", "Machine's"}, {"M|" + oem + "0002|OEMName", "Twist Stick"},
               {"U|" + oem + "0001\\Sub|OEMName", "Nested"}};
  const struct {
    const char* what;
    const char* driverKey;
    unsigned id;
    const char* name;  // empty: none
  } cases[] = {
      {"user settings, user OEM key", "Drv.drv", 0, "Six-Axis"},
      {"machine settings, machine OEM key", "Drv.drv", 1, "Twist Stick"},
      {"type without an OEM key", "Drv.drv", 2, ""},
      {"type that leads to another key", "Drv.drv", 3, ""},
      {"no settings for the id", "Drv.drv", 5, ""},
      {"no driver key", "", 0, ""},
  };
  for (const auto& c : cases) {
    char name[16] = "stale";
    EXPECT_EQ(JoystickOemName(c.driverKey, c.id, FakeRead, name, sizeof name), c.name[0] != '\0') << c.what;
    EXPECT_STREQ(name, c.name) << c.what;
  }
}

TEST(ControllerInput, HidFieldsSignExtendOnlyWhenTheLogicalRangeIsSigned) {
  const struct {
    uint32_t raw;
    int32_t logicalMin;
    uint32_t bits;
    int64_t value;
  } cases[] = {
      {0xFF, -128, 8, -1},
      {0x80, -128, 8, -128},
      {0x7F, -128, 8, 127},
      {0x1FF, -128, 8, -1},  // bits above the field are not part of it
      {0x8000, -32768, 16, -32768},
      {1, -1, 1, -1},
      {0xFF, 0, 8, 255},
      {0xFFFFFFFF, -1, 32, -1},
      {0xFFFFFFFF, 0, 32, 4294967295},
      {0xFFFFFFFE, -5, 0, -2},  // no size given: the whole value
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HidLogicalValue(c.raw, c.logicalMin, c.bits), c.value) << c.raw << " " << c.logicalMin << " " << c.bits;
  }
}

}  // namespace
