// The buttons setup dialog's list texts and the checks behind its "Add
// current assignment" button, and the key scan of the "Get a keycode" dialog
// it opens: everything of those dialogs that needs no window.
#pragma once
#include <cstddef>
#include <cstdint>

#include "setup/configuration_records.h"
#include "setup/dialog_commands.h"

// The function list, in its fixed order: an entry's index is the function
// code that Add stores.
enum ButtonFunction {
  kFunctionKeyPress,
  kFunctionResetRotation,
  kFunctionResetTranslation,
  kFunctionResetAll,
  kFunctionCount
};

// Text of the function list entry `index`, or null outside 0 to 3.
const char* FunctionEntryText(int index);

// GetKeyNameTextA gives at most 100 characters.
constexpr size_t kKeyNameSize = 101;
// Longest entry: the key format with a 100-character key name and five
// eleven-character numbers, well under this.
constexpr size_t kAssignmentEntrySize = 256;

// The assigned-buttons list entry of `button`. Starts empty; a key press
// gives the key format, then reset all, reset rotation and reset translation
// each replace what came before, so a record with no action flag gives "".
// `keyName` (may be null) is the name of the record's key code; it is only
// used for a key press.
void FormatAssignmentEntry(int button, const ButtonAssignment& record, const char* keyName, char* out,
                           size_t capacity);

// Looks up the name of a virtual-key code (the dialog uses the keyboard
// layout; tests pass their own).
typedef void (*KeyNameFunction)(int32_t keycode, char* name, size_t capacity);

struct AssignmentEntry {
  int button;
  char text[kAssignmentEntrySize];
};

// The entries of the assigned-buttons list, for each button 0 to 100 whose
// record has `assigned` exactly 1, in button order (the list box sorts them by
// text itself). Returns how many were written to `entries`.
int BuildAssignmentEntries(const ButtonAssignment table[kButtonCount], KeyNameFunction keyName,
                           AssignmentEntry entries[kButtonCount]);

// What the dialog read from its controls when Add was clicked. A "valid"
// flag is false when the text did not read as an unsigned number.
struct AddRequest {
  bool buttonValid;
  uint32_t button;
  int functionIndex;  // selection of the function list, -1 for none
  bool keycodeValid;
  uint32_t keycode;
  bool shift, ctrl, alt;
};

enum AddVerdict {
  kAddAccepted,
  kAddInvalidButton,   // not a number, or beyond the table's last button
  kAddNoFunction,
  kAddInvalidKeycode,  // key press without a key code from 1 to 255
};

// Checks in the dialog's order: button number, function, key code.
AddVerdict CheckAddRequest(const AddRequest& request);

// The message box text that refuses a request, or null for kAddAccepted.
const char* AddRefusalText(AddVerdict verdict);

// The record that an accepted request writes. The modifiers are stored for
// every function; the key code only for a key press.
ButtonAssignment MakeAssignment(const AddRequest& request);

// ---- the commands --------------------------------------------------------

// The dialog's edits: the live table, read by the tick between any two
// steps of a command, and whether it differs from the file. The flag
// outlives the dialog: closing the window keeps both.
struct ButtonsEdit {
  ButtonAssignment* table;  // kButtonCount records
  bool* unsaved;
};

// "Add current assignment": a refused request gets its message; replacing an
// assigned button is asked first; only then is the whole record written and
// the edit marked unsaved. True when it wrote.
bool AddCommand(ButtonsEdit edit, const AddRequest& request, const DialogHost& host);
// "Delete selected assignment" of the entry of `button` (-1: no entry
// selected): asked first, then the record cleared and the edit marked
// unsaved. True when it cleared.
bool DeleteCommand(ButtonsEdit edit, int button, const DialogHost& host);
// Cancel: with unsaved edits, asks first. True when the dialog ends; the
// caller then reloads the file, so the flag is cleared.
bool CancelCommand(bool* unsaved, const DialogHost& host);

// What Get does with the button the device holds: null to show its number,
// else the hint to hold one down (none held).
const char* GetButtonHint(int32_t deviceButton);

// The "Get a keycode" dialog's scan of keys 4 to 255 (1 to 3 are the mouse
// buttons and Cancel), asking `held` about each in ascending order: the text
// of the highest code held, as "65 ". With no key held it returns false and
// leaves `out` alone, so the dialog's text stays as it was.
typedef bool (*KeyHeldFunction)(int keycode);
bool HeldKeycodeText(KeyHeldFunction held, char* out, size_t capacity);

// What the dialog read from its controls before a command.
struct ButtonsControls {
  AddRequest add;
  int selectedButton;  // button of the selected assigned entry, -1 for none
};

// The buttons setup dialog's Add, Delete, Save, Cancel and close request
// (Get and "Get a keycode" are the window's own). An Add or Delete that wrote
// rebuilds the lists; Save ends the dialog with the edits saved, or stays
// open and unsaved after a failure; a Cancel that ends reloads the file; the
// close request asks nothing and keeps the live edits and the flag.
bool ButtonsCommand(int command, ButtonsEdit edit, const ButtonsControls& controls, const DialogHost& host);
