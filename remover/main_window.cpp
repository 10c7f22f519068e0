// Commands of the confirmation window.
#include "remover/main_window.h"

#include "remover/resource.h"

MainWindowAction ActionForCommand(std::uintptr_t command) {
  if (command == IDC_COMMAND1) return MainWindowAction::kRemove;
  if (command == IDC_COMMAND2) return MainWindowAction::kClose;
  return MainWindowAction::kNothing;
}

int EnterButtonId(bool cancelHasFocus) { return cancelHasFocus ? IDC_COMMAND2 : IDC_COMMAND1; }
