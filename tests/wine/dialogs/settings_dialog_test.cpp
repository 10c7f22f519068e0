// The device settings dialog in the running module: what it shows, what
// SAVE writes, and what every other way out leaves behind. Which control
// edits which value and how edit texts read are native rows.
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

class SettingsDialog : public DialogCase {};

struct EditCase {
  int control;
  const char* key;
  const char* typed;
  const char* saved;
};

// The first SAVE meets the settings file held open, unshared, by another
// program: a message owned by the dialog names the file and the dialog stays
// open for a second SAVE, which goes through once the file is free.
TEST_F(SettingsDialog, SaveTakesTheControlsOverAndAFailedSaveSaysSo) {
  WriteSetting("SETTINGS", "rXenabled", "2");  // only exactly 1 ticks
  WriteSetting("SETTINGS", "quorixmode", "1");
  WriteSetting("SETTINGS", "rZsensitivity", "77");
  Start();
  const EditCase edits[] = {
      {IDC_SET_RX_SENSITIVITY, "rXsensitivity", "abc", "0"},
      {IDC_SET_TY_SENSITIVITY, "tYsensitivity", "250", "250"},
      {IDC_SET_TZ_SENSITIVITY, "tZsensitivity", "4294967295", "-1"},
      {IDC_SET_TX_SENSITIVITY, "tXsensitivity", " 7 ", "7"},
  };
  std::string shown;
  bool openAfterFailure = false;
  HWND owner = nullptr;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    owner = dialog;
    for (int id : {IDC_SET_RX_ENABLED, IDC_SET_QUORIXMODE, IDC_SET_TY_INVERT, IDC_SET_TX_INVERT, IDC_SET_USEONSLEW}) {
      shown += Ticked(dialog, id) ? "1" : "0";
    }
    shown += " " + Text(dialog, IDC_SET_RZ_SENSITIVITY) + " " + Text(dialog, IDC_SET_RZ_NULLZONE);
    for (const EditCase& edit : edits) Type(dialog, edit.control, edit.typed);
    Click(dialog, IDC_SET_QUORIXMODE);  // off
    Click(dialog, IDC_SET_RY_ENABLED);  // off
    Click(dialog, IDC_SET_TY_INVERT);   // off
    HANDLE holder = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(dialog, IDC_SET_SAVE);
    openAfterFailure = IsWindow(dialog) != FALSE;
    CloseHandle(holder);
    Click(dialog, IDC_SET_SAVE);
  }));
  EXPECT_EQ("01101 77 50", shown);
  EXPECT_TRUE(openAfterFailure);
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find(SettingsFile())) << boxes[0].text;
  EXPECT_EQ("Pivora for FSX", boxes[0].caption);
  EXPECT_EQ(owner, boxes[0].owner);
  for (const EditCase& edit : edits) EXPECT_EQ(edit.saved, SettingsValue("SETTINGS", edit.key)) << edit.key;
  // Untouched controls keep what they showed.
  const std::pair<const char*, const char*> others[] = {
      {"quorixmode", "0"}, {"rYenabled", "0"},       {"tYinvert", "0"}, {"rXenabled", "0"},
      {"tZinvert", "1"},   {"rZsensitivity", "77"}, {"useonslew", "1"}, {"tYnullzone", "50"},
  };
  for (const auto& other : others) EXPECT_EQ(other.second, SettingsValue("SETTINGS", other.first)) << other.first;
  EXPECT_EQ("0", IniValue(MarkerFile(), "SETTINGS", "Changed"));
  EXPECT_GT(TicksWhileOpen(), 0u);
}

// Esc and a notification leave the dialog open; closing the window takes
// nothing over; RESET TO DEFAULT then CANCEL runs on the defaults; Enter
// presses the default button, CANCEL. None of it writes.
TEST_F(SettingsDialog, EveryOtherWayOutWritesNothing) {
  WriteSetting("SETTINGS", "quorixmode", "1");
  WriteSetting("SETTINGS", "useonslew", "0");
  WriteSetting("SETTINGS", "tXsensitivity", "33");
  Start();
  const std::string before = Bytes(SettingsFile());
  bool openAfterEscAndNotification = false;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    Type(dialog, IDC_SET_RX_SENSITIVITY, "5");
    Click(dialog, IDC_SET_RX_INVERT);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    // SAVE's id with a non-zero notification code is no click.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_SAVE, BN_DOUBLECLICKED), 0);
    openAfterEscAndNotification = IsWindow(dialog) != FALSE;
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  }));
  EXPECT_TRUE(openAfterEscAndNotification);
  std::string afterClose, beforeReset, afterReset;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    afterClose = Text(dialog, IDC_SET_RX_SENSITIVITY) + (Ticked(dialog, IDC_SET_RX_INVERT) ? " inverted" : "");
    beforeReset = Text(dialog, IDC_SET_TX_SENSITIVITY);
    Type(dialog, IDC_SET_TX_NULLZONE, "9");
    Click(dialog, IDC_SET_RESET);
    afterReset = Text(dialog, IDC_SET_TX_SENSITIVITY) + "/" + Text(dialog, IDC_SET_TX_NULLZONE) +
                 (Ticked(dialog, IDC_SET_QUORIXMODE) ? " quorix" : "") + (Ticked(dialog, IDC_SET_USEONSLEW) ? " slew" : "");
    Click(dialog, IDC_SET_CANCEL);
  }));
  EXPECT_EQ("100", afterClose);
  EXPECT_EQ("33", beforeReset);
  EXPECT_EQ("100/50 slew", afterReset);
  std::string afterCancel;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    afterCancel = Text(dialog, IDC_SET_TX_SENSITIVITY) + (Ticked(dialog, IDC_SET_USEONSLEW) ? " slew" : "");
    Type(dialog, IDC_SET_RX_SENSITIVITY, "7");
    // Posted, so that it passes through the modal loop's dialog handling.
    PostMessageA(GetDlgItem(dialog, IDC_SET_RX_SENSITIVITY), WM_KEYDOWN, VK_RETURN, 0);
  }));
  EXPECT_EQ("100 slew", afterCancel) << "the live settings are the defaults";
  EXPECT_EQ(before, Bytes(SettingsFile()));
}

}  // namespace
