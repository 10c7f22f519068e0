// The Win32 store compiled into a test program: the real Application Data
// folder of the prefix (set aside and restored around each case), a reload
// for another aircraft, the saves read back through the platform's own
// reader, as the device server would read them, and a damaged file. The
// first start's folder and flag are the real module's cases.
#include <windows.h>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>


#include "setup/configuration.h"
#include "setup/configuration_store.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

int PlatformInt(const std::string& path, const char* section, const char* key) {
  return static_cast<int>(GetPrivateProfileIntA(section, key, -999, path.c_str()));
}

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

TEST_F(Store, SavesReadBackThroughThePlatformsReader) {
  LoadConfiguration("");
  const std::string settings = appData.File("pivora.ini");
  const std::string marker = appData.File("somethingchanged.ini");
  gModuleSettings.axis[kAxisRZ].sensitivity = 140;
  gModuleSettings.axis[kAxisTY].invert = 0;
  gModuleSettings.quorixmode = 1;
  SaveSettings();
  EXPECT_EQ(PlatformInt(settings, "SETTINGS", "rZsensitivity"), 140);
  EXPECT_EQ(PlatformInt(settings, "SETTINGS", "tYinvert"), 0);
  EXPECT_EQ(PlatformInt(settings, "SETTINGS", "quorixmode"), 1);
  EXPECT_EQ(PlatformInt(marker, "SETTINGS", "Changed"), 0);

  gAxisCalibration[kAxisRX] = {-350, 347};
  gAxisCalibration[kAxisTZ] = {INT_MIN, 0};
  SaveCalibration();
  EXPECT_EQ(PlatformInt(settings, "CALIBRATION", "rXmin"), 350);
  EXPECT_EQ(PlatformInt(settings, "CALIBRATION", "rXmax"), 347);
  char text[32];
  GetPrivateProfileStringA("CALIBRATION", "tZmin", "", text, sizeof text, settings.c_str());
  EXPECT_STREQ(text, "2147483648");

  std::memset(gButtonAssignments, 0, sizeof gButtonAssignments);
  gButtonAssignments[100] = {1, 1, 0, 0, 0, 1, 1, 1, 0x7B};
  SaveButtonAssignments();
  EXPECT_EQ(PlatformInt(settings, "Button_100", "keycode"), 0x7B);
  EXPECT_EQ(PlatformInt(settings, "Button_100", "withalt"), 1);
  EXPECT_EQ(PlatformInt(settings, "Button_0", "assigned"), 0);

  const char* const texts[kEyePointTextCount] = {"-0", "5", "12", "25", "3", "05", "", "5", "1", "0", "7", "0"};
  SaveDefaultEyePoint("Cessna [C172] = ;x", texts);
  LoadConfiguration("Cessna [C172] = ;x");
  const float expected[kEyeAxisCount] = {-0.5f, 12.25f, 3.05f, 0.5f, 1.0f, 7.0f};
  for (int a = 0; a < kEyeAxisCount; ++a) EXPECT_EQ(gDefaultEyePoint.axis[a].value, expected[a]) << a;
  EXPECT_EQ(gModuleSettings.axis[kAxisRZ].sensitivity, 140);
  EXPECT_EQ(gButtonAssignments[100].keycode, 0x7B);

  // Before the simulator reports a title the section has the empty name.
  SaveDefaultEyePoint("", texts);
  LoadConfiguration("");
  EXPECT_EQ(gDefaultEyePoint.axis[kEyeBank].value, 12.25f);
  EXPECT_EQ(Bytes(settings).rfind("ipitch=-0\r\n", 0), 0u) << "the empty section is the top of the file";
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
