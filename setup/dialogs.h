// The four setup dialogs that the simulator's "Pivora" menu opens, and the
// "Get a keycode" dialog that the buttons setup dialog opens.
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

INT_PTR CALLBACK CalibrationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ButtonsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeycodeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK EyePointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
