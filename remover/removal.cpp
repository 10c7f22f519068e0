// Order of the file steps of a removal. Nothing here stops the removal: a
// step that fails is passed over and the uninstaller is started in the end,
// because the user has already agreed to remove the add-on and the
// uninstaller still has its own components to take away.
#include "remover/removal.h"

#include "remover/addon_list_text.h"

namespace {

void EditAddonList(const SetupKeys& keys, const std::string& listPath, const RemovalFileOps& ops,
                   RemovalReport* report) {
  const std::string temporaryPath = TemporaryListPath(listPath);
  if (ops.FileExists(ops.context, temporaryPath)) {
    report->staleTemporaryDeleted = ops.RemoveFile(ops.context, temporaryPath);
  }

  // A list that can't be read is treated like one without the entry: left
  // exactly as it is.
  std::string text;
  if (!ops.FileExists(ops.context, listPath)) return;
  if (!ops.ReadWholeFile(ops.context, listPath, &text)) return;
  report->lastMatch = FindLastEntry(text, keys.core);
  if (report->lastMatch == 0) return;

  report->temporaryComplete =
      ops.WriteNewFile(ops.context, temporaryPath, RewriteList(text, report->lastMatch));
  if (report->temporaryComplete) {
    const std::string backupPath = BackupListPath(listPath, keys.title);
    // The first backup of a Title keeps the list as it was before any removal.
    if (!ops.FileExists(ops.context, backupPath)) {
      report->backupMade = ops.CopyOver(ops.context, listPath, backupPath);
    }
    report->listReplaced = ops.CopyOver(ops.context, temporaryPath, listPath);
  }
  // A partial .new must never be mistaken for a list later, so it goes
  // whether or not it replaced the list.
  ops.RemoveFile(ops.context, temporaryPath);
}

}  // namespace

RemovalReport RunRemoval(const SetupKeys& keys, const std::string& appDataFolder,
                         const RemovalFileOps& ops) {
  RemovalReport report{};
  if (!keys.type.empty() && !keys.core.empty()) {
    const AddonListKind kind = ListKindFromType(keys.type);
    // An unknown Type names no list, so no file of the simulator is touched.
    if (kind != AddonListKind::kNone) {
      report.listPath = AddonListPath(appDataFolder, kind);
      EditAddonList(keys, report.listPath, ops, &report);
    }
  }
  report.uninstallerStarted = ops.StartProgram(ops.context, UninstallerCommandLine());
  return report;
}
