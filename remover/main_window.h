// What the confirmation window `main` does with a command, kept apart from
// the Win32 layer so that only a click of OK can ever start a removal.
#pragma once
#include <cstdint>

enum class MainWindowAction {
  kNothing,  // some other notification: the window stays
  kRemove,   // OK: run the removal, then close
  kClose,    // Cancel or Esc: close, touching nothing
};

// `command` is the WM_COMMAND wParam whole: a notification other than a
// click (BN_CLICKED, 0) from OK is not a press of OK.
MainWindowAction ActionForCommand(std::uintptr_t command);

// The button Enter presses: the one that has the focus, so Enter on Cancel
// never removes anything.
int EnterButtonId(bool cancelHasFocus);
