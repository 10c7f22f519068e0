// The configuration inside the real pivora.dll, loaded by the simulated
// simulator: what the first start leaves on disk, the calibration flag
// cleared at start-up, and an aircraft change that reloads the settings,
// the buttons and that aircraft's default eye point (a load that kept the
// old table would leave a button bound). The module's memory is
// out of reach, so the reload shows in what it sends: a reset button sends
// the default eye point, and quorixmode decides whether a moving controller
// moves the camera.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "module/title_format.h"
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

namespace {

constexpr DWORD kWaitMs = 4000;  // 32-bit Wine runs emulated here: be patient

class ModuleConfiguration : public SimulatorCase {
 protected:
  void SetFrame(int32_t tX, int32_t button) {
    const int32_t axis[6] = {tX, 0, 0, 0, 0, 0};
    char title[256];
    FormatDeviceTitle(axis, button, title, sizeof title);
    SimHostSetServerTitle(&host, title);
  }
  static bool CameraCallSent(const std::string& prefix) { return !DoubleCallsStartingWith(prefix.c_str()).empty(); }

  AppDataFolder appData;  // set aside before the module can see it
};

TEST_F(ModuleConfiguration, FirstStartCreatesTheFolderAndOnlyTheFlag) {
  ASSERT_EQ(GetFileAttributesA(appData.Path().c_str()), INVALID_FILE_ATTRIBUTES);
  SetUpHost();
  SimHostStart(&host);
  const DWORD attributes = GetFileAttributesA(appData.Path().c_str());
  EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(Bytes(appData.File("pivora.ini")), "[SETTINGS]\r\nDoingCalibration=0\r\n");
  EXPECT_EQ(Bytes(appData.File("somethingchanged.ini")), "[SETTINGS]\r\nDoingCalibration=0\r\n");
  ASSERT_TRUE(PumpTicks(4));
  SimHostStop(&host);
  EXPECT_EQ(Bytes(appData.File("pivora.ini")), "[SETTINGS]\r\nDoingCalibration=0\r\n") << "nothing else written";
}

// A calibration flag left at 1 reads 0 after the start; an aircraft change
// reloads the settings, the buttons and the eye point.
TEST_F(ModuleConfiguration, FlagClearedAtStartAndAnAircraftChangeReloads) {
  const std::string settings = appData.File("pivora.ini");
  const std::string planes = "[Plane A]\r\nipitch=10\r\nfpitch=5\r\n[Plane B]\r\nipitch=-20\r\nfpitch=25\r\n";
  const std::string rest = "quorixmode=1\r\n[Button_3]\r\nassigned=1\r\nresetall=1\r\n" + planes;
  appData.Put("pivora.ini", "[SETTINGS]\r\nDoingCalibration=1\r\n" + rest);
  appData.Put("somethingchanged.ini", "[SETTINGS]\r\nDoingCalibration=1\r\nChanged=0\r\n");
  SetUpHost();
  DOUBLE(Double_AnswerAircraft)("Plane A", 0.0);
  SimHostStart(&host);
  EXPECT_EQ(Bytes(settings), "[SETTINGS]\r\nDoingCalibration=0\r\n" + rest);
  EXPECT_EQ(Bytes(appData.File("somethingchanged.ini")), "[SETTINGS]\r\nDoingCalibration=0\r\nChanged=0\r\n");

  // Button 3 resets to Plane A's default eye point.
  SetFrame(0, 3);
  EXPECT_TRUE(SimHostPumpUntil(kWaitMs, [] { return CameraCallSent("CameraSetRelative6DOF(H, 0, 0, 0, 10.5, 0, 0)"); }));
  // quorixmode=1: a moving controller leaves the camera alone.
  SetFrame(500, 0);
  ASSERT_TRUE(PumpTicks(2));
  const size_t callsInQuorixMode = CountCalls("CameraSetRelative6DOF");
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ(CountCalls("CameraSetRelative6DOF"), callsInQuorixMode);

  // The file changes behind the module's back; only a reload can see it.
  SetFrame(0, 0);
  WriteBytes(settings, "[SETTINGS]\r\nquorixmode=0\r\n[Button_4]\r\nassigned=1\r\nresetall=1\r\n" + planes);
  DOUBLE(Double_AnswerAircraft)("Plane B", 0.0);
  ASSERT_TRUE(PumpTicks(3));

  SetFrame(0, 4);
  EXPECT_TRUE(SimHostPumpUntil(kWaitMs, [] { return CameraCallSent("CameraSetRelative6DOF(H, 0, 0, 0, -20.25, 0, 0)"); }))
      << "the buttons and Plane B's eye point were reloaded";
  SetFrame(0, 3);
  ASSERT_TRUE(PumpTicks(2));
  const size_t callsAtRest = CountCalls("CameraSetRelative6DOF");
  ASSERT_TRUE(PumpTicks(4));
  EXPECT_EQ(CountCalls("CameraSetRelative6DOF"), callsAtRest) << "button 3 lost its assignment";
  SetFrame(500, 0);
  EXPECT_TRUE(SimHostPumpUntil(kWaitMs, [&] { return CountCalls("CameraSetRelative6DOF") > callsAtRest; }))
      << "quorixmode=0 was reloaded: the controller moves the camera";
  SimHostStop(&host);
}

}  // namespace
