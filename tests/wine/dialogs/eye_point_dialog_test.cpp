// The default eye point dialog in the running module: the texts it shows,
// how Get splits the live eye point, and the OK & Save round trip.
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

const char* const kCaption = "Default eye point";
const int kBoxes[12] = {IDC_EYE_PITCH_INTEGER,     IDC_EYE_PITCH_FRACTION,     IDC_EYE_BANK_INTEGER,
                        IDC_EYE_BANK_FRACTION,     IDC_EYE_YAW_INTEGER,        IDC_EYE_YAW_FRACTION,
                        IDC_EYE_BACKFORTH_INTEGER, IDC_EYE_BACKFORTH_FRACTION, IDC_EYE_LEFTRIGHT_INTEGER,
                        IDC_EYE_LEFTRIGHT_FRACTION, IDC_EYE_UPDOWN_INTEGER,    IDC_EYE_UPDOWN_FRACTION};
const char* const kKeys[12] = {"ipitch",     "fpitch",     "ibank",      "fbank",      "iyaw",    "fyaw",
                               "ibackforth", "fbackforth", "ileftright", "fleftright", "iupdown", "fupdown"};

std::vector<std::string> BoxTexts(HWND dialog) {
  std::vector<std::string> texts;
  for (int id : kBoxes) texts.push_back(Text(dialog, id));
  return texts;
}

class EyePointDialog : public DialogCase {
 protected:
  // The aircraft's default eye point in the file, in the short form a user
  // might type, and button 1 bound to "reset all", which moves the live eye
  // point there.
  void WriteDefaults(const char* const texts[12]) {
    for (int i = 0; i < 12; ++i) WriteSetting(kAircraft, kKeys[i], texts[i]);
    WriteSetting("Button_1", "assigned", "1");
    WriteSetting("Button_1", "resetall", "1");
  }
  // Holds button 1 for a few ticks, then lets go.
  void ResetEyePoint() {
    const int32_t still[6] = {0, 0, 0, 0, 0, 0};
    const size_t before = CountCalls("CameraSetRelative6DOF");
    SetDevice(still, 1);
    ASSERT_TRUE(SimHostPumpUntil(5000, [before] { return CountCalls("CameraSetRelative6DOF") >= before + 2; }));
    SetDevice(still, 0);
    ASSERT_TRUE(PumpTicks(2));
  }
};

const char* const kShortDefaults[12] = {"12", "5", "-0", "25", "-12", "25", "0", "0", "7", "", "0", "0"};

// Opened, Get, Cancel: nothing stored. Opened again, Get, an edit, OK &
// Save: stored, reloaded, shown at the next opening and sent by a reset.
TEST_F(EyePointDialog, GetSplitsTheLiveEyePointAndOkAndSaveStoresTheBoxes) {
  WriteDefaults(kShortDefaults);
  Start();
  ResetEyePoint();
  std::string title;
  std::vector<std::string> opened, got;
  ASSERT_TRUE(RunDialog(kEyePointItem, kCaption, [&](HWND dialog) {
    title = Text(dialog, IDC_EYE_AIRCRAFT);
    opened = BoxTexts(dialog);
    Click(dialog, IDC_EYE_GET_CURRENT);
    got = BoxTexts(dialog);
    Click(dialog, IDC_EYE_CANCEL);
  }));
  EXPECT_EQ(kAircraft, title);
  EXPECT_EQ(std::vector<std::string>(kShortDefaults, kShortDefaults + 12), opened);
  // Pitch 12.5, bank -0.25, yaw -12.25, back/forth 0, left/right 7, up/down 0.
  const char* const saved[12] = {"12", "500000", "-0", "250000", "-12", "250000", "0", "000000", "7", "000000",
                                 "3", "05"};
  std::vector<std::string> split(saved, saved + 10);
  split.insert(split.end(), {"0", "000000"});
  EXPECT_EQ(split, got);
  EXPECT_EQ("5", SettingsValue(kAircraft, "fpitch")) << "Cancel after Get stores nothing";
  EXPECT_GT(TicksWhileOpen(), 0u);

  ASSERT_TRUE(RunDialog(kEyePointItem, kCaption, [&](HWND dialog) {
    Click(dialog, IDC_EYE_GET_CURRENT);
    Type(dialog, IDC_EYE_UPDOWN_INTEGER, "3");
    Type(dialog, IDC_EYE_UPDOWN_FRACTION, "05");  // .05
    Click(dialog, IDC_EYE_SAVE);
  }));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(saved[i], SettingsValue(kAircraft, kKeys[i])) << kKeys[i];
  std::vector<std::string> reopened;
  ASSERT_TRUE(RunDialog(kEyePointItem, kCaption, [&](HWND dialog) {
    reopened = BoxTexts(dialog);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc cancels here
  }));
  EXPECT_EQ(std::vector<std::string>(saved, saved + 12), reopened);
  ResetEyePoint();
  // X, Y, Z, pitch, bank, heading: left/right, up/down, back/forth.
  EXPECT_EQ("CameraSetRelative6DOF(H, 7, 3.04999995, 0, 12.5, -0.25, -12.25)",
            DoubleCallsStartingWith("CameraSetRelative6DOF").back());
}

}  // namespace
