// What the settings, calibration and eye point dialogs do per command.
#include "setup/dialog_commands.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "setup/resources/resource.h"
#include "tests/native/scripted_host.h"

namespace {

TEST(DialogCommands, OnlyAClickWithoutNotificationCodeIsACommand) {
  EXPECT_EQ(ClickedControl(1048), 1048);
  EXPECT_EQ(ClickedControl(0x00051048), kNoCommand);  // BN_DOUBLECLICKED of SAVE
}

TEST(DialogCommands, SaveFailureNamesTheFileOrTheMissingFolder) {
  char text[kSaveFailureTextSize];
  SaveFailureText(kMarkerFile, text, sizeof text);
  EXPECT_EQ(text, Failed(kMarkerFile));
  SaveFailureText("", text, sizeof text);
  EXPECT_EQ(text, Failed("(the Application Data folder is not available)"));
}

enum Dialog { kSettings, kCalibration, kEyePoint };
constexpr int kOpen = -100;  // the calibration dialog's opening
constexpr int kEsc = 2;      // IDCANCEL

TEST(DialogCommands, EachCommandCallsItsStepsInOrder) {
  const std::string kSaveFailed = Failed(kSettingsFile), kFlagFailed = Failed(kMarkerFile);
  struct Case {
    const char* name;
    Dialog dialog;
    int command;
    const char* failing;
    std::vector<std::string> calls;
    bool handled;
    bool replaced;  // the live settings became the defaults, the ranges started afresh
  } const cases[] = {
      {"SAVE takes the controls over", kSettings, IDC_SET_SAVE, "", {"take", "save", "end"}, true, false},
      {"failed SAVE says so, stays open", kSettings, IDC_SET_SAVE, "save", {"take", "save", kSaveFailed}, true, false},
      {"RESET shows the defaults, saves nothing", kSettings, IDC_SET_RESET, "", {"refresh"}, true, true},
      {"CANCEL takes nothing over", kSettings, IDC_SET_CANCEL, "", {"end"}, true, false},
      {"closing the settings likewise", kSettings, kCloseRequest, "", {"end"}, true, false},
      {"Esc has no settings button", kSettings, kEsc, "", {}, false, false},
      {"opening raises the flag, restarts ranges", kCalibration, kOpen, "", {"flag 1"}, true, true},
      {"SAVE CALIBRATION", kCalibration, IDC_CAL_SAVE, "", {"stop", "save", "flag 0", "end"}, true, false},
      {"failed ranges, flag cleared all the same", kCalibration, IDC_CAL_SAVE, "save",
       {"stop", "save", "flag 0", kSaveFailed, "end"}, true, false},
      {"both fail: the first file is told", kCalibration, IDC_CAL_SAVE, "save flag",
       {"stop", "save", "flag 0", kSaveFailed, "end"}, true, false},
      {"calibration CANCEL clears the flag", kCalibration, IDC_CAL_CANCEL, "", {"stop", "flag 0", "end"}, true, false},
      {"a flag left raised is told", kCalibration, IDC_CAL_CANCEL, "flag", {"stop", "flag 0", kFlagFailed, "end"},
       true, false},
      {"closing the calibration as CANCEL", kCalibration, kCloseRequest, "", {"stop", "flag 0", "end"}, true, false},
      {"Esc has no calibration button", kCalibration, kEsc, "", {}, false, false},
      {"GET shows the live eye point", kEyePoint, IDC_EYE_GET_CURRENT, "", {"refresh"}, true, false},
      {"OK & Save reloads the new default", kEyePoint, IDC_EYE_SAVE, "", {"save", "reload", "end"}, true, false},
      {"failed OK & Save stays open", kEyePoint, IDC_EYE_SAVE, "save", {"save", kSaveFailed}, true, false},
      {"eye point Cancel, which Esc is too", kEyePoint, IDC_EYE_CANCEL, "", {"end"}, true, false},
      {"closing the eye point", kEyePoint, kCloseRequest, "", {"end"}, true, false},
      {"a notification is no eye point command", kEyePoint, kNoCommand, "", {}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedHost script;
    script.failing = c.failing;
    ModuleSettings live;
    std::fill_n(reinterpret_cast<int32_t*>(&live), sizeof live / sizeof(int32_t), 7);
    AxisCalibration ranges[kAxisCount] = {};
    bool handled = true;
    switch (c.dialog) {
      case kSettings: handled = SettingsCommand(c.command, &live, script.Host()); break;
      case kCalibration:
        if (c.command == kOpen) OpenCalibration(ranges, script.Host());
        else handled = CalibrationCommand(c.command, script.Host());
        break;
      case kEyePoint: handled = EyePointCommand(c.command, script.Host()); break;
    }
    EXPECT_EQ(script.log, c.calls);
    EXPECT_EQ(handled, c.handled);
    // Defaults: sensitivity 100, tY inverted, used on slew; start values of
    // the ranges: 100000 up, -100000 down.
    const bool replaced = c.dialog == kSettings ? live.axis[kAxisTX].sensitivity == 100 &&
                                                      live.axis[kAxisTY].invert == 1 && live.useonslew == 1
                                                : ranges[kAxisRZ].minimum == 100000 && ranges[kAxisTX].maximum == -100000;
    EXPECT_EQ(replaced, c.replaced);
  }
}

}  // namespace
