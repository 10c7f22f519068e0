// The install helper's steps in both directions against an in-memory machine: its disk refuses what Windows
// refuses, its registry and windows are what each row puts there.
#include "install/helper_steps.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "tests/native/fake_disk.h"

namespace {

using namespace std::string_literals;

const std::string kPackage = "C:\\dl\\pivora-1";
const std::string kSim = "C:\\Games\\FSX";
const std::string kAppData = "C:\\Users\\pilot\\AppData\\Roaming";
const std::string kWinSxS = "C:\\Windows\\WinSxS";
const std::string kList = kAppData + "\\Microsoft\\FSX\\dll.xml";
const std::string kInstallBackup = kList + ".before_pivora_install";
const std::string kRemovalBackup = kList + ".before_Pivora_removal";
const std::string kAddon = kSim + "\\pivora";
const std::string kSettings = kAppData + "\\pivora";
const std::string kAssembly = kWinSxS + "\\x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.61259.0_x";
const char kAbsent[] = "(absent)";

const std::string kOtherEntries =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n"
    "  <Launch.Addon>\r\n    <Name>Other</Name>\r\n    <Path>other\\other.dll</Path>\r\n  </Launch.Addon>\r\n"
    "  <Launch.Addon><Name>Tool</Name><Path>tool\\tool.dll</Path></Launch.Addon>\r\n</SimBase.Document>\r\n";
const std::string kWithPivora =
    "<SimBase.Document>\r\n  <Launch.Addon>\r\n    <Path>pivora\\pivora.dll</Path>\r\n  </Launch.Addon>\r\n"
    "</SimBase.Document>\r\n";
const std::string kWithoutPivora = "<SimBase.Document>\r\n</SimBase.Document>\r\n";

struct FakeMachine : FakeDisk {
  std::map<std::string, std::string> registry;  // "HKCU\\SetupPath" -> path
  std::set<std::string> windows;                // classes of the open windows; "hung": none closes
  std::string said;

  static FakeMachine& Of(void* context) { return static_cast<FakeMachine&>(FakeDisk::Of(context)); }
  // Names of the files, or with `wantFolders` of the folders, right in `folder`.
  std::vector<std::string> Entries(const std::string& folder, bool wantFolders) {
    std::vector<std::string> paths, names;
    if (wantFolders) paths.assign(folders.begin(), folders.end());
    else for (const auto& f : files) paths.push_back(f.first);
    for (const std::string& p : paths) if (Parent(p) == folder) names.push_back(p.substr(folder.size() + 1));
    return names;
  }
  HelperOps Ops() {
    return HelperOps{
        FakeDisk::Ops(),
        [](void* c, const std::string& p) { return Of(c).folders.count(p) != 0; },
        [](void* c, const std::string& p) {
          FakeMachine& m = Of(c);
          if (!m.folders.count(p) && m.folders.count(Parent(p)) && !m.Has(Parent(p), 'r')) m.folders.insert(p);
          return m.folders.count(p) != 0;
        },
        [](void* c, const std::string& p) {
          return Of(c).Entries(p, false).empty() && Of(c).Entries(p, true).empty() && Of(c).folders.erase(p) != 0;
        },
        [](void* c, const std::string& folder, bool folders) { return Of(c).Entries(folder, folders); },
        [](void* c, bool machine, const char* value) {
          auto it = Of(c).registry.find((machine ? "HKLM\\" : "HKCU\\") + std::string(value));
          return it == Of(c).registry.end() ? std::string() : it->second;
        },
        [](void* c, const char* name) { return Of(c).windows.count(name) != 0; },
        [](void* c, const char* name) { return !Of(c).windows.count("hung") && Of(c).windows.erase(name) != 0; },
        [](void* c, const std::string& line) { Of(c).said += line + "\n"; }};
  }
};

const std::map<std::string, std::string> kMachine = {
    {kPackage + "\\pivora\\pivora.dll", "module"}, {kPackage + "\\pivora\\pivorasrv.exe", "server"},
    {kSim + "\\fsx.exe", "simulator"},            {kAssembly + "\\SimConnect.dll", "sp2"}};
const std::map<std::string, std::string> kInstalled = {
    {kAddon + "\\pivora.dll", "module"}, {kAddon + "\\pivorasrv.exe", "server"},
    {kAddon + "\\simconnect.dll", "sp2"}, {kList, kWithPivora}};

std::map<std::string, std::string> With(std::map<std::string, std::string> files,
                                        const std::map<std::string, std::string>& more) {
  for (const auto& f : more) {
    if (f.second == kAbsent) files.erase(f.first);
    else files[f.first] = f.second;
  }
  return files;
}

int RunOn(FakeMachine* machine, const std::vector<std::string>& arguments) {
  HelperOptions options;
  if (!ReadHelperOptions(arguments, machine->Ops(), &options)) return kExitUsage;
  return RunHelper(options, HelperPlaces{kPackage, kAppData, "C:\\Windows"}, machine->Ops());
}

TEST(InstallHelper, StepsAndTheirResults) {
  const std::vector<std::string> install = {"--sim", kSim}, remove = {"--remove", "--sim", kSim};
  struct Case {
    const char* name;
    std::vector<std::string> arguments;
    std::map<std::string, std::string> filesBefore;  // over kMachine; kAbsent takes one away
    int exitCode;
    std::string said;
    std::map<std::string, std::string> filesAfter;  // what must hold afterwards, kAbsent for gone
    std::map<std::string, std::string> quirks = {};
    std::set<std::string> windows = {};
    std::map<std::string, std::string> registry = {};
  } cases[] = {
      {"fresh install", install, {}, kExitDone, "Created " + kList + " listing Pivora",
       {{kAddon + "\\pivora.dll", "module"}, {kAddon + "\\simconnect.dll", "sp2"}, {kInstallBackup, kAbsent}}},
      {"existing list backed up", install, {{kList, kOtherEntries}}, kExitDone, "the old list is kept",
       {{kInstallBackup, kOtherEntries}}},
      {"listed already", install, {{kList, kWithPivora}}, kExitDone, "already listed",
       {{kList, kWithPivora}, {kInstallBackup, kAbsent}}},
      {"--simconnect names a missing file, the rest is done", {"--sim", kSim, "--simconnect", "C:\\x.dll"}, {},
       kExitMissing, "No such file: C:\\x.dll", {{kAddon + "\\pivora.dll", "module"}}},
      {"the newest assembly that holds the library", install,
       {{kWinSxS + "\\x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.60905.0_x\\SimConnect.dll", "rtm"},
        {kWinSxS + "\\x86_microsoft.flightsimulator.simconnect_67c7c14424d61b5b_10.0.62000.0_x\\readme.txt", "none"}},
       kExitDone, "Copied SimConnect from " + kAssembly, {{kAddon + "\\simconnect.dll", "sp2"}}},
      {"no SimConnect assembly", install, {{kAssembly + "\\SimConnect.dll", kAbsent}}, kExitMissing,
       "MISSING: the simulator's SimConnect library", {{kAddon + "\\pivorasrv.exe", "server"}}},
      {"locked copy target", install, {{kAddon + "\\pivora.dll", "old"}}, kExitMissing, "could not copy",
       {{kAddon + "\\pivora.dll", "old"}, {kAddon + "\\pivorasrv.exe", "server"}}, {{kAddon + "\\pivora.dll", "l"}}},
      {"dll.xml held: rename refused", install, {{kList, kOtherEntries}}, kExitMissing, "could not write",
       {{kList, kOtherEntries}, {kList + ".new", kAbsent}}, {{kList, "l"}}},
      {"not a list", install, {{kList, "not a list"}}, kExitMissing, "left as it is",
       {{kList, "not a list"}, {kInstallBackup, kAbsent}}},
      {"bad option", {"--simulator", kSim}, {}, kExitUsage, "Usage: pivora-install [--sim",
       {{kAddon + "\\pivora.dll", kAbsent}}},
      {"option without its value", {"--sim"}, {}, kExitUsage, "--remove [--purge]", {}},
      {"--purge without --remove", {"--purge"}, {}, kExitUsage, "Usage: pivora-install", {}},
      {"registry: the user's SetupPath is not the simulator, the machine's AppPath is", {}, {}, kExitDone,
       "Not the simulator's folder (no fsx.exe): C:\\Old (registry value SetupPath)\nSimulator folder: " + kSim +
           " (registry value AppPath)",
       {{kAddon + "\\pivora.dll", "module"}}, {}, {},
       {{"HKCU\\SetupPath", "C:\\Old\\"}, {"HKLM\\AppPath", kSim + "\\"}}},
      {"registry names nothing", {}, {}, kExitMissing, "The registry names no simulator folder.",
       {{kAddon + "\\pivora.dll", kAbsent}, {kList, kAbsent}}},
      {"standard user under Program Files: install touches nothing", install, {}, kExitMissing,
       "Ask an administrator to let your account change that folder", {{kList, kAbsent}}, {{kSim, "r"}}},
      {"standard user under Program Files: removal touches nothing", remove, kInstalled, kExitMissing,
       "Ask an administrator to let your account change that folder", kInstalled, {{kSim, "r"}}, {"pivoraserver"}},
      {"removal refused while the simulator runs", remove, kInstalled, kExitMissing,
       "NOT REMOVED: the simulator is running", kInstalled, {}, {"FS98MAIN", "pivoraserver"}},
      {"removal of an installed copy", remove, kInstalled, kExitDone, "Stopped the device server.",
       {{kList, kWithoutPivora}, {kRemovalBackup, kWithPivora}, {kAddon + "\\pivorasrv.exe", kAbsent}}, {},
       {"pivoraserver"}},
      {"removal: hung server", remove, kInstalled, kExitMissing, "NOT REMOVED: the device server (pivorasrv.exe)",
       {{kList, kWithoutPivora}}, {}, {"pivoraserver", "hung"}},
      {"removal with nothing installed", remove, {}, kExitDone,
       "nothing to take out.\nNo folder " + kAddon + ": no files to delete.", {{kList, kAbsent}}},
      {"removal: list without the entry left byte for byte", remove, With(kInstalled, {{kList, kOtherEntries}}),
       kExitDone, "Pivora is not listed", {{kList, kOtherEntries}, {kRemovalBackup, kAbsent}}},
      {"removal: entry in no safe form", remove, With(kInstalled, {{kList, "<a><Path>pivora\\pivora.dll</Path>\r\n"}}),
       kExitMissing, "not in a form that is safe to remove", {{kList, "<a><Path>pivora\\pivora.dll</Path>\r\n"}}},
      {"removal: pilot's files stay", remove, With(kInstalled, {{kAddon + "\\notes.txt", "mine"}}), kExitDone,
       "Kept " + kAddon + "\\notes.txt: not put there by this helper.", {{kAddon + "\\notes.txt", "mine"}}},
      {"removal: locked dll", remove, kInstalled, kExitMissing, "could not delete " + kAddon + "\\pivora.dll",
       {{kAddon + "\\pivora.dll", "module"}, {kAddon + "\\simconnect.dll", kAbsent}, {kList, kWithoutPivora}},
       {{kAddon + "\\pivora.dll", "l"}}},
      {"removal keeps the settings", remove, With(kInstalled, {{kSettings + "\\pivora.ini", "ini"}}), kExitDone,
       "Kept your settings in " + kSettings, {{kSettings + "\\pivora.ini", "ini"}}},
      {"removal with --purge", {"--remove", "--purge", "--sim", kSim},
       With(kInstalled, {{kSettings + "\\pivora.ini", "ini"}}), kExitDone, "Deleted your settings in " + kSettings,
       {{kSettings + "\\pivora.ini", kAbsent}}},
  };
  for (const Case& c : cases) {
    FakeMachine machine;
    static_cast<FakeDisk&>(machine) = DiskWith(With(kMachine, c.filesBefore), c.quirks, {kSim, kAppData});
    machine.registry = c.registry;
    machine.windows = c.windows;
    EXPECT_EQ(RunOn(&machine, c.arguments), c.exitCode) << c.name << "\n" << machine.said;
    EXPECT_NE(machine.said.find(c.said), std::string::npos) << c.name << "\n" << machine.said;
    for (const auto& [path, bytes] : c.filesAfter) {
      EXPECT_EQ(machine.files.count(path) ? machine.files[path] : kAbsent, bytes) << c.name << ": " << path;
    }
  }
}

// REG_SZ is 1, REG_EXPAND_SZ 2, REG_DWORD 4, REG_MULTI_SZ 7.
TEST(InstallHelper, OnlyStringRegistryValuesNameAFolder) {
  const std::tuple<unsigned long, std::string, std::string> cases[] = {{1, "C:\\FSX\\\0"s, "C:\\FSX\\"},
      {2, "C:\\FSX"s, "C:\\FSX"}, {4, "\x01\0\0\0"s, ""}, {7, "C:\\FSX\0D:\\\0\0"s, ""}};
  for (const auto& [type, bytes, text] : cases) EXPECT_EQ(RegistryValueText(type, bytes.data(), bytes.size()), text);
}

// Install then removal: everything ends as it was, the list byte for byte.
TEST(InstallHelper, RemovalUndoesTheInstall) {
  FakeMachine machine;
  static_cast<FakeDisk&>(machine) = DiskWith(With(kMachine, {{kList, kOtherEntries}}), {}, {kSim, kAppData});
  const FakeDisk before = machine;
  ASSERT_EQ(RunOn(&machine, {"--sim", kSim}), kExitDone) << machine.said;
  ASSERT_NE(machine.files[kList], kOtherEntries);
  ASSERT_EQ(RunOn(&machine, {"--remove", "--sim", kSim}), kExitDone) << machine.said;
  EXPECT_EQ(machine.files.erase(kInstallBackup) + machine.files.erase(kRemovalBackup), 2u);
  EXPECT_EQ(machine.files, before.files);
  EXPECT_EQ(machine.folders, before.folders);
}

}  // namespace
