// The "Default eye point" dialog (template 129): edits the current
// aircraft's default eye point as twelve texts, an integer and a fractional
// part per axis, the form the settings file keeps. Get copies the live eye
// point into the boxes; only OK & Save stores them (EyePointCommand).
#include "module/motion.h"
#include "module/tick.h"
#include "setup/configuration_store.h"
#include "setup/dialog_support.h"
#include "setup/dialogs.h"
#include "setup/eye_point_text.h"
#include "setup/resources/resource.h"

namespace {

struct EyePointRow {
  EyePointAxis axis;
  int integerBox;
  int fractionBox;
  float EyePoint::*field;  // what Get copies
};

// In the order of the saved keys: ipitch, fpitch, ibank, ... fupdown.
const EyePointRow kRows[kEyeAxisCount] = {
    {kEyePitch, IDC_EYE_PITCH_INTEGER, IDC_EYE_PITCH_FRACTION, &EyePoint::pitch},
    {kEyeBank, IDC_EYE_BANK_INTEGER, IDC_EYE_BANK_FRACTION, &EyePoint::bank},
    {kEyeYaw, IDC_EYE_YAW_INTEGER, IDC_EYE_YAW_FRACTION, &EyePoint::yaw},
    {kEyeBackForth, IDC_EYE_BACKFORTH_INTEGER, IDC_EYE_BACKFORTH_FRACTION, &EyePoint::backforth},
    {kEyeLeftRight, IDC_EYE_LEFTRIGHT_INTEGER, IDC_EYE_LEFTRIGHT_FRACTION, &EyePoint::leftright},
    {kEyeUpDown, IDC_EYE_UPDOWN_INTEGER, IDC_EYE_UPDOWN_FRACTION, &EyePoint::updown},
};
static_assert(kEyePointTextCount == 2 * kEyeAxisCount, "two saved texts per row");

void OnOpen(HWND dialog) {
  BringDialogForward(dialog);
  SetDlgItemTextA(dialog, IDC_EYE_AIRCRAFT, CurrentAircraftTitle());
  // The texts exactly as the file holds them, not re-formatted values.
  for (const EyePointRow& row : kRows) {
    const EyePointText& text = gDefaultEyePoint.axis[row.axis];
    SetDlgItemTextA(dialog, row.integerBox, text.integerText);
    SetDlgItemTextA(dialog, row.fractionBox, text.fractionText);
  }
}

void ShowCurrent(void* dialog) {
  // The tick keeps moving the eye point while the dialog is open: each Get
  // takes it as it is now.
  const EyePoint eye = gMotion.eye;
  for (const EyePointRow& row : kRows) {
    const EyePointTexts texts = SplitEyePointValue(eye.*row.field);
    SetDlgItemTextA(static_cast<HWND>(dialog), row.integerBox, texts.integerText);
    SetDlgItemTextA(static_cast<HWND>(dialog), row.fractionBox, texts.fractionText);
  }
}

const char* Save(void* dialog) {
  char boxes[kEyePointTextCount][kEyePointTextSize];
  const char* texts[kEyePointTextCount];
  for (int i = 0; i < kEyeAxisCount; ++i) {
    // Unchecked: the next load decides what the texts are worth.
    GetDlgItemTextA(static_cast<HWND>(dialog), kRows[i].integerBox, boxes[2 * i], kEyePointTextSize);
    GetDlgItemTextA(static_cast<HWND>(dialog), kRows[i].fractionBox, boxes[2 * i + 1], kEyePointTextSize);
  }
  for (int i = 0; i < kEyePointTextCount; ++i) texts[i] = boxes[i];
  return SaveOutcome(SaveDefaultEyePoint(CurrentAircraftTitle(), texts));
}

}  // namespace

INT_PTR CALLBACK EyePointDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      OnOpen(dialog);
      return TRUE;
    case WM_COMMAND:
      // Here Esc is the Cancel button's own id and cancels.
      return EyePointCommand(ClickedControl(wParam), HostOf(dialog, Save, ShowCurrent)) ? TRUE : FALSE;
    case WM_CLOSE:
      EyePointCommand(kCloseRequest, HostOf(dialog, Save, ShowCurrent));
      return TRUE;
  }
  return FALSE;
}
