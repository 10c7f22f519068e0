// The "Device buttons setup" dialog (template 127): binds device buttons to
// actions by writing the live gButtonAssignments directly, so a binding
// works at the next tick. ButtonsCommand decides what Add, Delete, Save,
// Cancel and closing the window do.
//
// The tick runs inside this dialog's modal loop and inside every message box
// it shows, and reads the same table. Each command therefore reads the
// controls, asks its question, and only then writes one whole record, so a
// tick never sees a half-written one.
#include "module/device_link.h"
#include "module/lifecycle.h"
#include "setup/button_entries.h"
#include "setup/configuration_store.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"

namespace {

// Set by Add and Delete, cleared by Save and a confirmed Cancel. Module
// state: it outlives the dialog (closing the window keeps it) and starts
// clear when the module is loaded.
bool gButtonsUnsavedChanges = false;

LRESULT SendItem(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendDlgItemMessageA(dialog, id, message, wParam, lParam);
}

// Opening, and again after every Add and Delete. The edit boxes and check
// boxes keep their contents; the function selection is lost.
void Rebuild(HWND dialog) {
  BringDialogForward(dialog);
  SendItem(dialog, IDC_BTN_FUNCTIONS, LB_RESETCONTENT, 0, 0);
  SendItem(dialog, IDC_BTN_ASSIGNED, LB_RESETCONTENT, 0, 0);
  SetTimer(dialog, kKeyNameTimer, kKeyNameRefreshMs, nullptr);
  for (int index = 0; index < kFunctionCount; ++index) {
    SendItem(dialog, IDC_BTN_FUNCTIONS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FunctionEntryText(index)));
  }
  AssignmentEntry entries[kButtonCount];
  const int count = BuildAssignmentEntries(gButtonAssignments, KeyNameOf, entries);
  for (int i = 0; i < count; ++i) {
    // The list sorts by text; the item data says which button an entry is.
    const LRESULT item = SendItem(dialog, IDC_BTN_ASSIGNED, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].text));
    if (item >= 0) SendItem(dialog, IDC_BTN_ASSIGNED, LB_SETITEMDATA, static_cast<WPARAM>(item), entries[i].button);
  }
}

void ShowKeyName(HWND dialog) {
  // Text that is no number reads as key code 0.
  uint32_t keycode = 0;
  ReadDialogNumber(dialog, IDC_BTN_KEYCODE, &keycode);
  char name[kKeyNameSize];
  KeyNameOf(static_cast<int32_t>(keycode), name, sizeof name);
  SetDlgItemTextA(dialog, IDC_BTN_KEYNAME, name);
}

void OnGetButton(HWND dialog) {
  ReadDevice();
  if (const char* hint = GetButtonHint(gDeviceFrame.button)) {
    ShowDialogMessage(dialog, hint);
  } else {
    SetDlgItemInt(dialog, IDC_BTN_NUMBER, static_cast<UINT>(gDeviceFrame.button), FALSE);
  }
}

ButtonsControls ReadControls(HWND dialog) {
  ButtonsControls controls = {};
  AddRequest& request = controls.add;
  request.buttonValid = ReadDialogNumber(dialog, IDC_BTN_NUMBER, &request.button);
  request.functionIndex = static_cast<int>(SendItem(dialog, IDC_BTN_FUNCTIONS, LB_GETCURSEL, 0, 0));
  request.keycodeValid = ReadDialogNumber(dialog, IDC_BTN_KEYCODE, &request.keycode);
  request.shift = IsDlgButtonChecked(dialog, IDC_BTN_SHIFT) == BST_CHECKED;
  request.ctrl = IsDlgButtonChecked(dialog, IDC_BTN_CTRL) == BST_CHECKED;
  request.alt = IsDlgButtonChecked(dialog, IDC_BTN_ALT) == BST_CHECKED;
  const LRESULT selected = SendItem(dialog, IDC_BTN_ASSIGNED, LB_GETCURSEL, 0, 0);
  const LRESULT button =
      selected < 0 ? -1 : SendItem(dialog, IDC_BTN_ASSIGNED, LB_GETITEMDATA, static_cast<WPARAM>(selected), 0);
  // LB_ERR is -1 too: no button.
  controls.selectedButton = button < 0 ? -1 : static_cast<int>(button);
  return controls;
}

const char* Save(void*) { return SaveOutcome(SaveButtonAssignments()); }
void Refresh(void* dialog) { Rebuild(static_cast<HWND>(dialog)); }
void Stop(void* dialog) { KillTimer(static_cast<HWND>(dialog), kKeyNameTimer); }

bool OnCommand(HWND dialog, int command) {
  const DialogHost host = HostOf(dialog, Save, Refresh, Stop);
  const ButtonsEdit edit = {gButtonAssignments, &gButtonsUnsavedChanges};
  const ButtonsControls controls = command == kCloseRequest ? ButtonsControls{} : ReadControls(dialog);
  return ButtonsCommand(command, edit, controls, host);
}

}  // namespace

INT_PTR CALLBACK ButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Rebuild(dialog);
      return TRUE;
    case WM_TIMER:
      ShowKeyName(dialog);
      return TRUE;
    case WM_COMMAND:
      // List box and edit notifications carry the same ids with a non-zero
      // code and are no command. Esc (IDCANCEL, 2) has no button here;
      // Enter presses the default button, Cancel.
      switch (ClickedControl(wParam)) {
        case IDC_BTN_GET_NUMBER:
          OnGetButton(dialog);
          return TRUE;
        case IDC_BTN_GET_KEYCODE:
          // Owned by this dialog; nothing comes back from it.
          DialogBoxParamA(gModuleInstance, MAKEINTRESOURCEA(IDD_GET_KEYCODE), dialog, KeycodeDialogProc, 0);
          return TRUE;
      }
      return OnCommand(dialog, ClickedControl(wParam)) ? TRUE : FALSE;
    case WM_CLOSE:
      OnCommand(dialog, kCloseRequest);
      return TRUE;
  }
  return FALSE;
}
