// Spellings of the add-on list names and of the files around them.
#include "remover/removal_names.h"

#include <algorithm>

namespace {

constexpr const char* kSimulatorSubfolder = "\\microsoft\\fsx\\";
constexpr const char* kModuleListName = "dll.xml";
constexpr const char* kProgramListName = "exe.xml";
constexpr const char* kTemporarySuffix = ".new";
constexpr const char* kBackupInfix = ".before_";
constexpr const char* kBackupSuffix = "_removal";

}  // namespace

AddonListKind ListKindFromType(const std::string& type) {
  if (type == "DLL" || type == "dll" || type == "Dll") return AddonListKind::kModules;
  if (type == "EXE" || type == "exe" || type == "Exe") return AddonListKind::kPrograms;
  return AddonListKind::kNone;
}

std::string ProfileValue(const char* buffer, unsigned long returned) {
  if (buffer == nullptr || returned == 0) return std::string();
  // The platform never reports more than stated - 1, but a count past the
  // buffer would read out of bounds, so it is clamped rather than trusted.
  std::size_t count = std::min<std::size_t>(returned, kProfileStatedChars - 1);
  return std::string(buffer, count);
}

std::string SetupListPathFor(const std::string& executablePath) {
  std::size_t slash = executablePath.find_last_of('\\');
  std::string folder = slash == std::string::npos ? std::string() : executablePath.substr(0, slash);
  return folder + "\\" + kSetupListName;
}

std::string AddonListPath(const std::string& appDataFolder, AddonListKind kind) {
  switch (kind) {
    case AddonListKind::kModules:
      return appDataFolder + kSimulatorSubfolder + kModuleListName;
    case AddonListKind::kPrograms:
      return appDataFolder + kSimulatorSubfolder + kProgramListName;
    case AddonListKind::kNone:
      break;
  }
  return std::string();
}

std::string TemporaryListPath(const std::string& listPath) { return listPath + kTemporarySuffix; }

std::string BackupListPath(const std::string& listPath, const std::string& title) {
  return listPath + kBackupInfix + title + kBackupSuffix;
}

std::string ConfirmationText(const std::string& title) { return title + kConfirmationTail; }

std::string UninstallerCommandLine() {
  return std::string("st6unst -n ") + '"' + kUninstallLogName + '"' + " -f -q";
}
