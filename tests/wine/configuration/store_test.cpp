// The Win32 store compiled into a test program: the real Application Data
// folder of the prefix (set aside and restored around each case), a reload
// for another aircraft and a damaged file. The first start's folder and
// flag are the real module's cases; the dialogs' cases read their saves
// back through the platform's own reader, as the device server would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "setup/configuration.h"
#include "setup/configuration_store.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

class Store : public ::testing::Test {
 protected:
  void SetUp() override {
    gModuleSettings = kDefaultModuleSettings;
    std::memset(gButtonAssignments, 0x11, sizeof gButtonAssignments);
    std::memset(&gDefaultEyePoint, 0x11, sizeof gDefaultEyePoint);
  }
  AppDataFolder appData;
};

TEST_F(Store, AnAircraftChangeReloadsTheWholeFile) {
  CreateDirectoryA(appData.Path().c_str(), nullptr);
  const std::string settings = appData.File("pivora.ini");
  WriteBytes(settings,
      "[SETTINGS]\r\nquorixmode=1\r\n[Button_4]\r\nassigned=1\r\nkeycode=66\r\n[Plane A]\r\nipitch=1\r\nfpitch=5\r\n"
      "[Plane B]\r\nipitch=-2\r\nfpitch=25\r\n[CALIBRATION]\r\ntXmin=77\r\n");
  gAxisCalibration[kAxisTX] = {-5, 5};
  LoadConfiguration("Plane A");
  EXPECT_EQ(gDefaultEyePoint.axis[kEyePitch].value, 1.5f);
  EXPECT_EQ(gModuleSettings.quorixmode, 1);
  EXPECT_EQ(gButtonAssignments[4].keycode, 66);

  WriteBytes(settings, "[SETTINGS]\r\nquorixmode=0\r\n[Button_5]\r\nassigned=1\r\n[Plane B]\r\nipitch=-2\r\nfpitch=25\r\n");
  LoadConfiguration("Plane B");
  EXPECT_EQ(gDefaultEyePoint.axis[kEyePitch].value, -2.25f);
  EXPECT_STREQ(gDefaultEyePoint.axis[kEyePitch].fractionText, "25");
  EXPECT_EQ(gModuleSettings.quorixmode, 0);
  EXPECT_EQ(gButtonAssignments[4].assigned, 0);
  EXPECT_EQ(gButtonAssignments[4].keycode, 0);
  EXPECT_EQ(gButtonAssignments[5].assigned, 1);
  EXPECT_EQ(gAxisCalibration[kAxisTX].minimum, -5) << "a load leaves the calibration records alone";

  LoadConfiguration("Plane C");
  for (const EyePointText& axis : gDefaultEyePoint.axis) EXPECT_EQ(axis.value, 0.0f);
}

TEST_F(Store, ADamagedFileLoadsDefaultsAndKeepsItsBytes) {
  CreateDirectoryA(appData.Path().c_str(), nullptr);
  const std::string settings = appData.File("pivora.ini");
  std::string junk;
  uint32_t state = 99;
  for (int i = 0; i < 100000; ++i) junk += static_cast<char>((state = state * 1664525u + 1013904223u) >> 24);
  junk[0] = 'x';  // not a byte order mark
  WriteBytes(settings, junk);
  LoadConfiguration("Some [aircraft]");
  SaveButtonAssignments();
  const std::string after = Bytes(settings);
  EXPECT_EQ(after.compare(0, junk.size(), junk), 0);
  LoadConfiguration("Some [aircraft]");
  EXPECT_EQ(gButtonAssignments[0].assigned, 0);
}

}  // namespace
