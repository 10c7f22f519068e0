// The four setup dialogs that the simulator's "Pivora" menu opens.
#pragma once
#include <windows.h>

enum : int {
  kCalibrationDialogId = 120,
  kSettingsDialogId = 126,
  kButtonsDialogId = 127,
  kEyePointDialogId = 129,
};

// The dialog procedure of a setup dialog, or null for any other id.
DLGPROC DialogProcedureFor(int dialogId);
