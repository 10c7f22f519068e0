// pivora-install's steps. Installing: find the simulator, check that its
// folder can be written, copy the add-on's files and the simulator's own
// SimConnect library into <simulator>\pivora, add the entry to dll.xml.
// Removing undoes exactly that, after making sure the simulator is not
// running and the device server has ended. Every step says on its own line
// what it did, or what it could not do and what the user can do about it.
#include "install/helper_steps.h"

#include <cctype>

#include "install/assembly_folders.h"
#include "remover/addon_list_text.h"
#include "remover/list_edit.h"

namespace {

constexpr char kAddonName[] = "Pivora";
constexpr char kAddonPath[] = "pivora\\pivora.dll";
constexpr char kInstallBackupSuffix[] = ".before_pivora_install";
constexpr char kWriteProbeName[] = "pivora-write-probe.tmp";
constexpr char kSimulatorWindowClass[] = "FS98MAIN";
constexpr char kServerWindowClass[] = "pivoraserver";
constexpr const char* kPackageFiles[] = {"pivora.dll", "pivorasrv.exe"};
// Everything the helper puts into <simulator>\pivora, and so takes out.
constexpr const char* kInstalledFiles[] = {"pivora.dll", "pivorasrv.exe", "simconnect.dll"};

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

bool IsInstalledFile(const std::string& name) {
  for (const char* installed : kInstalledFiles) {
    if (SameName(name, installed)) return true;
  }
  return false;
}

class Helper {
 public:
  Helper(const HelperOptions& options, const HelperPlaces& places, const HelperOps& ops)
      : options_(options), places_(places), ops_(ops), context_(ops.files.context) {}

  int Install() {
    Say("Pivora install helper");
    const std::string sim = FindSimulator();
    if (!sim.empty() && CanWrite(sim)) {
      CopyAddonFiles(sim);
      CopySimConnect(sim);
      AddToAddonList();
    }
    Say(allDone_ ? "Done. Start the simulator: its Add-ons menu shows Pivora."
                 : "Not finished: see the MISSING lines above, and INSTALL.txt for doing it by hand.");
    return allDone_ ? kExitDone : kExitMissing;
  }

  int Remove() {
    failurePrefix_ = "NOT REMOVED: ";
    Say("Pivora install helper: removing Pivora");
    if (ops_.WindowExists(context_, kSimulatorWindowClass)) {
      Fail("the simulator is running, so Pivora's files are in use. Nothing was changed. "
           "Close the simulator, then run this again.");
    } else {
      const std::string sim = FindSimulator();
      if (!sim.empty() && CanWrite(sim)) {
        StopServer();
        RemoveFromAddonList();
        DeleteAddonFiles(sim);
        HandleSettings();
      }
    }
    Say(allDone_ ? "Done: Pivora is removed." : "Not finished: see the NOT REMOVED lines above.");
    return allDone_ ? kExitDone : kExitMissing;
  }

 private:
  void Say(const std::string& line) { ops_.Say(context_, line); }
  void Fail(const std::string& line) {
    allDone_ = false;
    Say(failurePrefix_ + line);
  }
  bool IsFile(const std::string& path) { return ops_.files.FileExists(context_, path); }
  std::string ListFolder() { return places_.appData + "\\Microsoft\\FSX"; }

  std::string FindSimulator() {
    struct Candidate {
      std::string path;
      std::string source;
    };
    std::vector<Candidate> candidates;
    if (!options_.sim.empty()) {
      candidates.push_back({options_.sim, "given on the command line"});
    } else {
      for (bool machine : {false, true}) {
        for (const char* value : {"SetupPath", "AppPath"}) {
          const std::string path = WithoutTrailingSlash(ops_.SimulatorRegistryValue(context_, machine, value));
          if (!path.empty()) candidates.push_back({path, std::string("registry value ") + value});
        }
      }
    }
    for (const Candidate& c : candidates) {
      if (IsFile(c.path + "\\fsx.exe")) {
        Say("Simulator folder: " + c.path + " (" + c.source + ")");
        return c.path;
      }
      Say("Not the simulator's folder (no fsx.exe): " + c.path + " (" + c.source + ")");
    }
    if (candidates.empty()) Say("The registry names no simulator folder.");
    Fail("the simulator's folder. Run again with --sim \"<folder that holds fsx.exe>\".");
    return std::string();
  }

  // A standard user can't write under Program Files; finding out first
  // keeps a half-done install (or removal) from happening.
  bool CanWrite(const std::string& sim) {
    const std::string probe = sim + "\\" + kWriteProbeName;
    const bool writable = ops_.files.WriteNewFile(context_, probe, std::string());
    ops_.files.RemoveFile(context_, probe);
    if (!writable) {
      // Not "Run as administrator": for a standard user that runs the helper
      // as the administrator, and the entry would go into their dll.xml.
      Fail("permission to write in " + sim + ", so nothing was changed. Ask an administrator to let your "
           "account change that folder, or install the simulator outside Program Files; then run this again.");
    }
    return writable;
  }

  void CopyAddonFiles(const std::string& sim) {
    const std::string source = places_.programFolder + "\\pivora";
    const std::string target = sim + "\\pivora";
    if (!ops_.MakeFolder(context_, target)) {
      Fail("could not create " + target);
      return;
    }
    if (SameName(source, target)) {
      Say("The pivora folder is already in the simulator's folder: " + target);
      return;
    }
    for (const char* name : kPackageFiles) {
      const std::string from = source + "\\" + name;
      const std::string to = target + "\\" + name;
      if (!IsFile(from)) {
        Fail(std::string(name) + " beside this program (" + from + "). Unpack the whole package first.");
      } else if (!ops_.files.CopyOver(context_, from, to)) {
        Fail("could not copy " + from + " to " + to + " (is the simulator running?)");
      } else {
        Say("Copied " + std::string(name) + " to " + to);
      }
    }
  }

  std::string FindSimConnect() {
    if (!options_.simconnect.empty()) {
      if (IsFile(options_.simconnect)) return options_.simconnect;
      Say("No such file: " + options_.simconnect);
      return std::string();
    }
    const std::string winsxs = options_.winsxs.empty() ? places_.windowsFolder + "\\WinSxS" : options_.winsxs;
    for (const std::string& name : SimConnectFoldersNewestFirst(ops_.FolderEntries(context_, winsxs, true))) {
      const std::string candidate = winsxs + "\\" + name + "\\SimConnect.dll";
      if (IsFile(candidate)) return candidate;
    }
    Say("No SimConnect assembly with a SimConnect.dll under " + winsxs);
    return std::string();
  }

  void CopySimConnect(const std::string& sim) {
    const std::string target = sim + "\\pivora\\simconnect.dll";
    const std::string source = FindSimConnect();
    if (source.empty()) {
      Fail("the simulator's SimConnect library. Install the SimConnect redistributable of the simulator's SDK "
           "(SimConnect.msi), or run again with --simconnect \"<path of SimConnect.dll>\".");
    } else if (!ops_.files.CopyOver(context_, source, target)) {
      Fail("could not copy " + source + " to " + target);
    } else {
      Say("Copied SimConnect from " + source + " to " + target);
    }
  }

  void AddToAddonList() {
    if (places_.appData.empty()) {
      Fail("the Application Data folder, so dll.xml could not be found");
      return;
    }
    ops_.MakeFolder(context_, places_.appData + "\\Microsoft");
    ops_.MakeFolder(context_, ListFolder());
    const std::string list = ListFolder() + "\\dll.xml";
    const bool exists = IsFile(list);
    std::string bytes;
    if (exists && !ops_.files.ReadWholeFile(context_, list, &bytes)) {
      Fail("could not read " + list);
      return;
    }
    std::string updated;
    switch (AddModuleEntry(bytes, exists, kAddonName, kAddonPath, &updated)) {
      case kAddonAlreadyThere:
        Say("Pivora is already listed in " + list + ": left as it is");
        return;
      case kAddonNotAList:
        Fail(list + " is not a list of modules we can read (no </SimBase.Document>): left as it is. "
             "Add the entry of dll-entry.txt by hand.");
        return;
      case kAddonUnsupported:
        Fail(list + " is not plain text (UTF-16?): left as it is. Add the entry of dll-entry.txt by hand.");
        return;
      case kAddonCreated:
      case kAddonAdded:
        break;
    }
    std::string backupNote;
    if (exists) {
      const std::string backup = list + kInstallBackupSuffix;
      if (IsFile(backup)) {
        backupNote = " (the backup " + backup + " from an earlier run is kept)";
      } else if (ops_.files.CopyOver(context_, list, backup)) {
        backupNote = " (the old list is kept as " + backup + ")";
      } else {
        Fail("could not back up " + list + ": left as it is");
        return;
      }
    }
    if (!ReplaceListSafely(ops_.files, list, updated)) {
      Fail("could not write " + list + ": left as it was");
      return;
    }
    Say(std::string(exists ? "Added Pivora to " : "Created ") + list + (exists ? "" : " listing Pivora") +
        backupNote);
  }

  void StopServer() {
    if (!ops_.WindowExists(context_, kServerWindowClass)) return;
    if (ops_.CloseWindowAndWait(context_, kServerWindowClass)) {
      Say("Stopped the device server.");
    } else {
      Fail("the device server (pivorasrv.exe) did not stop. End it in the Task Manager, then run this again.");
    }
  }

  void RemoveFromAddonList() {
    if (places_.appData.empty()) {
      Fail("the Application Data folder, so dll.xml could not be found");
      return;
    }
    const std::string list = ListFolder() + "\\dll.xml";
    const ListEdit edit = RemoveListEntry(ops_.files, list, kAddonName, EntryMatch::kPath, kAddonPath);
    const std::string byHand = " Take the <Launch.Addon> entry naming pivora\\pivora.dll out by hand.";
    switch (edit.result) {
      case ListEditResult::kMissing:
        Say("No add-on list " + list + ": nothing to take out.");
        break;
      case ListEditResult::kNoMatch:
        Say("Pivora is not listed in " + list + ": left as it is.");
        break;
      case ListEditResult::kUnreadable:
        Fail("could not read " + list + ": left as it is." + byHand);
        break;
      case ListEditResult::kNotSafe:
        Fail("Pivora's entry in " + list + " is not in a form that is safe to remove: left as it is." + byHand);
        break;
      case ListEditResult::kNotWritten:
        Fail("could not write " + list + " (another program may hold it open): left as it was. "
             "Close the simulator, then run this again.");
        break;
      case ListEditResult::kDone:
        Say("Took Pivora out of " + list +
            (edit.backupPath.empty() ? "" : " (the list as it was is kept as " + edit.backupPath + ")"));
        break;
    }
  }

  void DeleteAddonFiles(const std::string& sim) {
    const std::string folder = sim + "\\pivora";
    if (!ops_.FolderExists(context_, folder)) {
      Say("No folder " + folder + ": no files to delete.");
      return;
    }
    bool deletedAll = true;
    for (const char* name : kInstalledFiles) {
      const std::string path = folder + "\\" + name;
      if (!IsFile(path)) continue;
      if (ops_.files.RemoveFile(context_, path)) {
        Say("Deleted " + path);
      } else {
        deletedAll = false;
        Fail("could not delete " + path + " (is the simulator or the device server still running?). "
             "Close them, then run this again.");
      }
    }
    std::vector<std::string> kept;
    for (bool folders : {false, true}) {
      for (const std::string& name : ops_.FolderEntries(context_, folder, folders)) {
        if (folders || !IsInstalledFile(name)) kept.push_back(name);
      }
    }
    for (const std::string& name : kept) Say("Kept " + folder + "\\" + name + ": not put there by this helper.");
    if (!kept.empty()) {
      Say("Kept the folder " + folder + " for the files above.");
    } else if (deletedAll) {
      if (ops_.RemoveFolder(context_, folder)) {
        Say("Deleted the folder " + folder);
      } else {
        Fail("could not delete the folder " + folder + ". Delete it by hand.");
      }
    }
  }

  void HandleSettings() {
    const std::string settings = places_.appData + "\\pivora";
    if (places_.appData.empty() || !ops_.FolderExists(context_, settings)) return;
    if (!options_.purge) {
      Say("Kept your settings in " + settings + " (--remove --purge deletes them too).");
      return;
    }
    for (const std::string& name : ops_.FolderEntries(context_, settings, false)) {
      if (!ops_.files.RemoveFile(context_, settings + "\\" + name)) {
        Fail("could not delete " + settings + "\\" + name + ". Delete it by hand.");
      }
    }
    if (ops_.RemoveFolder(context_, settings)) {
      Say("Deleted your settings in " + settings);
    } else {
      Fail("could not delete the folder " + settings + ". Delete it by hand.");
    }
  }

  const HelperOptions& options_;
  const HelperPlaces& places_;
  const HelperOps& ops_;
  void* context_;
  bool allDone_ = true;
  std::string failurePrefix_ = "MISSING: ";
};

std::string HelperUsage() {
  return "Usage: pivora-install [--sim <simulator folder>] [--simconnect <SimConnect.dll>] [--winsxs <folder>] "
         "[--no-pause]\n       pivora-install --remove [--purge] [--sim <simulator folder>] [--no-pause]";
}

// False for an unknown option, a missing value or --purge without --remove.
bool ParseOptions(const std::vector<std::string>& arguments, HelperOptions* options) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--no-pause") {
      options->pause = false;
    } else if (option == "--remove") {
      options->remove = true;
    } else if (option == "--purge") {
      options->purge = true;
    } else if (i + 1 >= arguments.size()) {
      return false;
    } else if (option == "--sim") {
      options->sim = arguments[++i];
    } else if (option == "--simconnect") {
      options->simconnect = arguments[++i];
    } else if (option == "--winsxs") {
      options->winsxs = arguments[++i];
    } else {
      return false;
    }
  }
  return options->remove || !options->purge;
}

}  // namespace

bool ReadHelperOptions(const std::vector<std::string>& arguments, const HelperOps& ops, HelperOptions* options) {
  if (ParseOptions(arguments, options)) return true;
  ops.Say(ops.files.context, HelperUsage());
  return false;
}

std::string RegistryValueText(unsigned long type, const char* data, std::size_t size) {
  constexpr unsigned long kString = 1, kExpandString = 2;
  if (type != kString && type != kExpandString) return std::string();
  const std::string text(data, size);
  return text.substr(0, text.find('\0'));
}

int RunHelper(const HelperOptions& options, const HelperPlaces& places, const HelperOps& ops) {
  Helper helper(options, places, ops);
  return options.remove ? helper.Remove() : helper.Install();
}
