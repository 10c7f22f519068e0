// The buttons setup dialog in the running module: the lists it shows, its
// refusals and questions, and how Save, Cancel and closing the window treat
// the live button table and the settings file.
#include "setup/resources/resource.h"
#include "tests/wine/dialogs/dialog_case.h"

namespace {

const char* const kCaption = "Device buttons setup";
const char* const kInvalidButton =
    "Invalid button number specified. Please specify a valid device's button or use the 'Get' button to get one.";
const char* const kNoFunction = "Please select a valid Function to assign before adding current assignment.";
const char* const kInvalidKeycode =
    "When key press simulation is selected, a valid Keycode must be entered in the appropriate box";
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

TEST_F(ButtonsDialog, ListsShowTheFunctionsAndTheAssignmentsInTextOrder) {
  Assign(2, "assigned", "1");
  Assign(2, "keypress", "1");
  Assign(2, "keycode", "65");
  Assign(2, "withshift", "1");
  AssignReset(10, "resetall");
  AssignReset(0, "resetrotation");
  Assign(5, "assigned", "1");         // no action: an empty entry
  AssignReset(7, "resettranslation");
  Assign(7, "assigned", "2");         // only exactly 1 counts
  Start();
  std::vector<std::string> functions, assigned;
  std::string keyName;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    functions = ListTexts(dialog, IDC_BTN_FUNCTIONS);
    assigned = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Type(dialog, IDC_BTN_KEYCODE, "65");
    WaitUntil(3000, [&] { return !Text(dialog, IDC_BTN_KEYNAME).empty(); });
    keyName = Text(dialog, IDC_BTN_KEYNAME);
    Click(dialog, IDC_BTN_CANCEL);
  }));
  EXPECT_EQ((std::vector<std::string>{"Simulate a key press", "Reset eye point (rotation only)",
                                      "Reset eye point (translation only)", "Reset eye point (reset all)"}),
            functions);
  EXPECT_EQ((std::vector<std::string>{"", "BTN: 0 - Function: Reset eye point (rotation only)",
                                      "BTN: 10 - Function: Reset eye point (reset all)",
                                      "BTN: 2 - Simulate Key - Keycode: 65 (" + keyName + ") Shift: 1 CTRL: 0 Alt: 0"}),
            assigned);
  EXPECT_EQ("A", keyName);
  EXPECT_TRUE(MessageBoxesSeen().empty());  // nothing changed: Cancel asks nothing
  EXPECT_GT(TicksWhileOpen(), 0u);
}

struct Refusal {
  const char* name;
  const char* button;
  int function;  // -1: none selected
  const char* keycode;
  const char* message;  // null: accepted
};

TEST_F(ButtonsDialog, AddRefusesEachBadRequestWithItsMessageAndChangesNothing) {
  Start();
  const Refusal cases[] = {
      {"empty number", "", 3, "", kInvalidButton},
      {"negative number", "-3", 3, "", kInvalidButton},
      {"past the table", "101", 3, "", kInvalidButton},
      {"far past the table", "4000000000", 0, "65", kInvalidButton},
      {"no function", "5", -1, "65", kNoFunction},
      {"key code 0", "5", 0, "0", kInvalidKeycode},
      {"key code 256", "5", 0, "256", kInvalidKeycode},
      {"key code text", "5", 0, "x", kInvalidKeycode},
      {"key code 255", "100", 0, "255", nullptr},
      {"button 0 by hand", "0", 2, "", nullptr},
  };
  std::vector<std::vector<std::string>> listAfter;
  HWND owner = nullptr;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    owner = dialog;
    for (const Refusal& c : cases) {
      AddAssignment(dialog, c.button, c.function, c.keycode);
      listAfter.push_back(ListTexts(dialog, IDC_BTN_ASSIGNED));
    }
    Click(dialog, IDC_BTN_DELETE);  // nothing selected
    Click(dialog, IDC_BTN_SAVE);
  }));
  std::vector<std::string> expected;
  for (const Refusal& c : cases) {
    if (c.message != nullptr) expected.push_back(c.message);
  }
  expected.push_back(kNothingSelected);
  EXPECT_EQ(expected, MessageTexts());
  for (const MessageBoxSeen& box : MessageBoxesSeen()) {
    EXPECT_EQ("Pivora for FSX", box.caption);
    EXPECT_EQ(owner, box.owner);
  }
  ASSERT_EQ(sizeof cases / sizeof cases[0], listAfter.size());
  for (size_t i = 0; i + 2 < listAfter.size(); ++i) EXPECT_TRUE(listAfter[i].empty()) << cases[i].name;
  EXPECT_EQ(1u, listAfter[8].size());
  EXPECT_EQ((std::vector<std::string>{"BTN: 0 - Function: Reset eye point (translation only)", listAfter[8][0]}),
            listAfter[9]);
  // Saved: the whole table, the two accepted records among them.
  EXPECT_EQ("255", ButtonValue(100, "keycode"));
  EXPECT_EQ("1", ButtonValue(100, "keypress"));
  EXPECT_EQ("1", ButtonValue(0, "resettranslation"));
  EXPECT_EQ("0", ButtonValue(0, "keycode"));
  EXPECT_EQ("0", ButtonValue(50, "assigned"));
  EXPECT_EQ("<missing>", ButtonValue(101, "assigned"));
}

TEST_F(ButtonsDialog, OverwriteIsAskedAndNoKeepsTheOldAssignment) {
  AssignReset(3, "resetall");
  Start();
  std::vector<std::string> afterNo, afterYes;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    SimHostQueueMessageBoxAnswer(IDNO);
    AddAssignment(dialog, "3", 1, "");
    afterNo = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_SHIFT);
    AddAssignment(dialog, "3", 1, "");  // Yes, the default answer
    afterYes = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_SAVE);
  }));
  EXPECT_EQ((std::vector<std::string>{kOverwrite, kOverwrite}), MessageTexts());
  EXPECT_EQ(std::vector<std::string>{"BTN: 3 - Function: Reset eye point (reset all)"}, afterNo);
  EXPECT_EQ(std::vector<std::string>{"BTN: 3 - Function: Reset eye point (rotation only)"}, afterYes);
  // The modifiers are stored with a reset too.
  EXPECT_EQ("1", ButtonValue(3, "resetrotation"));
  EXPECT_EQ("0", ButtonValue(3, "resetall"));
  EXPECT_EQ("1", ButtonValue(3, "withshift"));
  EXPECT_EQ("0", ButtonValue(3, "keycode"));
}

TEST_F(ButtonsDialog, DeleteThenCancelAndConfirmBringsTheFileBindingBack) {
  AssignReset(2, "resetall");
  AssignReset(4, "resetrotation");
  Start();
  std::vector<std::string> afterDelete;
  bool openAfterNo = false;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    SelectEntry(dialog, IDC_BTN_ASSIGNED, "BTN: 2");
    SimHostQueueMessageBoxAnswer(IDNO);
    Click(dialog, IDC_BTN_DELETE);  // No: nothing happens
    SelectEntry(dialog, IDC_BTN_ASSIGNED, "BTN: 2");
    Click(dialog, IDC_BTN_DELETE);
    afterDelete = ListTexts(dialog, IDC_BTN_ASSIGNED);
    SimHostQueueMessageBoxAnswer(IDNO);
    Click(dialog, IDC_BTN_CANCEL);
    openAfterNo = IsWindow(dialog) != FALSE;
    Click(dialog, IDC_BTN_CANCEL);
  }));
  EXPECT_EQ((std::vector<std::string>{kDeleteQuestion, kDeleteQuestion, kQuitQuestion, kQuitQuestion}),
            MessageTexts());
  EXPECT_EQ(std::vector<std::string>{"BTN: 4 - Function: Reset eye point (rotation only)"}, afterDelete);
  EXPECT_TRUE(openAfterNo);
  std::vector<std::string> reopened;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    reopened = ListTexts(dialog, IDC_BTN_ASSIGNED);
    Click(dialog, IDC_BTN_CANCEL);  // the flag was cleared: no question
  }));
  EXPECT_EQ((std::vector<std::string>{"BTN: 2 - Function: Reset eye point (reset all)",
                                      "BTN: 4 - Function: Reset eye point (rotation only)"}),
            reopened);
  EXPECT_EQ(4u, MessageBoxesSeen().size());
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

TEST_F(ButtonsDialog, GetReadsTheButtonHeldOnTheDevice) {
  Start();
  const int32_t still[6] = {0, 0, 0, 0, 0, 0};
  std::string afterHeld, afterReleased;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    SetDevice(still, 42);
    Click(dialog, IDC_BTN_GET_NUMBER);
    afterHeld = Text(dialog, IDC_BTN_NUMBER);
    SetDevice(still, 0);
    Click(dialog, IDC_BTN_GET_NUMBER);
    afterReleased = Text(dialog, IDC_BTN_NUMBER);
    Click(dialog, IDC_BTN_CANCEL);
  }));
  EXPECT_EQ("42", afterHeld);
  EXPECT_EQ("42", afterReleased);
  EXPECT_EQ(std::vector<std::string>{kGetHint}, MessageTexts());
}

TEST_F(ButtonsDialog, GetAKeycodeShowsTheKeyHeldDown) {
  Start();
  std::string emptied = "?", shown, afterRelease;
  bool nestedFound = false;
  ASSERT_TRUE(RunDialog(kButtonsItem, kCaption, [&](HWND dialog) {
    // Posted: the nested dialog's modal loop runs inside the click.
    PostMessageA(GetDlgItem(dialog, IDC_BTN_GET_KEYCODE), BM_CLICK, 0, 0);
    HWND keycode = nullptr;
    nestedFound = WaitUntil(10000, [&] { return (keycode = FindOwnDialog("Get a keycode")) != nullptr; });
    if (!nestedFound) return;
    emptied = Text(keycode, IDC_KEY_LAST);
    // The key state is the whole desktop's: let go of anything another
    // program on it left held, or its code (a higher one) would win.
    for (int key = 4; key <= 255; ++key) {
      if (GetAsyncKeyState(key) != 0) keybd_event(static_cast<BYTE>(key), 0, KEYEVENTF_KEYUP, 0);
    }
    keybd_event('A', 0, 0, 0);
    WaitUntil(3000, [&] { return !Text(keycode, IDC_KEY_LAST).empty(); });
    shown = Text(keycode, IDC_KEY_LAST);
    keybd_event('A', 0, KEYEVENTF_KEYUP, 0);
    Sleep(100);
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
