// List texts and Add checks of the buttons setup dialog.

#include "setup/button_entries.h"

#include <cstdio>

#include "setup/resources/resource.h"

static const char* const kFunctionEntries[kFunctionCount] = {
    "Simulate a key press",
    "Reset eye point (rotation only)",
    "Reset eye point (translation only)",
    "Reset eye point (reset all)",
};

static constexpr uint32_t kLowestKeycode = 1;
static constexpr uint32_t kHighestKeycode = 255;
static constexpr int kFirstScannedKey = 4;
static constexpr int kLastScannedKey = 255;

const char* FunctionEntryText(int index) {
  if (index < 0 || index >= kFunctionCount) return nullptr;
  return kFunctionEntries[index];
}

void FormatAssignmentEntry(int button, const ButtonAssignment& record, const char* keyName, char* out,
                           size_t capacity) {
  if (capacity == 0) return;
  out[0] = '\0';
  if (record.keypress != 0) {
    std::snprintf(out, capacity, "BTN: %d - Simulate Key - Keycode: %d (%s) Shift: %d CTRL: %d Alt: %d", button,
                  static_cast<int>(record.keycode), keyName ? keyName : "", static_cast<int>(record.withshift),
                  static_cast<int>(record.withctrl), static_cast<int>(record.withalt));
  }
  // Each flag overwrites the text before it, so with several flags set (a
  // hand-edited file) the last one in this order decides.
  if (record.resetall != 0) std::snprintf(out, capacity, "BTN: %d - Function: Reset eye point (reset all)", button);
  if (record.resetrotation != 0) {
    std::snprintf(out, capacity, "BTN: %d - Function: Reset eye point (rotation only)", button);
  }
  if (record.resettranslation != 0) {
    std::snprintf(out, capacity, "BTN: %d - Function: Reset eye point (translation only)", button);
  }
}

int BuildAssignmentEntries(const ButtonAssignment table[kButtonCount], KeyNameFunction keyName,
                           AssignmentEntry entries[kButtonCount]) {
  int count = 0;
  for (int button = 0; button < kButtonCount; ++button) {
    const ButtonAssignment& record = table[button];
    if (record.assigned != 1) continue;
    char name[kKeyNameSize] = "";
    if (record.keypress != 0 && keyName != nullptr) keyName(record.keycode, name, sizeof(name));
    name[kKeyNameSize - 1] = '\0';
    entries[count].button = button;
    FormatAssignmentEntry(button, record, name, entries[count].text, sizeof(entries[count].text));
    ++count;
  }
  return count;
}

AddVerdict CheckAddRequest(const AddRequest& request) {
  // A number past the table would be written outside it: refused like text
  // that is no number at all.
  if (!request.buttonValid || request.button >= static_cast<uint32_t>(kButtonCount)) return kAddInvalidButton;
  if (request.functionIndex < 0 || request.functionIndex >= kFunctionCount) return kAddNoFunction;
  if (request.functionIndex == kFunctionKeyPress &&
      (!request.keycodeValid || request.keycode < kLowestKeycode || request.keycode > kHighestKeycode)) {
    return kAddInvalidKeycode;
  }
  return kAddAccepted;
}

const char* AddRefusalText(AddVerdict verdict) {
  switch (verdict) {
    case kAddInvalidButton:
      return "Invalid button number specified. Please specify a valid device's button or use the 'Get' button to "
             "get one.";
    case kAddNoFunction:
      return "Please select a valid Function to assign before adding current assignment.";
    case kAddInvalidKeycode:
      return "When key press simulation is selected, a valid Keycode must be entered in the appropriate box";
    case kAddAccepted:
      break;
  }
  return nullptr;
}

ButtonAssignment MakeAssignment(const AddRequest& request) {
  ButtonAssignment record{};
  const int function = request.functionIndex;
  record.assigned = 1;
  record.keypress = function == kFunctionKeyPress;
  record.resetrotation = function == kFunctionResetRotation;
  record.resettranslation = function == kFunctionResetTranslation;
  record.resetall = function == kFunctionResetAll;
  record.withshift = request.shift;
  record.withctrl = request.ctrl;
  record.withalt = request.alt;
  record.keycode = function == kFunctionKeyPress ? static_cast<int32_t>(request.keycode) : 0;
  return record;
}

bool AddCommand(ButtonsEdit edit, const AddRequest& request, const DialogHost& host) {
  const AddVerdict verdict = CheckAddRequest(request);
  if (verdict != kAddAccepted) {
    host.show(host.context, AddRefusalText(verdict));
    return false;
  }
  // CheckAddRequest has refused every number past the table.
  ButtonAssignment& record = edit.table[request.button];
  if (record.assigned != 0 &&
      !host.ask(host.context,
                "The specified button is already assigned. Do you want to overwrite the old assignment with the "
                "current one?")) {
    return false;
  }
  record = MakeAssignment(request);
  *edit.unsaved = true;
  return true;
}

bool DeleteCommand(ButtonsEdit edit, int button, const DialogHost& host) {
  if (button < 0) {
    host.show(host.context, "Please select the Assigned button to delete before clicking 'Delete selected assignment'");
    return false;
  }
  if (!host.ask(host.context, "Are you sure that you want to delete the currently highlighted assigned button?"))
    return false;
  // Every entry carries a button of the table; anything else is not ours to clear.
  if (button >= kButtonCount) return false;
  edit.table[button] = ButtonAssignment{};
  *edit.unsaved = true;
  return true;
}

bool CancelCommand(bool* unsaved, const DialogHost& host) {
  if (*unsaved && !host.ask(host.context,
                            "The configuration has been changed but not saved, are you sure that you want to quit?")) {
    return false;
  }
  *unsaved = false;
  return true;
}

const char* GetButtonHint(int32_t deviceButton) {
  if (deviceButton != 0) return nullptr;
  return "To get a key number, please hold down the desired button on the device, while Get is clicked.";
}

bool HeldKeycodeText(KeyHeldFunction held, char* out, size_t capacity) {
  // Every key is asked, even below one already found: the dialog's question
  // also clears the key's pressed-since-last-asked state.
  int highest = 0;
  for (int key = kFirstScannedKey; key <= kLastScannedKey; ++key) {
    if (held(key)) highest = key;
  }
  if (highest == 0) return false;
  std::snprintf(out, capacity, "%d ", highest);
  return true;
}

bool ButtonsCommand(int command, ButtonsEdit edit, const ButtonsControls& controls, const DialogHost& host) {
  switch (command) {
    case IDC_BTN_ADD:
      if (AddCommand(edit, controls.add, host)) host.refresh(host.context);
      return true;
    case IDC_BTN_DELETE:
      if (DeleteCommand(edit, controls.selectedButton, host)) host.refresh(host.context);
      return true;
    case IDC_BTN_SAVE:
      // After a failure the edits stay unsaved and the dialog open, so that
      // Save can be tried again.
      if (!SaveOrTell(host)) return true;
      *edit.unsaved = false;
      break;
    case IDC_BTN_CANCEL:
      if (!CancelCommand(edit.unsaved, host)) return true;
      host.reload(host.context);
      break;
    case kCloseRequest:
      // Alt+F4: no question, no write, no reload; the edits stay live.
      break;
    default:
      return false;
  }
  host.stop(host.context);
  host.end(host.context);
  return true;
}
