// What the setup dialogs do when a button is clicked or the window is asked
// to close: the questions, the order of the saves, the message after a failed
// save, whether the dialog ends. The dialog procedures read their controls,
// hand the command over and do what the host calls ask; they decide nothing.
#pragma once
#include <cstddef>
#include <cstdint>

#include "setup/configuration_records.h"

// A command: the id of the control clicked, kCloseRequest for the window's
// close request (WM_CLOSE: Alt+F4), or kNoCommand.
constexpr int kCloseRequest = -1;
constexpr int kNoCommand = -2;

// WM_COMMAND's wParam as a command: a click (notification code 0) of the
// control in the low word. An edit box or list box notification carries the
// same id with a non-zero code and is no command.
int ClickedControl(uintptr_t wParam);

// The window and the configuration store, as the commands use them. A save
// returns null when every file it writes holds the new values, else the file
// that does not (never null then, "" when the folder is unknown).
struct DialogHost {
  void* context;
  void (*show)(void* context, const char* text);     // message box owned by the dialog
  bool (*ask)(void* context, const char* question);  // Yes/No owned by the dialog: true for Yes
  void (*take)(void* context);                       // the controls into the live records
  const char* (*save)(void* context);                // the dialog's own save
  const char* (*setCalibrationFlag)(void* context, int value);
  void (*reload)(void* context);   // the configuration of the current aircraft, again
  void (*refresh)(void* context);  // what the dialog shows after the command
  void (*stop)(void* context);     // the dialog's timer, killed
  void (*end)(void* context);      // EndDialog
};

// Says that `file` could not be saved.
constexpr size_t kSaveFailureTextSize = 512;  // a MAX_PATH path and the sentences around it
void SaveFailureText(const char* file, char* out, size_t capacity);
// The dialog's save, and after a failure the message naming the file that
// was not saved. True when it saved.
bool SaveOrTell(const DialogHost& host);

// Each returns true when `command` is one of its dialog's: false leaves Esc
// (IDCANCEL, which no button of these dialogs has but the eye point's
// Cancel) and every other command to the dialog manager, which does nothing.

// "Device settings": SAVE takes the controls over and saves, staying open
// after a failure so that SAVE can be pressed again; RESET TO DEFAULT puts
// the defaults into `live` at once and shows them, writing nothing; CANCEL
// and the close request take nothing over and restore nothing.
bool SettingsCommand(int command, ModuleSettings* live, const DialogHost& host);

// "Device calibration": opening raises DoingCalibration, for the device
// server reads raw axes meanwhile, and starts every range afresh. SAVE,
// CANCEL and the close request all stop the polling first, then (SAVE only)
// save the ranges, clear the flag whatever happened, tell of the first file
// that failed and end: a flag left at 1 keeps the server on raw readings.
void OpenCalibration(AxisCalibration calibration[kAxisCount], const DialogHost& host);
bool CalibrationCommand(int command, const DialogHost& host);

// "Default eye point": GET shows the live eye point; OK & Save saves the
// boxes as typed and reloads, so that the reset actions use the new default,
// or stays open after a failure; Cancel (Esc too) and the close request end.
bool EyePointCommand(int command, const DialogHost& host);
