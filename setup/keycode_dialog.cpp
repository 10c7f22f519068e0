// The "Get a keycode" dialog (template 128), opened from the buttons setup
// dialog: shows the virtual-key code of the key held down, so that the user
// can type it into the key code box. Scans the whole keyboard every
// millisecond; nothing comes back to the dialog that opened it.
#include <cstdio>

#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"

namespace {

// Codes 1 to 3 are the mouse buttons and Cancel; the scan starts after them.
constexpr int kFirstScannedKey = 4;
constexpr int kLastScannedKey = 255;

void OnScan(HWND dialog) {
  int held = 0;
  for (int key = kFirstScannedKey; key <= kLastScannedKey; ++key) {
    if (GetAsyncKeyState(key) != 0) held = key;
  }
  // The highest code held wins; with no key down the text stays as it was.
  if (held == 0) return;
  char text[8];
  std::snprintf(text, sizeof text, "%d ", held);
  SetDlgItemTextA(dialog, IDC_KEY_LAST, text);
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
