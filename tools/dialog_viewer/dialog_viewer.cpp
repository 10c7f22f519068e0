// Shows one dialog template of pivora.dll for a screenshot, with the
// background picture painted the way the setup dialogs paint it and the
// controls filled with long, representative texts (built by the same portable
// code the dialogs use), so that clipped texts show up in the picture.
//
//   dialog_viewer.exe <pivora.dll> <dialog id> <ready file> <milliseconds>
//
// Writes <ready file> once the dialog has been painted, and closes the dialog
// when that file is deleted again (the picture is taken) or after
// <milliseconds>. Test tool only; never shipped.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "setup/button_entries.h"
#include "setup/calibration_tracker.h"
#include "setup/dialog_background_win.h"
#include "setup/eye_point_text.h"
#include "setup/resources/resource.h"
#include "setup/settings_controls.h"

namespace {

enum TimerId : UINT_PTR { kReadyTimer = 1, kWatchTimer = 2 };
constexpr UINT kReadyDelayMs = 700;  // lets the controls paint after the background
constexpr UINT kWatchMs = 100;

HMODULE gPivora;
int gDialogId;
const char* gReadyFile;
UINT gShowMs;
bool gReadyArmed;
bool gReadyWritten;
DWORD gOpenedAt;

void FillCalibration(HWND dialog) {
  // Six-digit readings with a sign: the widest numbers a device sends.
  AxisCalibration calibration[kAxisCount];
  ResetCalibration(calibration);
  TrackCalibration(calibration, DeviceFrame{-123456, -123456, -123456, -123456, -123456, -123456, 0, true});
  TrackCalibration(calibration, DeviceFrame{123456, 123456, 123456, 123456, 123456, 123456, 0, true});
  CalibrationLabel labels[kCalibrationLabelCount];
  FormatCalibrationLabels(calibration, DeviceFrame{-98765, -98765, -98765, -98765, -98765, -98765, 0, false}, labels);
  for (const CalibrationLabel& label : labels) SetDlgItemTextA(dialog, label.controlId, label.text);
}

void FillSettings(HWND dialog) {
  ModuleSettings settings{};
  for (AxisSettings& axis : settings.axis) axis = AxisSettings{100, 50, 1, 0};
  settings.axis[kAxisTY].invert = settings.axis[kAxisTZ].invert = 1;
  settings.useonslew = 1;
  for (const SettingsControl& control : kSettingsControls) {
    const int32_t value = *SettingsValue(&settings, control);
    if (control.kind == kSettingsCheckBox) {
      CheckDlgButton(dialog, control.controlId, IsTicked(value) ? BST_CHECKED : BST_UNCHECKED);
    } else {
      SetDlgItemInt(dialog, control.controlId, EditBoxNumber(value), FALSE);
    }
  }
}

void KeyName(int32_t keycode, char* name, size_t capacity) {
  const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(keycode), 0);
  if (GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, static_cast<int>(capacity)) == 0) name[0] = '\0';
}

void FillButtons(HWND dialog) {
  for (int i = 0; i < kFunctionCount; ++i) {
    SendDlgItemMessageA(dialog, IDC_BTN_FUNCTIONS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(FunctionEntryText(i)));
  }
  static ButtonAssignment table[kButtonCount];
  table[2] = ButtonAssignment{1, 1, 0, 0, 0, 1, 1, 1, VK_F12};
  table[10] = ButtonAssignment{1, 0, 1, 0, 0, 0, 0, 0, 0};
  table[99] = ButtonAssignment{1, 0, 0, 1, 0, 0, 0, 0, 0};
  table[100] = ButtonAssignment{1, 0, 0, 0, 1, 0, 0, 0, 0};
  static AssignmentEntry entries[kButtonCount];
  const int count = BuildAssignmentEntries(table, KeyName, entries);
  for (int i = 0; i < count; ++i) {
    const LRESULT index =
        SendDlgItemMessageA(dialog, IDC_BTN_ASSIGNED, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entries[i].text));
    SendDlgItemMessageA(dialog, IDC_BTN_ASSIGNED, LB_SETITEMDATA, static_cast<WPARAM>(index), entries[i].button);
  }
  SetDlgItemInt(dialog, IDC_BTN_NUMBER, 100, FALSE);
  SetDlgItemInt(dialog, IDC_BTN_KEYCODE, VK_F12, FALSE);
  char name[kKeyNameSize];
  KeyName(VK_F12, name, sizeof(name));
  SetDlgItemTextA(dialog, IDC_BTN_KEYNAME, name);
}

void FillKeycode(HWND dialog) { SetDlgItemTextA(dialog, IDC_KEY_LAST, "255 "); }

void FillEyePoint(HWND dialog) {
  SetDlgItemTextA(dialog, IDC_EYE_AIRCRAFT, "Beechcraft Baron 58 Paint1 with a long livery name, 255 characters");
  const float values[kEyeAxisCount] = {-89.999f, 179.123456f, -0.25f, -123.456789f, 12.5f, 0.0f};
  for (int axis = 0; axis < kEyeAxisCount; ++axis) {
    const EyePointTexts texts = SplitEyePointValue(values[axis]);
    SetDlgItemTextA(dialog, IDC_EYE_PITCH_INTEGER + 2 * axis, texts.integerText);
    SetDlgItemTextA(dialog, IDC_EYE_PITCH_FRACTION + 2 * axis, texts.fractionText);
  }
}

INT_PTR CALLBACK ViewerProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      switch (gDialogId) {
        case IDD_CALIBRATION: FillCalibration(dialog); break;
        case IDD_SETTINGS: FillSettings(dialog); break;
        case IDD_BUTTONS: FillButtons(dialog); break;
        case IDD_GET_KEYCODE: FillKeycode(dialog); break;
        case IDD_EYE_POINT: FillEyePoint(dialog); break;
      }
      gOpenedAt = GetTickCount();
      SetTimer(dialog, kWatchTimer, kWatchMs, nullptr);
      return TRUE;
    case WM_PAINT:
      if (gDialogId == IDD_CALIBRATION) PaintBackgroundPicture(dialog, gPivora, IDB_CALIBRATION_BACKGROUND, 468, 464);
      if (gDialogId == IDD_SETTINGS) PaintBackgroundPicture(dialog, gPivora, IDB_SETTINGS_BACKGROUND, 800, 490);
      if (!gReadyArmed) {
        gReadyArmed = true;
        SetTimer(dialog, kReadyTimer, kReadyDelayMs, nullptr);
      }
      return FALSE;
    case WM_TIMER:
      if (wParam == kReadyTimer) {
        KillTimer(dialog, kReadyTimer);
        if (FILE* f = std::fopen(gReadyFile, "w")) {
          std::fclose(f);
          gReadyWritten = true;
        }
      } else if (wParam == kWatchTimer) {
        const bool taken = gReadyWritten && GetFileAttributesA(gReadyFile) == INVALID_FILE_ATTRIBUTES;
        if (taken || GetTickCount() - gOpenedAt > gShowMs) EndDialog(dialog, 0);
      }
      return TRUE;
    case WM_CLOSE:
      EndDialog(dialog, 0);
      return TRUE;
  }
  return FALSE;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: dialog_viewer <pivora.dll> <dialog id> <ready file> <milliseconds>\n");
    return 2;
  }
  gPivora = LoadLibraryA(argv[1]);
  if (!gPivora) {
    std::fprintf(stderr, "cannot load %s (error %lu)\n", argv[1], GetLastError());
    return 1;
  }
  gDialogId = std::atoi(argv[2]);
  gReadyFile = argv[3];
  gShowMs = static_cast<UINT>(std::atoi(argv[4]));
  const INT_PTR result = DialogBoxParamA(gPivora, MAKEINTRESOURCEA(gDialogId), nullptr, ViewerProc, 0);
  if (result == -1) std::fprintf(stderr, "dialog %d failed (error %lu)\n", gDialogId, GetLastError());
  FreeLibrary(gPivora);
  return result == -1 ? 1 : 0;
}
