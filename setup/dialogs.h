// The four setup dialogs that the simulator's "Pivora" menu opens, and the
// "Get a keycode" dialog that the buttons setup dialog opens.
#pragma once
#include <windows.h>

#include "setup/resources/resource.h"

// The templates' ids, as the menu items name them.
enum : int {
  kCalibrationDialogId = IDD_CALIBRATION,
  kSettingsDialogId = IDD_SETTINGS,
  kButtonsDialogId = IDD_BUTTONS,
  kEyePointDialogId = IDD_EYE_POINT,
};

// The dialog procedure of a setup dialog, or null for any other id.
DLGPROC DialogProcedureFor(int dialogId);

INT_PTR CALLBACK CalibrationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeycodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EyePointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
