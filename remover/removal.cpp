// Order of the steps of a removal. Nothing here stops the removal: a step
// that fails is passed over and the uninstaller is started in the end,
// because the user has already agreed to remove the add-on and the
// uninstaller still has its own components to take away.
#include "remover/removal.h"

const char* StartupProblem(const std::string& setupListPath, const FileOps& ops) {
  // The bare names are looked up in the current folder, where the
  // uninstaller will be started.
  if (!ops.FileExists(ops.context, setupListPath) || !ops.FileExists(ops.context, kSetupListName)) {
    return kSetupListMissingText;
  }
  if (!ops.FileExists(ops.context, kUninstallLogName)) return kUninstallLogMissingText;
  return nullptr;
}

RemovalReport RunRemoval(const SetupKeys& keys, const std::string& appDataFolder,
                         const RemovalOps& ops) {
  RemovalReport report{};
  report.edit.result = ListEditResult::kMissing;
  if (!keys.type.empty() && !keys.core.empty()) {
    const AddonListKind kind = ListKindFromType(keys.type);
    // An unknown Type names no list, so no file of the simulator is touched.
    if (kind != AddonListKind::kNone) {
      report.listPath = AddonListPath(appDataFolder, kind);
      report.edit = RemoveListEntry(ops.files, report.listPath, keys.title, EntryMatch::kCoreText, keys.core);
    }
  }
  report.uninstallerStarted = ops.StartProgram(ops.files.context, UninstallerCommandLine());
  return report;
}

std::string RemovalNotice(const RemovalReport& report) {
  // The uninstaller is already on its way; the user still has to know that
  // the simulator will keep loading the add-on until the entry goes.
  if (report.edit.result != ListEditResult::kNotSafe) return std::string();
  return "The add-on's entry in " + report.listPath +
         " could not be found in a form that is safe to remove, so the list is left as it was. "
         "Take the entry out by hand with a text editor.";
}
