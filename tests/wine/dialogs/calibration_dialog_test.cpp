// The device calibration dialog in the running module: the flag it raises
// for the device server, the ranges it tracks and shows, what it saves.
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
  std::string SavedRanges() const {
    std::string ranges;
    for (const char* key : {"rXmin", "rXmax", "rYmin", "rYmax", "rZmin", "rZmax", "tXmin", "tXmax", "tYmin", "tYmax",
                            "tZmin", "tZmax"}) {
      ranges += IniValue(SettingsFile(), "CALIBRATION", key) + " ";
    }
    return ranges;
  }
};

struct CloseWay {
  const char* name;
  std::function<void(HWND)> close;
};

// Every way out clears the flag; the first, SAVE CALIBRATION, after the poll
// has tracked two raw readings, is the only one that stores ranges.
TEST_F(CalibrationDialog, FlagOneWhileOpenRangesTrackedAndOnlySaveStoresThem) {
  Start();
  // Axes in title order: tX, tY, tZ, rX, rY, rZ.
  // Published before the server noticed the calibration: shown, never taken.
  const int32_t processed[6] = {900, 900, -900, 900, -900, 900};
  const int32_t first[6] = {10, -500, 7, 30, -40, 0};
  const int32_t second[6] = {-20, -100, 7, 35, -45, 0};
  SetDevice(processed, 0);
  std::vector<std::string> labels;
  bool sawProcessed = false, sawFirst = false;
  const CloseWay ways[] = {
      {"save",
       [&](HWND dialog) {
         sawProcessed = WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_NOW_FORTHBACK) == "Forth/Back: 900"; });
         // The server window belongs to the dialog's thread, which handles
         // the title change in its modal loop.
         SetDevice(first, 0, true);
         sawFirst = WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_NOW_FORTHBACK) == "Forth/Back: -500"; });
         SetDevice(second, 0, true);
         WaitUntil(5000, [&] { return Text(dialog, IDC_CAL_NOW_LEFTRIGHT) == "Left/Right: -20"; });
         // Every label's text is a native row; here the poll fills them.
         for (int id : {IDC_CAL_PITCH_MAX, IDC_CAL_BACKWARD, IDC_CAL_NOW_LEFTRIGHT}) labels.push_back(Text(dialog, id));
         Click(dialog, IDC_CAL_SAVE);
       }},
      {"cancel", [](HWND dialog) { Click(dialog, IDC_CAL_CANCEL); }},
      {"close", [](HWND dialog) { SendMessageA(dialog, WM_CLOSE, 0, 0); }},
      {"enter", [](HWND dialog) { PostMessageA(GetDlgItem(dialog, IDC_CAL_SAVE), WM_KEYDOWN, VK_RETURN, 0); }},
  };
  for (const CloseWay& way : ways) {
    std::string whileOpen;
    bool escKeptItOpen = false;
    ASSERT_TRUE(RunDialog(kCalibrationItem, "Device calibration", [&](HWND dialog) {
      whileOpen = CalibrationFlags();
      SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc
      escKeptItOpen = IsWindow(dialog) != FALSE;
      way.close(dialog);
    })) << way.name;
    EXPECT_EQ("1/1", whileOpen) << way.name;
    EXPECT_TRUE(escKeptItOpen) << way.name;
    EXPECT_EQ("0/0", CalibrationFlags()) << way.name;
    EXPECT_GT(TicksWhileOpen(), 0u) << way.name;
  }
  ASSERT_TRUE(sawProcessed);
  ASSERT_TRUE(sawFirst);
  EXPECT_EQ((std::vector<std::string>{"Pitch max: 35", "Backward: -500", "Left/Right: -20"}), labels);
  // Magnitudes, in the order rX, rY, rZ, tX, tY, tZ with min before max.
  // Enter is CANCEL, and no later way out wrote the ranges of its own run.
  EXPECT_EQ("30 35 45 40 0 0 20 10 500 100 7 7 ", SavedRanges());
}

// Presses SAVE CALIBRATION straight after the dialog's initialisation: a
// posted message always comes before a timer message, so no poll runs first.
LRESULT CALLBACK SaveRightAfterOpening(int code, WPARAM wParam, LPARAM lParam) {
  const CWPRETSTRUCT* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
  if (code == HC_ACTION && call->message == WM_INITDIALOG && GetDlgItem(call->hwnd, IDC_CAL_SAVE) != nullptr) {
    PostMessageA(call->hwnd, WM_COMMAND, IDC_CAL_SAVE, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(CalibrationDialog, SaveBeforeTheFirstPollStoresTheStartValues) {
  Start();
  const int32_t reading[6] = {5, 5, 5, 5, 5, 5};
  SetDevice(reading, 0);
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROCRET, SaveRightAfterOpening, nullptr, GetCurrentThreadId());
  ASSERT_NE(nullptr, hook);
  const bool closed = RunDialog(kCalibrationItem, nullptr, nullptr);
  UnhookWindowsHookEx(hook);
  ASSERT_TRUE(closed);
  EXPECT_EQ("100000 100000 100000 100000 100000 100000 100000 100000 100000 100000 100000 100000 ", SavedRanges());
  EXPECT_EQ("0/0", CalibrationFlags());
}

}  // namespace
