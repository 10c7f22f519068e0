// Maps each setup dialog to its procedure.
#include "setup/dialogs.h"

namespace {

// Until a dialog has its own procedure it can at least be closed.
INT_PTR CALLBACK ClosableDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) EndDialog(dialog, 0);
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

DLGPROC DialogProcedureFor(int dialogId) {
  switch (dialogId) {
    case kCalibrationDialogId:
    case kSettingsDialogId:
    case kButtonsDialogId:
    case kEyePointDialogId:
      return ClosableDialogProc;
  }
  return nullptr;
}
