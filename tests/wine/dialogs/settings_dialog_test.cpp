// The device settings dialog in the running module: what it shows, what
// SAVE writes, and the message box of a failed save, owned by the dialog.
// What each button does is a native row (dialog_commands), which control
// edits which value and how edit texts read are too (settings_controls).
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

class SettingsDialog : public DialogCase {};

// The first SAVE meets the settings file held open, unshared, by another
// program; the second goes through once the file is free.
TEST_F(SettingsDialog, ShowsTheFileSavesTheControlsAndAFailedSaveSaysSo) {
  WriteSetting("SETTINGS", "rXenabled", "2");  // only exactly 1 ticks
  WriteSetting("SETTINGS", "rZsensitivity", "77");
  Start();
  std::string shown;
  bool openAfterFailure = false;
  HWND owner = nullptr;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    owner = dialog;
    for (int id : {IDC_SET_RX_ENABLED, IDC_SET_TY_INVERT, IDC_SET_QUORIXMODE}) shown += Ticked(dialog, id) ? "1" : "0";
    shown += " " + Text(dialog, IDC_SET_RZ_SENSITIVITY);
    Type(dialog, IDC_SET_TY_SENSITIVITY, "250");
    Type(dialog, IDC_SET_TZ_NULLZONE, "4294967295");
    Click(dialog, IDC_SET_QUORIXMODE);
    HANDLE holder = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(dialog, IDC_SET_SAVE);
    openAfterFailure = IsWindow(dialog) != FALSE;
    CloseHandle(holder);
    Click(dialog, IDC_SET_SAVE);
  }));
  EXPECT_EQ("010 77", shown);
  EXPECT_TRUE(openAfterFailure);
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find(SettingsFile())) << boxes[0].text;
  EXPECT_EQ("Pivora for FSX", boxes[0].caption);
  EXPECT_EQ(owner, boxes[0].owner);
  const std::pair<const char*, const char*> saved[] = {
      {"tYsensitivity", "250"}, {"tZnullzone", "-1"}, {"quorixmode", "1"},
      {"rXenabled", "0"},       {"rZsensitivity", "77"}, {"tYinvert", "1"},
  };
  for (const auto& value : saved) EXPECT_EQ(value.second, SettingsValue("SETTINGS", value.first)) << value.first;
}

}  // namespace
