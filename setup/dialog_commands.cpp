// Commands of the settings, calibration and eye point dialogs, portable so
// that every path through them, failed saves included, is a native table row.
#include "setup/dialog_commands.h"

#include <cstdio>

#include "setup/calibration_tracker.h"
#include "setup/configuration.h"
#include "setup/resources/resource.h"

namespace {

constexpr uintptr_t kControlIdMask = 0xFFFF;

void ShowSaveFailure(const DialogHost& host, const char* file) {
  char text[kSaveFailureTextSize];
  SaveFailureText(file, text, sizeof text);
  host.show(host.context, text);
}

// Every way out of the calibration dialog. The timer goes first: the
// message below runs a modal loop, and no poll may run once the flag is
// cleared.
void CloseCalibration(const DialogHost& host, bool save) {
  host.stop(host.context);
  const char* unsaved = save ? host.save(host.context) : nullptr;
  const char* flagUnsaved = host.setCalibrationFlag(host.context, 0);
  if (unsaved == nullptr) unsaved = flagUnsaved;
  if (unsaved != nullptr) ShowSaveFailure(host, unsaved);
  host.end(host.context);
}

}  // namespace

int ClickedControl(uintptr_t wParam) { return wParam <= kControlIdMask ? static_cast<int>(wParam) : kNoCommand; }

void SaveFailureText(const char* file, char* out, size_t capacity) {
  // Whatever kept the file, it is usually another program holding it open.
  std::snprintf(out, capacity,
                "The configuration could not be saved to the file\n%s\n\nAnother program may be holding it open. "
                "Close that program and try again.",
                file != nullptr && file[0] != '\0' ? file : "(the Application Data folder is not available)");
}

bool SaveOrTell(const DialogHost& host) {
  const char* unsaved = host.save(host.context);
  if (unsaved != nullptr) ShowSaveFailure(host, unsaved);
  return unsaved == nullptr;
}

bool SettingsCommand(int command, ModuleSettings* live, const DialogHost& host) {
  switch (command) {
    case IDC_SET_SAVE:
      host.take(host.context);
      // A failed save leaves the dialog open, so that SAVE can be pressed
      // again once the file is free.
      if (SaveOrTell(host)) host.end(host.context);
      return true;
    case IDC_SET_RESET:
      // The running module uses the defaults from now on, until the next
      // load brings back the file's values.
      *live = kDefaultModuleSettings;
      host.refresh(host.context);
      return true;
    case IDC_SET_CANCEL:
    case kCloseRequest:
      host.end(host.context);
      return true;
  }
  return false;
}

void OpenCalibration(AxisCalibration calibration[kAxisCount], const DialogHost& host) {
  host.setCalibrationFlag(host.context, 1);
  ResetCalibration(calibration);
}

bool CalibrationCommand(int command, const DialogHost& host) {
  switch (command) {
    case IDC_CAL_SAVE:
      CloseCalibration(host, true);
      return true;
    case IDC_CAL_CANCEL:
    case kCloseRequest:
      CloseCalibration(host, false);
      return true;
  }
  return false;
}

bool EyePointCommand(int command, const DialogHost& host) {
  switch (command) {
    case IDC_EYE_GET_CURRENT:
      host.refresh(host.context);
      return true;
    case IDC_EYE_SAVE:
      // After a failure: open still, the boxes as typed, so that OK & Save
      // can be tried again. The reload leaves the eye point where it is.
      if (SaveOrTell(host)) {
        host.reload(host.context);
        host.end(host.context);
      }
      return true;
    case IDC_EYE_CANCEL:
    case kCloseRequest:
      host.end(host.context);
      return true;
  }
  return false;
}
