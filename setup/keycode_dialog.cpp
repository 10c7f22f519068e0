// The "Get a keycode" dialog (template 128), opened from the buttons setup
// dialog: shows the virtual-key code of the key held down, so that the user
// can type it into the key code box. Scans the whole keyboard every
// millisecond; nothing comes back to the dialog that opened it.
#include "setup/button_entries.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"

namespace {

// Down now, or pressed since the last scan.
bool IsHeld(int key) { return GetAsyncKeyState(key) != 0; }

void OnScan(HWND dialog) {
  char text[8];
  if (HeldKeycodeText(IsHeld, text, sizeof text)) SetDlgItemTextA(dialog, IDC_KEY_LAST, text);
}

void Close(HWND dialog) {
  KillTimer(dialog, kKeyScanTimer);
  EndDialog(dialog, 0);
}

}  // namespace

INT_PTR CALLBACK KeycodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      BringDialogForward(dialog);
      SetTimer(dialog, kKeyScanTimer, kKeyScanMs, nullptr);
      SetDlgItemTextA(dialog, IDC_KEY_LAST, "");
      return TRUE;
    case WM_TIMER:
      OnScan(dialog);
      return TRUE;
    case WM_COMMAND:
      if (ClickedControl(wParam) == IDC_KEY_QUIT) {
        Close(dialog);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close(dialog);
      return TRUE;
  }
  return FALSE;
}
