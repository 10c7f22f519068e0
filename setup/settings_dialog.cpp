// The "Device settings" dialog (template 126): edits the live
// gModuleSettings in place; SettingsCommand decides what each button does.
//
// The dialog keeps no state of its own: every value goes straight between a
// control and gModuleSettings through the table in settings_controls.
#include "setup/configuration_store.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/resources/resource.h"
#include "setup/settings_controls.h"

namespace {

constexpr int kBackgroundWidthPx = 800;
constexpr int kBackgroundHeightPx = 490;

void ShowSettings(HWND dialog) {
  BringDialogForward(dialog);
  for (const SettingsControl& control : kSettingsControls) {
    const int32_t value = *SettingsValue(&gModuleSettings, control);
    if (control.kind == kSettingsCheckBox) {
      CheckDlgButton(dialog, control.controlId, IsTicked(value) ? BST_CHECKED : BST_UNCHECKED);
    } else {
      SetDlgItemInt(dialog, control.controlId, EditBoxNumber(value), FALSE);
    }
  }
}

void TakeSettings(HWND dialog) {
  for (const SettingsControl& control : kSettingsControls) {
    int32_t* value = SettingsValue(&gModuleSettings, control);
    if (control.kind == kSettingsCheckBox) {
      *value = CheckBoxValue(IsDlgButtonChecked(dialog, control.controlId) == BST_CHECKED);
    } else {
      // Text that is no unsigned number reads as 0; nothing is refused.
      uint32_t number = 0;
      ReadDialogNumber(dialog, control.controlId, &number);
      *value = ValueFromEditBox(number);
    }
  }
}

void Take(void* dialog) { TakeSettings(static_cast<HWND>(dialog)); }
const char* Save(void*) { return SaveOutcome(SaveSettings()); }
void Refresh(void* dialog) { ShowSettings(static_cast<HWND>(dialog)); }

DialogHost SettingsHost(HWND dialog) {
  DialogHost host = HostOf(dialog, Save, Refresh);
  host.take = Take;
  return host;
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      ShowSettings(dialog);
      return TRUE;
    case WM_PAINT:
      PaintDialogBackground(dialog, IDB_SETTINGS_BACKGROUND, kBackgroundWidthPx, kBackgroundHeightPx);
      return FALSE;
    case WM_COMMAND:
      // Esc arrives as IDCANCEL (2), which this dialog has no button for:
      // it does nothing. Enter arrives as the default button, CANCEL.
      return SettingsCommand(ClickedControl(wParam), &gModuleSettings, SettingsHost(dialog)) ? TRUE : FALSE;
    case WM_CLOSE:
      SettingsCommand(kCloseRequest, &gModuleSettings, SettingsHost(dialog));
      return TRUE;
  }
  return FALSE;
}
