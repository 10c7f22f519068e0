// The device settings dialog in the running module: what it shows, what
// SAVE writes, and what RESET TO DEFAULT and CANCEL leave behind.
#include <iterator>

#include "setup/configuration_keys.h"
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

TEST_F(SettingsDialog, SaveWritesEveryValueAsTheControlsShowItAndClearsChanged) {
  Start();
  // Typed texts that are no unsigned number save as 0; there is no upper limit.
  const EditCase edits[] = {
      {IDC_SET_RX_SENSITIVITY, "rXsensitivity", "abc", "0"},
      {IDC_SET_RX_NULLZONE, "rXnullzone", "", "0"},
      {IDC_SET_TY_SENSITIVITY, "tYsensitivity", "250", "250"},
      {IDC_SET_TX_NULLZONE, "tXnullzone", "-3", "0"},
      {IDC_SET_TZ_SENSITIVITY, "tZsensitivity", "4294967295", "-1"},
      {IDC_SET_RZ_NULLZONE, "rZnullzone", "12abc", "0"},
      {IDC_SET_TX_SENSITIVITY, "tXsensitivity", " 7 ", "7"},
  };
  bool shownDefaults = false;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    shownDefaults = Text(dialog, IDC_SET_RZ_SENSITIVITY) == "100" && Text(dialog, IDC_SET_RZ_NULLZONE) == "50" &&
                    Ticked(dialog, IDC_SET_TY_INVERT) && !Ticked(dialog, IDC_SET_TX_INVERT) &&
                    Ticked(dialog, IDC_SET_USEONSLEW) && !Ticked(dialog, IDC_SET_QUORIXMODE);
    for (const EditCase& edit : edits) Type(dialog, edit.control, edit.typed);
    Click(dialog, IDC_SET_QUORIXMODE);  // on
    Click(dialog, IDC_SET_RY_ENABLED);  // off
    Click(dialog, IDC_SET_TY_INVERT);   // off
    Click(dialog, IDC_SET_SAVE);
  }));
  EXPECT_TRUE(shownDefaults);
  for (const EditCase& edit : edits) EXPECT_EQ(edit.saved, SettingsValue("SETTINGS", edit.key)) << edit.key;
  // Everything else keeps the value it showed: the file has all 26 keys.
  const std::pair<const char*, const char*> others[] = {
      {"quorixmode", "1"},      {"useonslew", "1"},       {"rYenabled", "0"},       {"tYinvert", "0"},
      {"tZinvert", "1"},        {"rXenabled", "1"},       {"tXenabled", "1"},       {"tYenabled", "1"},
      {"tZenabled", "1"},       {"rZenabled", "1"},       {"tXinvert", "0"},        {"rXinvert", "0"},
      {"rYinvert", "0"},        {"rZinvert", "0"},        {"rYsensitivity", "100"},
      {"rZsensitivity", "100"}, {"tYnullzone", "50"},     {"tZnullzone", "50"},     {"rYnullzone", "50"},
  };
  for (const auto& other : others) EXPECT_EQ(other.second, SettingsValue("SETTINGS", other.first)) << other.first;
  EXPECT_EQ(std::size(edits) + std::size(others), 26u);
  EXPECT_EQ("0", IniValue(MarkerFile(), "SETTINGS", "Changed"));
  EXPECT_GT(TicksWhileOpen(), 0u);
}

// The first SAVE meets the settings file held open, unshared, by another
// program: a message names the file and the dialog stays open for a second
// SAVE, which goes through once the file is free.
TEST_F(SettingsDialog, FlagStoredAsTwoSavesAsZeroAndAFailedSaveSaysSo) {
  WriteSetting("SETTINGS", "rXenabled", "2");
  WriteSetting("SETTINGS", "quorixmode", "1");
  WriteSetting("SETTINGS", "rZsensitivity", "77");
  Start();
  bool pitchTicked = true, quorixTicked = false, openAfterFailure = false;
  std::string yawSensitivity;
  HWND owner = nullptr;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    owner = dialog;
    pitchTicked = Ticked(dialog, IDC_SET_RX_ENABLED);
    quorixTicked = Ticked(dialog, IDC_SET_QUORIXMODE);
    yawSensitivity = Text(dialog, IDC_SET_RZ_SENSITIVITY);
    HANDLE holder = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    Click(dialog, IDC_SET_SAVE);
    openAfterFailure = IsWindow(dialog) != FALSE;
    CloseHandle(holder);
    Click(dialog, IDC_SET_SAVE);
  }));
  EXPECT_FALSE(pitchTicked);
  EXPECT_TRUE(quorixTicked);
  EXPECT_EQ("77", yawSensitivity);
  EXPECT_TRUE(openAfterFailure);
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  ASSERT_EQ(1u, boxes.size());
  EXPECT_NE(std::string::npos, boxes[0].text.find(SettingsFile())) << boxes[0].text;
  EXPECT_EQ("Pivora for FSX", boxes[0].caption);
  EXPECT_EQ(owner, boxes[0].owner);
  EXPECT_EQ("0", SettingsValue("SETTINGS", "rXenabled"));
  EXPECT_EQ("1", SettingsValue("SETTINGS", "quorixmode"));
}

TEST_F(SettingsDialog, ResetToDefaultThenCancelKeepsTheFileButRunsWithTheDefaults) {
  WriteSetting("SETTINGS", "quorixmode", "1");
  WriteSetting("SETTINGS", "useonslew", "0");
  WriteSetting("SETTINGS", "tXsensitivity", "33");
  Start();
  const std::string before = Bytes(SettingsFile());
  std::string shownBefore, shownAfter;
  bool quorixAfter = true, slewAfter = false;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    shownBefore = Text(dialog, IDC_SET_TX_SENSITIVITY);
    Type(dialog, IDC_SET_TX_NULLZONE, "9");
    Click(dialog, IDC_SET_RESET);
    shownAfter = Text(dialog, IDC_SET_TX_SENSITIVITY) + "/" + Text(dialog, IDC_SET_TX_NULLZONE);
    quorixAfter = Ticked(dialog, IDC_SET_QUORIXMODE);
    slewAfter = Ticked(dialog, IDC_SET_USEONSLEW);
    Click(dialog, IDC_SET_CANCEL);
  }));
  EXPECT_EQ("33", shownBefore);
  EXPECT_EQ("100/50", shownAfter);
  EXPECT_FALSE(quorixAfter);
  EXPECT_TRUE(slewAfter);
  EXPECT_EQ(before, Bytes(SettingsFile()));
  // The live settings are the defaults: the next opening shows them.
  std::string shownAgain;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    shownAgain = Text(dialog, IDC_SET_TX_SENSITIVITY) + (Ticked(dialog, IDC_SET_USEONSLEW) ? " slew" : "");
    Click(dialog, IDC_SET_CANCEL);
  }));
  EXPECT_EQ("100 slew", shownAgain);
  EXPECT_EQ(before, Bytes(SettingsFile()));
}

// Esc and a notification leave the dialog open; closing the window and
// Enter (the default button, CANCEL) take nothing over and write nothing.
TEST_F(SettingsDialog, CloseEnterAndEscTakeNothingOverAndWriteNothing) {
  Start();
  const std::string before = Bytes(SettingsFile());
  bool openAfterEscAndNotification = false;
  LRESULT defaultId = 0;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    Type(dialog, IDC_SET_RX_SENSITIVITY, "5");
    Click(dialog, IDC_SET_RX_INVERT);
    SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    // SAVE's id with a non-zero notification code is no click.
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SET_SAVE, BN_DOUBLECLICKED), 0);
    openAfterEscAndNotification = IsWindow(dialog) != FALSE;
    defaultId = SendMessageA(dialog, DM_GETDEFID, 0, 0);
    SendMessageA(dialog, WM_CLOSE, 0, 0);
  }));
  EXPECT_TRUE(openAfterEscAndNotification);
  EXPECT_EQ(MAKELRESULT(IDC_SET_CANCEL, DC_HASDEFID), defaultId);
  std::string shownAgain;
  ASSERT_TRUE(RunDialog(kSettingsItem, "Device settings", [&](HWND dialog) {
    shownAgain = Text(dialog, IDC_SET_RX_SENSITIVITY) + (Ticked(dialog, IDC_SET_RX_INVERT) ? " inverted" : "");
    Type(dialog, IDC_SET_RX_SENSITIVITY, "7");
    // Enter in an edit box presses the default button: posted, so that it
    // passes through the modal loop's dialog message handling.
    PostMessageA(GetDlgItem(dialog, IDC_SET_RX_SENSITIVITY), WM_KEYDOWN, VK_RETURN, 0);
  }));
  EXPECT_EQ("100", shownAgain);
  EXPECT_EQ(before, Bytes(SettingsFile()));
}

}  // namespace
