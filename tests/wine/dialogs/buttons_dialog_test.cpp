// The buttons setup dialog in the running module: the lists it shows, its
// refusals and questions, and how Save, Cancel and closing the window treat
// the live button table and the settings file.
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

const char* const kCaption = "Device buttons setup";
const char* const kNothingSelected =
    "Please select the Assigned button to delete before clicking 'Delete selected assignment'";
const char* const kGetHint =
    "To get a key number, please hold down the desired button on the device, while Get is clicked.";
const char* const kOverwrite =
    "The specified button is already assigned. Do you want to overwrite the old assignment with the current one?";
const char* const kDeleteQuestion = "Are you sure that you want to delete the currently highlighted assigned button?";
const char* const kQuitQuestion =
    "The configuration has been changed but not saved, are you sure that you want to quit?";

class ButtonsDialog : public DialogCase {
 protected:
  void Assign(int button, const char* key, const char* value) {
    const std::string section = "Button_" + std::to_string(button);
    WriteSetting(section.c_str(), key, value);
  }
  void AssignReset(int button, const char* flag) {
    Assign(button, "assigned", "1");
    Assign(button, flag, "1");
  }
  std::string ButtonValue(int button, const char* key) const {
    const std::string section = "Button_" + std::to_string(button);
    return SettingsValue(section.c_str(), key);
  }
};

// Fills the boxes the way a user would before pressing Add.
void AddAssignment(HWND dialog, const char* button, int function, const char* keycode) {
  Type(dialog, IDC_BTN_NUMBER, button);
  Select(dialog, IDC_BTN_FUNCTIONS, function);
  Type(dialog, IDC_BTN_KEYCODE, keycode);
  Click(dialog, IDC_BTN_ADD);
}

// The questions and refusals themselves are native rows (button_entries);
// here the path through the window: the lists in text order with the key
// names, boxes owned by the dialog, Add writing the live table, Get reading
// the device, Save writing the whole table.
TEST_F(ButtonsDialog, ListsAddGetAndSave) {
  Assign(2, "assigned", "1");
  Assign(2, "keypress", "1");
  Assign(2, "keycode", "65");
  Assign(2, "withshift", "1");
  AssignReset(10, "resetall");
  AssignReset(0, "resetrotation");
  Assign(5, "assigned", "1");         // no action: an empty entry
  AssignReset(7, "resettranslation");
  Assign(7, "assigned", "2");         // only exactly 1 counts
  AssignReset(3, "resetall");
  Start();
  const int32_t still[6] = {0, 0, 0, 0, 0, 0};
  HWND owner = nullptr;
  std::vector<std::string> functions, assigned, afterAdd;
  std::string keyName, gotHeld, gotReleased;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    owner = dialog;
    functions = ListTexts(dialog, IDC_BTN_FUNCTIONS);
    assigned = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Type(dialog, IDC_BTN_KEYCODE, "65");
    WaitUntil(3000, [&] { return !Text(dialog, IDC_BTN_KEYNAME).empty(); });
    keyName = Text(dialog, IDC_BTN_KEYNAME);
    AddAssignment(dialog, "3", 1, "");  // asked; Yes, the default answer
    afterAdd = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_DELETE);  // nothing selected
    SetDevice(still, 42);
    Click(dialog, IDC_BTN_GET_NUMBER);
    gotHeld = Text(dialog, IDC_BTN_NUMBER);
    SetDevice(still, 0);
    Click(dialog, IDC_BTN_GET_NUMBER);  // no button held: a hint
    gotReleased = Text(dialog, IDC_BTN_NUMBER);
    Click(dialog, IDC_BTN_SAVE);
  }));
  EXPECT_EQ((std::vector<std::string>{"Simulate a key press", "Reset eye point (rotation only)",
                                      "Reset eye point (translation only)", "Reset eye point (reset all)"}),
            functions);
  std::vector<std::string> expected = {"", "BTN: 0 - Function: Reset eye point (rotation only)",
                                       "BTN: 10 - Function: Reset eye point (reset all)",
                                       "BTN: 2 - Simulate Key - Keycode: 65 (A) Shift: 1 CTRL: 0 Alt: 0",
                                       "BTN: 3 - Function: Reset eye point (reset all)"};
  EXPECT_EQ(expected, assigned);
  EXPECT_EQ("A", keyName);
  expected.back() = "BTN: 3 - Function: Reset eye point (rotation only)";
  EXPECT_EQ(expected, afterAdd);
  EXPECT_EQ("42", gotHeld);
  EXPECT_EQ("42", gotReleased);
  EXPECT_EQ((std::vector<std::string>{kOverwrite, kNothingSelected, kGetHint}), MessageTexts());
  for (const MessageBoxSeen& box : MessageBoxesSeen()) {
    EXPECT_EQ("Pivora for FSX", box.caption);
    EXPECT_EQ(owner, box.owner);
  }
  EXPECT_EQ("1", ButtonValue(3, "resetrotation"));
  EXPECT_EQ("0", ButtonValue(3, "resetall"));
  EXPECT_EQ("0", ButtonValue(50, "assigned"));
  EXPECT_EQ("<missing>", ButtonValue(101, "assigned"));
  EXPECT_GT(TicksWhileOpen(), 0u);
}

TEST_F(ButtonsDialog, ClosingTheWindowKeepsTheLiveEditAndTheUnsavedFlagButWritesNothing) {
  AssignReset(2, "resetall");
  Start();
  const std::string before = Bytes(SettingsFile());
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    SelectEntry(dialog, IDC_BTN_ASSIGNED, "BTN: 2");
    Click(dialog, IDC_BTN_DELETE);
    SendMessageA(dialog, WM_CLOSE, 0, 0);  // what Alt+F4 sends
  }));
  EXPECT_EQ(before, Bytes(SettingsFile()));
  std::vector<std::string> reopened;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    reopened = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_CANCEL);  // still unsaved: asks, and Yes reloads
  }));
  EXPECT_TRUE(reopened.empty());
  EXPECT_EQ((std::vector<std::string>{kDeleteQuestion, kQuitQuestion}), MessageTexts());
  std::vector<std::string> reloaded;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    reloaded = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_CANCEL);
  }));
  EXPECT_EQ(std::vector<std::string>{"BTN: 2 - Function: Reset eye point (reset all)"}, reloaded);
}

TEST_F(ButtonsDialog, GetAKeycodeShowsTheKeyHeldDown) {
  Start();
  std::string emptied = "?", shown, afterRelease;
  bool nestedFound = false;
  // The key state is the whole desktop's: let go of anything another
  // program on it left held (a key press case ends with every key up, but
  // the state outlives any program), or its code would show first.
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
    emptied = Text(keycode, IDC_KEY_LAST);
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
  EXPECT_EQ("", emptied);
  EXPECT_EQ("65 ", shown);
  EXPECT_EQ("65 ", afterRelease);
}

}  // namespace
