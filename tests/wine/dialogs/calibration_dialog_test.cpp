// The device calibration dialog in the running module: the flag it raises
// for the device server, the ranges its poll tracks and shows, what SAVE
// stores. What every way out does is a native row (dialog_commands).
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

class CalibrationDialog : public DialogCase {
 protected:
  // DoingCalibration of both files, as "settings/marker".
  std::string CalibrationFlags() const {
    return IniValue(SettingsFile(), "SETTINGS", "DoingCalibration") + "/" +
           IniValue(MarkerFile(), "SETTINGS", "DoingCalibration");
  }
};

TEST_F(CalibrationDialog, FlagOneWhileOpenRangesTrackedAndSaved) {
  Start();
  // Axes in title order: tX, tY, tZ, rX, rY, rZ.
  // Published before the server noticed the calibration: shown, never taken.
  const int32_t processed[6] = {900, 900, -900, 900, -900, 900};
  const int32_t first[6] = {10, -500, 7, 30, -40, 0};
  const int32_t second[6] = {-20, -100, 7, 35, -45, 0};
  SetDevice(processed, 0);
  std::string whileOpen;
  bool sawProcessed = false, sawFirst = false, sawSecond = false;
  ASSERT_TRUE(RunDialog(kCalibrationItem, "Device calibration", [&](HWND dialog) {
    whileOpen = CalibrationFlags();
    sawProcessed = WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_NOW_FORTHBACK) == "Forth/Back: 900"; });
    // The server window belongs to the dialog's thread, which handles the
    // title change in its modal loop.
    SetDevice(first, 0, true);
    sawFirst = WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_NOW_FORTHBACK) == "Forth/Back: -500"; });
    SetDevice(second, 0, true);
    // Every label's text is a native row; here the poll fills them.
    sawSecond = WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_PITCH_MAX) == "Pitch max: 35"; });
    Click(dialog, IDC_CAL_SAVE);
  }));
  EXPECT_EQ("1/1", whileOpen);
  EXPECT_EQ("0/0", CalibrationFlags());
  ASSERT_TRUE(sawProcessed);
  ASSERT_TRUE(sawFirst);
  ASSERT_TRUE(sawSecond);
  // Magnitudes, in the order rX, rY, rZ, tX, tY, tZ with min before max.
  std::string ranges;
  for (const char* key : {"rXmin", "rXmax", "rYmin", "rYmax", "rZmin", "rZmax", "tXmin", "tXmax", "tYmin", "tYmax",
                          "tZmin", "tZmax"}) {
    ranges += IniValue(SettingsFile(), "CALIBRATION", key) + " ";
  }
  EXPECT_EQ("30 35 45 40 0 0 20 10 500 100 7 7 ", ranges);
}

}  // namespace
