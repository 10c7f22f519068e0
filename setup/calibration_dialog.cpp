// The "Device calibration" dialog (template 120): polls the device every
// 10 ms, widens each axis's range in gAxisCalibration and shows the ranges
// and the current readings. DoingCalibration is 1 in both configuration
// files for exactly as long as the dialog is open, whichever way it closes,
// because the device server reads the raw axes meanwhile.
#include "module/device_link.h"
#include "setup/calibration_tracker.h"
#include "setup/configuration_store.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"

namespace {

constexpr int kBackgroundWidthPx = 468;
constexpr int kBackgroundHeightPx = 464;

void OnOpen(HWND dialog) {
  SetCalibrationFlag(1);
  ResetCalibration(gAxisCalibration);
  BringDialogForward(dialog);
  SetTimer(dialog, kCalibrationPollTimer, kCalibrationPollMs, nullptr);
}

void OnPoll(HWND dialog) {
  ReadDevice();
  TrackCalibration(gAxisCalibration, gDeviceFrame);
  CalibrationLabel labels[kCalibrationLabelCount];
  FormatCalibrationLabels(gAxisCalibration, gDeviceFrame, labels);
  for (const CalibrationLabel& label : labels) SetDlgItemTextA(dialog, label.controlId, label.text);
}

// Every way out: the timer goes first, so no poll can run after the flag
// has been cleared. The dialog closes even when a write fails, but says so:
// a flag left at 1 keeps the server on raw readings.
void Close(HWND dialog, bool save) {
  KillTimer(dialog, kCalibrationPollTimer);
  const char* unsaved = nullptr;
  if (save && !SaveCalibration()) unsaved = gUnsavedFile;
  if (!SetCalibrationFlag(0) && unsaved == nullptr) unsaved = gUnsavedFile;
  if (unsaved != nullptr) ShowSaveFailure(dialog, unsaved);
  EndDialog(dialog, 0);
}

}  // namespace

INT_PTR CALLBACK CalibrationDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnOpen(dialog);
      return TRUE;
    case WM_PAINT:
      PaintDialogBackground(dialog, IDB_CALIBRATION_BACKGROUND, kBackgroundWidthPx, kBackgroundHeightPx);
      return FALSE;
    case WM_TIMER:
      // The dialog has one timer; whatever the id, it is a poll.
      OnPoll(dialog);
      return FALSE;
    case WM_COMMAND:
      // Esc (IDCANCEL, 2) has no button here and does nothing; Enter
      // presses the default button, CANCEL.
      if (IsClickOf(wParam, IDC_CAL_SAVE)) {
        Close(dialog, true);
        return TRUE;
      }
      if (IsClickOf(wParam, IDC_CAL_CANCEL)) {
        Close(dialog, false);
        return TRUE;
      }
      return FALSE;
    case WM_CLOSE:
      Close(dialog, false);
      return TRUE;
  }
  return FALSE;
}
