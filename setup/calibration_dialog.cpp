// The "Device calibration" dialog (template 120): polls the device every
// 10 ms, widens each axis's range in gAxisCalibration and shows the ranges
// and the current readings. OpenCalibration and CalibrationCommand decide
// the rest: DoingCalibration is 1 for exactly as long as the dialog is open.
#include "module/device_link.h"
#include "setup/calibration_tracker.h"
#include "setup/configuration_store.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"

namespace {

constexpr int kBackgroundWidthPx = 468;
constexpr int kBackgroundHeightPx = 464;

const char* Save(void*) { return SaveOutcome(SaveCalibration()); }
const char* SetFlag(void*, int value) { return SaveOutcome(SetCalibrationFlag(value)); }
void Stop(void* dialog) { KillTimer(static_cast<HWND>(dialog), kCalibrationPollTimer); }

DialogHost CalibrationHost(HWND dialog) {
  DialogHost host = HostOf(dialog, Save, nullptr, Stop);
  host.setCalibrationFlag = SetFlag;
  return host;
}

void OnOpen(HWND dialog) {
  OpenCalibration(gAxisCalibration, CalibrationHost(dialog));
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
      return CalibrationCommand(ClickedControl(wParam), CalibrationHost(dialog)) ? TRUE : FALSE;
    case WM_CLOSE:
      CalibrationCommand(kCloseRequest, CalibrationHost(dialog));
      return TRUE;
  }
  return FALSE;
}
