// unrigger: takes an add-on out of the simulator. It checks that it runs
// beside the installer's files, asks once, then edits the add-on list and
// hands over to the setup uninstaller.
#include <windows.h>

#include <string>

#include "remover/file_ops_win.h"
#include "remover/main_window_win.h"
#include "remover/removal.h"
#include "remover/removal_names.h"
#include "remover/setup_list_win.h"

namespace {

void RemoveAddon(const std::string& setupListPath) {
  const RemovalOps ops{PlatformFileOps(), StartProgram};
  const std::string notice =
      RemovalNotice(RunRemoval(ReadSetupKeys(setupListPath), ApplicationDataFolder(), ops));
  if (!notice.empty()) MessageBoxA(nullptr, notice.c_str(), kWindowCaption, MB_OK);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  const std::string setupListPath = SetupListPathFor(OwnExecutablePath());
  if (CreateMainWindow(instance, setupListPath, RemoveAddon) == nullptr) return 1;

  if (const char* problem = StartupProblem(setupListPath, PlatformFileOps())) {
    MessageBoxA(nullptr, problem, kWindowCaption, MB_OK);
    DiscardMainWindow();
    return 0;
  }
  SetLabel1Text(ConfirmationText(leggistringa(kSetupSection, kTitleKey, "", setupListPath)));
  return RunMainWindow(showCommand);
}
