// What the four setup dialogs do alike: the window timers they start, the
// topmost-and-focus step of every opening, the background picture painted
// under the controls, the host their commands run on, and the key names of
// the buttons setup dialog.
#pragma once
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "setup/dialog_commands.h"

// Window timers of the setup dialogs. Each lives on its own dialog window,
// so the ids only need to differ within one dialog; distinct values keep a
// stray WM_TIMER in a log readable.
enum DialogTimerId : UINT_PTR {
  kCalibrationPollTimer = 1,  // device calibration: read the device
  kKeyNameTimer = 2,          // buttons setup: name of the typed key code
  kKeyScanTimer = 3,          // get a keycode: scan the keyboard
};
constexpr UINT kCalibrationPollMs = 10;
constexpr UINT kKeyNameRefreshMs = 100;
constexpr UINT kKeyScanMs = 1;

// Reads edit box `id` as an unsigned decimal number (ReadUnsignedNumber):
// false and 0 when the text is no such number.
bool ReadDialogNumber(HWND dialog, int id, uint32_t* value);

// Topmost without moving or sizing, and the keyboard focus.
void BringDialogForward(HWND dialog);

// Paints bitmap `bitmapId` of the module at the client origin, scaled with
// the dialog's layout (PaintBackgroundPicture).
void PaintDialogBackground(HWND dialog, int bitmapId, int width, int height);

// Message box with the module's caption, owned by the dialog.
void ShowDialogMessage(HWND dialog, const char* text);

// The host of `dialog`'s commands: message boxes and questions with the
// module's caption owned by it, the reload of the current aircraft's
// configuration, EndDialog, and the dialog's own save, refresh and timer
// stop (those it has). A dialog adds any other part itself.
DialogHost HostOf(HWND dialog, const char* (*save)(void*), void (*refresh)(void*) = nullptr,
                  void (*stop)(void*) = nullptr);
// What a save gives a command: null when it saved, else the file that was
// not (gUnsavedFile, or "" should it be unset).
const char* SaveOutcome(bool saved);

// The keyboard layout's name of a virtual-key code (GetKeyNameTextA of its
// scan code), "" when it has none.
void KeyNameOf(int32_t keycode, char* name, size_t capacity);
