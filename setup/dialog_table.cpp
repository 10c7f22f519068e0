// Maps each setup dialog that the menu opens to its procedure.
#include "setup/dialogs.h"

DLGPROC DialogProcedureFor(int dialogId) {
  switch (dialogId) {
    case kCalibrationDialogId:
      return CalibrationDialogProc;
    case kSettingsDialogId:
      return SettingsDialogProc;
    case kButtonsDialogId:
      return ButtonsDialogProc;
    case kEyePointDialogId:
      return EyePointDialogProc;
  }
  return nullptr;
}
