// Win32 steps shared by the setup dialogs.
#include "setup/dialog_support.h"

#include "module/lifecycle.h"
#include "module/tick.h"
#include "setup/configuration_store.h"
#include "setup/dialog_background_win.h"
#include "setup/dialog_number.h"

namespace {

// Longer than any number worth reading, leading zeros and all; a longer
// text is not taken as a number rather than read cut short.
constexpr int kNumberTextChars = 1024;

HWND DialogOf(void* context) { return static_cast<HWND>(context); }
void Show(void* context, const char* text) { MessageBoxA(DialogOf(context), text, kMessageCaption, MB_OK); }
bool Ask(void* context, const char* question) {
  return MessageBoxA(DialogOf(context), question, kMessageCaption, MB_YESNO) == IDYES;
}
void Reload(void*) { LoadConfiguration(CurrentAircraftTitle()); }
void End(void* context) { EndDialog(DialogOf(context), 0); }

}  // namespace

bool ReadDialogNumber(HWND dialog, int id, uint32_t* value) {
  *value = 0;
  HWND box = GetDlgItem(dialog, id);
  if (box == nullptr || GetWindowTextLengthA(box) >= kNumberTextChars) return false;
  char text[kNumberTextChars + 1] = "";
  GetWindowTextA(box, text, sizeof text);
  return ReadUnsignedNumber(text, value);
}

void BringDialogForward(HWND dialog) {
  SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetFocus(dialog);
}

void PaintDialogBackground(HWND dialog, int bitmapId, int width, int height) {
  PaintBackgroundPicture(dialog, gModuleInstance, bitmapId, width, height);
}

void ShowDialogMessage(HWND dialog, const char* text) { Show(dialog, text); }

DialogHost HostOf(HWND dialog, const char* (*save)(void*), void (*refresh)(void*), void (*stop)(void*)) {
  DialogHost host = {};
  host.context = dialog;
  host.show = Show;
  host.ask = Ask;
  host.save = save;
  host.reload = Reload;
  host.refresh = refresh;
  host.stop = stop;
  host.end = End;
  return host;
}

const char* SaveOutcome(bool saved) {
  if (saved) return nullptr;
  return gUnsavedFile != nullptr ? gUnsavedFile : "";
}

void KeyNameOf(int32_t keycode, char* name, size_t capacity) {
  if (capacity == 0) return;
  name[0] = '\0';
  // The scan code goes into bits 16 to 23 of the key-name argument; a code
  // that maps to nothing gives scan code 0 and usually no name.
  const UINT scanCode = MapVirtualKeyA(static_cast<UINT>(keycode), 0) & 0xFF;
  const int limit = capacity > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(capacity);
  if (GetKeyNameTextA(static_cast<LONG>(scanCode << 16), name, limit) <= 0) name[0] = '\0';
  name[capacity - 1] = '\0';
}
