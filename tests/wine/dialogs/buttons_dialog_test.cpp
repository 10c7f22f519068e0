// The buttons setup dialog in the running module: the lists it shows, the
// key name its timer looks up, Get reading the device, and the live table
// that Add, Delete and closing the window leave for Save and Cancel. The
// questions, refusals and what each command does are native rows
// (button_entries).
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

const char* const kCaption = "Device buttons setup";
const char* const kOverwrite =
    "The specified button is already assigned. Do you want to overwrite the old assignment with the current one?";
const char* const kDeleteQuestion = "Are you sure that you want to delete the currently highlighted assigned button?";
const char* const kQuitQuestion =
    "The configuration has been changed but not saved, are you sure that you want to quit?";

class ButtonsDialog : public DialogCase {};

// Opened, an Add over button 3 (asked; Yes, the default answer), Get, Save.
// Opened again, a Delete, the window closed: the edit stays live and
// unsaved, so that the third opening shows it and its Cancel asks.
TEST_F(ButtonsDialog, ListsAddGetSaveAndTheEditsAClosedWindowKeeps) {
  for (const char* key : {"assigned", "keypress", "withshift"}) WriteSetting("Button_2", key, "1");
  WriteSetting("Button_2", "keycode", "65");
  for (const char* section : {"Button_10", "Button_3"}) {
    WriteSetting(section, "assigned", "1");
    WriteSetting(section, "resetall", "1");
  }
  Start();
  const int32_t still[6] = {0, 0, 0, 0, 0, 0};
  std::vector<HWND> owners;  // one box each
  std::vector<std::string> functions, assigned, afterAdd, reopened;
  std::string keyName, got;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    owners.push_back(dialog);
    functions = ListTexts(dialog, IDC_BTN_FUNCTIONS);
    assigned = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Type(dialog, IDC_BTN_KEYCODE, "65");
    WaitUntil(3000, [&] { return !Text(dialog, IDC_BTN_KEYNAME).empty(); });
    keyName = Text(dialog, IDC_BTN_KEYNAME);
    Type(dialog, IDC_BTN_NUMBER, "3");
    Select(dialog, IDC_BTN_FUNCTIONS, 1);
    Click(dialog, IDC_BTN_ADD);
    afterAdd = ListTexts(dialog, IDC_BTN_ASSIGNED);
    SetDevice(still, 42);
    Click(dialog, IDC_BTN_GET_NUMBER);
    got = Text(dialog, IDC_BTN_NUMBER);
    Click(dialog, IDC_BTN_SAVE);
  }));
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    owners.push_back(dialog);
    Select(dialog, IDC_BTN_ASSIGNED, 1);  // "BTN: 2 ...", second in text order
    Click(dialog, IDC_BTN_DELETE);
    SendMessageA(dialog, WM_CLOSE, 0, 0);  // what Alt+F4 sends
  }));
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    owners.push_back(dialog);
    reopened = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_CANCEL);
  }));
  EXPECT_EQ((std::vector<std::string>{"Simulate a key press", "Reset eye point (rotation only)",
                                      "Reset eye point (translation only)", "Reset eye point (reset all)"}),
            functions);
  std::vector<std::string> expected = {"BTN: 10 - Function: Reset eye point (reset all)",
                                       "BTN: 2 - Simulate Key - Keycode: 65 (A) Shift: 1 CTRL: 0 Alt: 0",
                                       "BTN: 3 - Function: Reset eye point (reset all)"};
  EXPECT_EQ(expected, assigned);
  EXPECT_EQ("A", keyName);
  expected.back() = "BTN: 3 - Function: Reset eye point (rotation only)";
  EXPECT_EQ(expected, afterAdd);
  EXPECT_EQ("42", got);
  EXPECT_EQ("1", SettingsValue("Button_3", "resetrotation"));
  EXPECT_EQ("0", SettingsValue("Button_3", "resetall"));
  EXPECT_EQ("1", SettingsValue("Button_2", "assigned")) << "the closed window saved nothing";
  expected.erase(expected.begin() + 1);
  EXPECT_EQ(expected, reopened);
  EXPECT_EQ((std::vector<std::string>{kOverwrite, kDeleteQuestion, kQuitQuestion}), MessageTexts());
  const std::vector<MessageBoxSeen> boxes = MessageBoxesSeen();
  for (size_t i = 0; i < boxes.size() && i < owners.size(); ++i) {
    EXPECT_EQ("Pivora for FSX", boxes[i].caption);
    EXPECT_EQ(owners[i], boxes[i].owner) << boxes[i].text;
  }
}

// Which key wins and when the text stays are native rows (button_entries).
TEST_F(ButtonsDialog, GetAKeycodeShowsTheKeyHeldDown) {
  Start();
  std::string shown, afterRelease;
  bool nestedFound = false;
  // The key state is the whole desktop's and outlives any program: let go
  // of anything left held, or a higher code would show instead.
  ASSERT_TRUE(WaitUntil(3000, [] {
    bool held = false;
    for (int key = 4; key <= 255; ++key) {
      if (!(GetAsyncKeyState(key) & 0x8000)) continue;
      held = true;
      keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    }
    return !held;
  }));
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    // Posted: the nested dialog's modal loop runs inside the click.
    PostMessageA(GetDlgItem(dialog, IDC_BTN_GET_KEYCODE), BM_CLICK, 0, 0);
    HWND keycode = nullptr;
    nestedFound = WaitUntil(10000, [&] { return (keycode = FindOwnDialog("Get a keycode")) != nullptr; });
    if (!nestedFound) return;
    keybd_event('A', 0, 0, 0);
    WaitUntil(3000, [&] { return !Text(keycode, IDC_KEY_LAST).empty(); });
    shown = Text(keycode, IDC_KEY_LAST);
    keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
    WaitUntil(3000, [] { return (GetAsyncKeyState('A') & 0x8000) == 0; });
    // Scans with no key down (the first may still report the press).
    SendMessageA(keycode, WM_TIMER, 0, 0);
    SendMessageA(keycode, WM_TIMER, 0, 0);
    afterRelease = Text(keycode, IDC_KEY_LAST);
    Click(keycode, IDC_KEY_QUIT);
    WaitUntil(3000, [&] { return !IsWindow(keycode); });
    Click(dialog, IDC_BTN_CANCEL);
  }));
  ASSERT_TRUE(nestedFound);
  EXPECT_EQ("65 ", shown);
  EXPECT_EQ("65 ", afterRelease);
}

}  // namespace
