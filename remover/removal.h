// The removal that runs when the user confirms: take the add-on's entry out
// of the simulator's add-on list, keep a backup of the list, start the
// uninstaller.
//
// Every file step goes through FileOps so that the order of the steps and
// their failures can be exercised without a disk.
#pragma once
#include <string>

#include "remover/file_ops.h"
#include "remover/list_edit.h"
#include "remover/removal_names.h"

struct RemovalOps {
  FileOps files;
  // Starts the command line as a new process, minimized, without waiting.
  bool (*StartProgram)(void* context, const std::string& commandLine);
};

// What the removal did. The program tells the user only when the entry was
// found but not in a form that is safe to take out.
struct RemovalReport {
  std::string listPath;  // empty when Type/Core were empty or Type unknown
  ListEdit edit;
  bool uninstallerStarted;
};

// Why the program can't go on, checked before its window is ever shown:
// setup.lst must be both at `setupListPath` and in the current folder, and
// the uninstaller's log in the current folder. Only the first failure is
// reported; null when there is none.
const char* StartupProblem(const std::string& setupListPath, const FileOps& ops);

RemovalReport RunRemoval(const SetupKeys& keys, const std::string& appDataFolder,
                         const RemovalOps& ops);

// What the program tells the user once the removal has run: only that an
// entry found in a form not safe to take out was left in the list; "" for
// nothing to tell.
std::string RemovalNotice(const RemovalReport& report);
