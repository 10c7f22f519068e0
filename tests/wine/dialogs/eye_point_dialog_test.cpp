// The default eye point dialog in the running module: the texts it shows,
// how Get splits the live eye point, and OK & Save storing the boxes as the
// default that the next reset sends. Every way out is a native row
// (dialog_commands).
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

const char* const kKeys[12] = {"ipitch",     "fpitch",     "ibank",      "fbank",      "iyaw",    "fyaw",
                               "ibackforth", "fbackforth", "ileftright", "fleftright", "iupdown", "fupdown"};

class EyePointDialog : public DialogCase {
 protected:
  // Holds button 1, bound to "reset all", for a few ticks, then lets go:
  // the live eye point moves to the aircraft's default.
  void ResetEyePoint() {
    const int32_t still[6] = {0, 0, 0, 0, 0, 0};
    const size_t before = CountCalls("CameraSetRelative6DOF");
    SetDevice(still, 1);
    ASSERT_TRUE(SimHostPumpUntil(5000, [before] { return CountCalls("CameraSetRelative6DOF") >= before + 2; }));
    SetDevice(still, 0);
    ASSERT_TRUE(PumpTicks(2));
  }
};

TEST_F(EyePointDialog, GetSplitsTheLiveEyePointAndOkAndSaveStoresTheBoxes) {
  // The default in the short form a user might type.
  const char* const typed[12] = {"12", "5", "-0", "25", "-12", "25", "0", "0", "7", "", "0", "0"};
  for (int i = 0; i < 12; ++i) WriteSetting(kAircraft, kKeys[i], typed[i]);
  WriteSetting("Button_1", "assigned", "1");
  WriteSetting("Button_1", "resetall", "1");
  Start();
  ResetEyePoint();
  std::string title;
  std::vector<std::string> opened, got;
  ASSERT_TRUE(RunDialog(kEyePointItem, "Default eye point", [&](HWND dialog) {
    title = Text(dialog, IDC_EYE_AIRCRAFT);
    for (int id = IDC_EYE_PITCH_INTEGER; id <= IDC_EYE_UPDOWN_FRACTION; ++id) opened.push_back(Text(dialog, id));
    Click(dialog, IDC_EYE_GET_CURRENT);
    for (int id = IDC_EYE_PITCH_INTEGER; id <= IDC_EYE_UPDOWN_FRACTION; ++id) got.push_back(Text(dialog, id));
    Type(dialog, IDC_EYE_UPDOWN_INTEGER, "3");
    Type(dialog, IDC_EYE_UPDOWN_FRACTION, "05");  // .05
    Click(dialog, IDC_EYE_SAVE);
  }));
  EXPECT_EQ(kAircraft, title);
  EXPECT_EQ(std::vector<std::string>(typed, typed + 12), opened);
  // Pitch 12.5, bank -0.25, yaw -12.25, back/forth 0, left/right 7, up/down 0.
  const char* const saved[12] = {"12", "500000", "-0", "250000", "-12", "250000", "0", "000000", "7", "000000",
                                 "3", "05"};
  std::vector<std::string> split(saved, saved + 10);
  split.insert(split.end(), {"0", "000000"});
  EXPECT_EQ(split, got);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(saved[i], SettingsValue(kAircraft, kKeys[i])) << kKeys[i];
  ResetEyePoint();
  // X, Y, Z, pitch, bank, heading: left/right, up/down, back/forth.
  EXPECT_EQ("CameraSetRelative6DOF(H, 7, 3.04999995, 0, 12.5, -0.25, -12.25)",
            DoubleCallsStartingWith("CameraSetRelative6DOF").back());
}

}  // namespace
