// The buttons setup dialog's list texts and Add checks.
#include "setup/button_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "setup/resources/resource.h"
#include "tests/native/scripted_host.h"

namespace {

TEST(ButtonEntries, FunctionListHoldsFourEntriesInCodeOrder) {
  const char* const expected[] = {"Simulate a key press", "Reset eye point (rotation only)",
                                  "Reset eye point (translation only)", "Reset eye point (reset all)"};
  for (int i = -1; i <= 4; ++i) EXPECT_STREQ(FunctionEntryText(i), i >= 0 && i < 4 ? expected[i] : nullptr) << i;
}

ButtonAssignment Record(int32_t keypress, int32_t rotation, int32_t translation, int32_t all, int32_t keycode = 0,
                        int32_t shift = 0, int32_t ctrl = 0, int32_t alt = 0) {
  return ButtonAssignment{1, keypress, rotation, translation, all, shift, ctrl, alt, keycode};
}

TEST(ButtonEntries, EntryTextFollowsTheFlagsInReplacementOrder) {
  struct Case {
    int button;
    ButtonAssignment record;
    const char* keyName;
    const char* text;
  } const cases[] = {
      {3, Record(1, 0, 0, 0, 32), nullptr, "BTN: 3 - Simulate Key - Keycode: 32 () Shift: 0 CTRL: 0 Alt: 0"},
      // Modifiers stored with a reset do not show; flags other than 0 count.
      {2, Record(0, 0, 0, 2, 0, 1, 1, 1), "x", "BTN: 2 - Function: Reset eye point (reset all)"},
      // Several flags (a hand-edited file): key, then all, rotation,
      // translation, each replacing the text before it.
      {9, Record(1, 0, 0, 1, 65), "A", "BTN: 9 - Function: Reset eye point (reset all)"},
      {9, Record(0, 1, 0, 1), "x", "BTN: 9 - Function: Reset eye point (rotation only)"},
      {9, Record(1, 1, 1, 1), "x", "BTN: 9 - Function: Reset eye point (translation only)"},
      {4, Record(0, 0, 0, 0), "x", ""},
      {-1, Record(1, 0, 0, 0, -5, 2, -1, 7), "?", "BTN: -1 - Simulate Key - Keycode: -5 (?) Shift: 2 CTRL: -1 Alt: 7"},
  };
  for (const auto& c : cases) {
    char out[kAssignmentEntrySize];
    std::memset(out, '#', sizeof(out));
    FormatAssignmentEntry(c.button, c.record, c.keyName, out, sizeof(out));
    EXPECT_STREQ(out, c.text);
  }
}

TEST(ButtonEntries, LongKeyNameAndSmallBufferStayInside) {
  const std::string name(kKeyNameSize - 1, 'K');
  char out[kAssignmentEntrySize];
  FormatAssignmentEntry(100, Record(1, 0, 0, 0, 255, 1, 1, 1), name.c_str(), out, sizeof(out));
  EXPECT_EQ(std::string(out), "BTN: 100 - Simulate Key - Keycode: 255 (" + name + ") Shift: 1 CTRL: 1 Alt: 1");

  char small[12];
  std::memset(small, '#', sizeof(small));
  FormatAssignmentEntry(2, Record(0, 0, 0, 1), "x", small, 10);
  EXPECT_STREQ(small, "BTN: 2 - ");
  EXPECT_EQ(small[10], '#');
}

void FakeKeyName(int32_t keycode, char* name, size_t capacity) { std::snprintf(name, capacity, "key%d", keycode); }

TEST(ButtonEntries, ListHoldsExactlyTheAssignedButtonsInButtonOrder) {
  static ButtonAssignment table[kButtonCount];
  for (ButtonAssignment& r : table) r = ButtonAssignment{};
  table[0] = Record(0, 0, 0, 1);
  table[2] = Record(1, 0, 0, 0, 66, 1);
  table[10] = Record(0, 1, 0, 0);
  table[11] = Record(0, 0, 0, 0);  // assigned without an action: empty entry
  table[50] = Record(1, 0, 0, 0, 67);
  table[50].assigned = 2;  // only exactly 1 counts as assigned
  table[100] = Record(0, 0, 1, 0);

  static AssignmentEntry entries[kButtonCount];
  const int count = BuildAssignmentEntries(table, FakeKeyName, entries);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "BTN: 0 - Function: Reset eye point (reset all)"},
      {2, "BTN: 2 - Simulate Key - Keycode: 66 (key66) Shift: 1 CTRL: 0 Alt: 0"},
      {10, "BTN: 10 - Function: Reset eye point (rotation only)"},
      {11, ""},
      {100, "BTN: 100 - Function: Reset eye point (translation only)"},
  };
  ASSERT_EQ(count, static_cast<int>(expected.size()));
  for (int i = 0; i < count; ++i) {
    EXPECT_EQ(entries[i].button, expected[i].first);
    EXPECT_EQ(entries[i].text, expected[i].second);
  }
  // Without a key name function the name is empty.
  BuildAssignmentEntries(table, nullptr, entries);
  EXPECT_STREQ(entries[1].text, "BTN: 2 - Simulate Key - Keycode: 66 () Shift: 1 CTRL: 0 Alt: 0");
}

AddRequest Request(bool buttonValid, uint32_t button, int function, bool keyValid, uint32_t keycode) {
  return AddRequest{buttonValid, button, function, keyValid, keycode, false, false, false};
}

const char kBadButton[] =
    "Invalid button number specified. Please specify a valid device's button or use the 'Get' button to get one.";
const char kNoFunction[] = "Please select a valid Function to assign before adding current assignment.";
const char kBadKeycode[] =
    "When key press simulation is selected, a valid Keycode must be entered in the appropriate box";

TEST(ButtonEntries, AddChecksButtonThenFunctionThenKeycode) {
  struct Case {
    AddRequest request;
    const char* refusal;  // null: accepted
  } const cases[] = {
      {Request(true, 0, 0, true, 65), nullptr},
      {Request(true, 100, 3, false, 0), nullptr},  // a reset takes no key code
      {Request(true, 101, 3, false, 0), kBadButton},  // past the table
      {Request(true, 4294967295u, 1, true, 1), kBadButton},
      {Request(false, 0, 1, true, 1), kBadButton},  // empty or "-3"
      {Request(false, 5, -1, false, 0), kBadButton},  // the button is checked first
      {Request(true, 5, -1, true, 65), kNoFunction},
      {Request(true, 5, 4, true, 65), kNoFunction},
      {Request(true, 5, 0, false, 65), kBadKeycode},
      {Request(true, 5, 0, true, 0), kBadKeycode},
      {Request(true, 5, 0, true, 256), kBadKeycode},
      {Request(true, 5, 0, true, 1), nullptr},
      {Request(true, 5, 0, true, 255), nullptr},
  };
  for (const auto& c : cases) {
    EXPECT_STREQ(AddRefusalText(CheckAddRequest(c.request)), c.refusal)
        << c.request.button << " " << c.request.functionIndex << " " << c.request.keycode;
  }
}

TEST(ButtonEntries, AcceptedAddWritesOneActionAndTheModifiers) {
  struct Case {
    int function;
    uint32_t keycode;
    bool shift, ctrl, alt;
    ButtonAssignment record;  // assigned, keypress, rotation, translation, all, shift, ctrl, alt, keycode
  } const cases[] = {
      {0, 255, true, true, true, {1, 1, 0, 0, 0, 1, 1, 1, 255}},
      {1, 65, false, true, false, {1, 0, 1, 0, 0, 0, 1, 0, 0}},
      {2, 0, false, false, true, {1, 0, 0, 1, 0, 0, 0, 1, 0}},
      {3, 12, true, false, false, {1, 0, 0, 0, 1, 1, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    const AddRequest request{true, 7, c.function, true, c.keycode, c.shift, c.ctrl, c.alt};
    const ButtonAssignment r = MakeAssignment(request);
    EXPECT_EQ(std::memcmp(&r, &c.record, sizeof r), 0) << "function " << c.function;
  }
}

const char kOverwrite[] =
    "? The specified button is already assigned. Do you want to overwrite the old assignment with the current one?";
const char kDelete[] = "? Are you sure that you want to delete the currently highlighted assigned button?";
const char kQuit[] = "? The configuration has been changed but not saved, are you sure that you want to quit?";
const char kNothingSelected[] =
    "Please select the Assigned button to delete before clicking 'Delete selected assignment'";

TEST(ButtonEntries, CommandsAskTheirQuestionsBeforeTouchingTheTable) {
  const ButtonAssignment kOld = Record(0, 0, 0, 1);           // button 3: reset all
  const ButtonAssignment kNew = {1, 0, 1, 0, 0, 1, 0, 0, 0};  // reset rotation with Shift
  struct Case {
    const char* name;
    int command;
    int function;  // of the Add request, for button 3 with Shift
    int selected;
    bool assigned;  // button 3 holds kOld before
    bool unsavedBefore;
    const char* script;  // answers, or the save failing
    std::vector<std::string> calls;
    ButtonAssignment after;  // button 3
    bool unsavedAfter;
  } const cases[] = {
      {"add to a free button", IDC_BTN_ADD, 1, -1, false, false, "", {"refresh"}, kNew, true},
      {"add refused", IDC_BTN_ADD, -1, -1, true, false, "Y", {kNoFunction}, kOld, false},
      {"add over a binding, No", IDC_BTN_ADD, 1, -1, true, false, "N", {kOverwrite}, kOld, false},
      {"add over a binding, Yes", IDC_BTN_ADD, 1, -1, true, false, "Y", {kOverwrite, "refresh"}, kNew, true},
      {"delete without a selection", IDC_BTN_DELETE, 1, -1, true, false, "", {kNothingSelected}, kOld, false},
      {"delete, No", IDC_BTN_DELETE, 1, 3, true, false, "N", {kDelete}, kOld, false},
      {"delete, Yes", IDC_BTN_DELETE, 1, 3, true, false, "Y", {kDelete, "refresh"}, {}, true},
      {"delete an entry past the table", IDC_BTN_DELETE, 1, kButtonCount, true, false, "Y", {kDelete}, kOld, false},
      {"cancel with nothing unsaved", IDC_BTN_CANCEL, 1, 3, true, false, "", {"reload", "stop", "end"}, kOld, false},
      {"cancel unsaved, No", IDC_BTN_CANCEL, 1, 3, true, true, "N", {kQuit}, kOld, true},
      {"cancel unsaved, Yes", IDC_BTN_CANCEL, 1, 3, true, true, "Y", {kQuit, "reload", "stop", "end"}, kOld, false},
      {"save clears the flag", IDC_BTN_SAVE, 1, 3, true, true, "", {"save", "stop", "end"}, kOld, false},
      {"failed save stays open and unsaved", IDC_BTN_SAVE, 1, 3, true, true, "save", {"save", Failed(kSettingsFile)},
       kOld, true},
      {"closing keeps the edits and the flag", kCloseRequest, 1, 3, true, true, "", {"stop", "end"}, kOld, true},
      {"Esc has no button here", 2, 1, 3, true, true, "", {}, kOld, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ButtonAssignment table[kButtonCount] = {};
    if (c.assigned) table[3] = kOld;
    bool unsaved = c.unsavedBefore;
    ScriptedHost script;
    script.answers = c.script;
    script.failing = c.script;
    ButtonsControls controls = {Request(true, 3, c.function, false, 0), c.selected};
    controls.add.shift = true;
    ButtonsCommand(c.command, ButtonsEdit{table, &unsaved}, controls, script.Host());
    EXPECT_EQ(script.log, c.calls);
    EXPECT_EQ(std::memcmp(&table[3], &c.after, sizeof c.after), 0);
    EXPECT_EQ(unsaved, c.unsavedAfter);
  }
}

TEST(ButtonEntries, KeyScanShowsTheHighestCodeHeldOrLeavesTheText) {
  static std::vector<int> held;
  const KeyHeldFunction isHeld = [](int key) { return std::find(held.begin(), held.end(), key) != held.end(); };
  struct Case {
    std::vector<int> keys;
    const char* text;  // null: nothing shown, the text stays
  } const cases[] = {
      {{}, nullptr},
      {{1, 2, 3, 256}, nullptr},  // the mouse buttons and Cancel are not scanned; 255 is the last
      {{4}, "4 "},
      {{16, 90, 65}, "90 "},
      {{255, 65}, "255 "},
  };
  for (const Case& c : cases) {
    held = c.keys;
    char text[8] = "before";
    EXPECT_EQ(HeldKeycodeText(isHeld, text, sizeof text), c.text != nullptr);
    EXPECT_STREQ(text, c.text != nullptr ? c.text : "before");
  }
}

TEST(ButtonEntries, GetShowsTheHeldButtonOrAsksToHoldOne) {
  EXPECT_EQ(GetButtonHint(42), nullptr);
  EXPECT_EQ(GetButtonHint(-1), nullptr);
  EXPECT_STREQ(GetButtonHint(0),
               "To get a key number, please hold down the desired button on the device, while Get is clicked.");
}

}  // namespace
