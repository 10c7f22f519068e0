// The controller readers' portable decisions: the serverdevice match, the
// name a joystick goes by, and HID field decoding.
#include "server/controller_input.h"

#include <gtest/gtest.h>

#include <string>

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
      {"", "", true},
      {"Microsoft PC-joystick driver", "SpaceNavigator", false},
      {"Spa", "Space", false},  // the name ends inside the wanted text
      {"SpaceMouse", "mousee", false},
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
      {"", driver, driver},
      {" \t ", driver, driver},
      {nullptr, driver, driver},
      {nullptr, nullptr, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(JoystickName(c.oem, c.driver), c.name) << (c.oem ? c.oem : "(null)");
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
      {0x3FF, -512, 10, -1},
      {0x200, -512, 10, -512},
      {0x7FF, -2048, 12, 2047},
      {0x8000, -32768, 16, -32768},
      {1, -1, 1, -1},
      {0xFF, 0, 8, 255},
      {0x3FF, 0, 10, 1023},
      {0xFFFFFFFF, -1, 32, -1},
      {0xFFFFFFFF, 0, 32, 4294967295},
      {0xFFFFFFFE, -5, 0, -2},  // no size given: the whole value
  };
  for (const auto& c : cases) {
    EXPECT_EQ(HidLogicalValue(c.raw, c.logicalMin, c.bits), c.value) << c.raw << " " << c.logicalMin << " " << c.bits;
  }
}

}  // namespace
