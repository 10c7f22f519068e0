// Order and failure handling of the removal's file steps, run against an
// in-memory disk that refuses what Windows refuses.
#include "remover/removal.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "tests/native/fake_disk.h"

namespace {

const std::string kAppData = "C:\\users\\pilot\\AppData\\Roaming";
const std::string kDllList = kAppData + "\\microsoft\\fsx\\dll.xml";
const std::string kExeList = kAppData + "\\microsoft\\fsx\\exe.xml";
const std::string kDllTemp = kDllList + ".new";

// Eight lines; the entry's path is on line 6.
const std::string kListWithEntry =
    "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n  <Launch.Addon>\r\n"
    "    <Name>Pivora</Name>\r\n    <Disabled>False</Disabled>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n  </Launch.Addon>\r\n</SimBase.Document>";
const std::string kListWithoutEntry =
    "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n  <Launch.Addon>\r\n"
    "    <Path>other\\other.dll</Path>\r\n  </Launch.Addon>\r\n</SimBase.Document>\r\n";
const std::string kRewritten = "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n</SimBase.Document>\r\n";
// Core outside any entry: a comment names the add-on after the last entry.
const std::string kMatchOutsideAnEntry = kListWithoutEntry + "<!-- pivora was here -->\r\n";

RemovalReport RemoveWith(FakeDisk* disk, const SetupKeys& keys) {
  const RemovalOps ops{disk->Ops(), [](void* context, const std::string& commandLine) {
                         FakeDisk::Of(context).Log("start " + commandLine);
                         return true;
                       }};
  return RunRemoval(keys, kAppData, ops);
}

// Each row also names the result the callers act on and where the list as it was is kept.
TEST(RemoverRemoval, FileStepsAndTheirResults) {
  const auto Backup = [](std::string list, std::string title) { return list + ".before_" + title + "_removal"; };
  const SetupKeys pivora{"Pivora", "DLL", "pivora\\pivora.dll"};
  const std::string backup = Backup(kDllList, "Pivora");
  const std::string read = "read " + kDllList, write = "write " + kDllTemp;
  const std::string start = "start st6unst -n \"ST6UNST.LOG\" -f -q";
  const std::string keep = "copy " + kDllList + " > " + backup, replace = "move " + kDllTemp + " > " + kDllList;
  using R = ListEditResult;
  struct Case {
    const char* name;
    SetupKeys keys;
    std::map<std::string, std::string> filesBefore;
    std::map<std::string, std::string> filesAfter;
    std::vector<std::string> steps;
    ListEditResult result;
    std::string backupPath = "";
    std::map<std::string, std::string> quirks = {};
  } cases[] = {
      {"entry removed, backup kept, temporary moved over the list", pivora, {{kDllList, kListWithEntry}},
       {{kDllList, kRewritten}, {backup, kListWithEntry}}, {read, write, keep, replace, start}, R::kDone, backup},
      {"Type Exe selects exe.xml and leaves dll.xml alone", {"Tool", "Exe", "PIVORA\\PIVORA.DLL"},
       {{kDllList, kListWithEntry}, {kExeList, kListWithEntry}},
       {{kDllList, kListWithEntry}, {kExeList, kRewritten}, {Backup(kExeList, "Tool"), kListWithEntry}},
       {"read " + kExeList, "write " + kExeList + ".new", "copy " + kExeList + " > " + Backup(kExeList, "Tool"),
        "move " + kExeList + ".new > " + kExeList, start}, R::kDone, Backup(kExeList, "Tool")},
      {"first backup never overwritten; the list as it was goes to .2", pivora,
       {{kDllList, kListWithEntry}, {backup, "first backup"}},
       {{kDllList, kRewritten}, {backup, "first backup"}, {backup + ".2", kListWithEntry}},
       {read, write, "read " + backup, "copy " + kDllList + " > " + backup + ".2", replace, start}, R::kDone,
       backup + ".2"},
      {"numbered backups take the next free number", pivora,
       {{kDllList, kListWithEntry}, {backup, "first"}, {backup + ".2", "second"}},
       {{kDllList, kRewritten}, {backup, "first"}, {backup + ".2", "second"}, {backup + ".3", kListWithEntry}},
       {read, write, "read " + backup, "copy " + kDllList + " > " + backup + ".3", replace, start}, R::kDone,
       backup + ".3"},
      {"no second backup of a list the first backup already holds", pivora,
       {{kDllList, kListWithEntry}, {backup, kListWithEntry}}, {{kDllList, kRewritten}, {backup, kListWithEntry}},
       {read, write, "read " + backup, replace, start}, R::kDone},
      {"stale temporary deleted even when the entry is absent", pivora,
       {{kDllList, kListWithoutEntry}, {kDllTemp, "stale"}}, {{kDllList, kListWithoutEntry}},
       {"delete " + kDllTemp, read, start}, R::kNoMatch},
      {"Core outside every entry: list left byte for byte", {"Pivora", "DLL", "pivora"},
       {{kDllList, kMatchOutsideAnEntry}}, {{kDllList, kMatchOutsideAnEntry}}, {read, start}, R::kNotSafe},
      {"list missing", pivora, {}, {}, {start}, R::kMissing},
      {"unreadable list left as it is", pivora, {{kDllList, kListWithEntry}}, {{kDllList, kListWithEntry}},
       {read, start}, R::kUnreadable, "", {{kDllList, "u"}}},
      {"empty Core touches nothing", {"Pivora", "DLL", ""}, {{kDllList, kListWithEntry}, {kDllTemp, "stale"}},
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, {start}, R::kMissing},
      {"unknown Type spelling touches nothing", {"Pivora", "dLL", "pivora"},
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, {{kDllList, kListWithEntry}, {kDllTemp, "stale"}},
       {start}, R::kMissing},
      {"short write: partial temporary deleted, list kept, no backup", pivora, {{kDllList, kListWithEntry}},
       {{kDllList, kListWithEntry}}, {read, write, "delete " + kDllTemp, start}, R::kNotWritten, "",
       {{kDllTemp, "p"}}},
      {"failed backup doesn't stop the replacement", {"Bad:Title", "DLL", "pivora"}, {{kDllList, kListWithEntry}},
       {{kDllList, kRewritten}},
       {read, write, "copy " + kDllList + " > " + Backup(kDllList, "Bad:Title"), replace, start}, R::kDone, "",
       {{Backup(kDllList, "Bad:Title"), "l"}}},
      {"list held by another program: list kept, temporary removed", pivora, {{kDllList, kListWithEntry}},
       {{kDllList, kListWithEntry}, {backup, kListWithEntry}},
       {read, write, keep, replace, "delete " + kDllTemp, start}, R::kNotWritten, backup, {{kDllList, "l"}}},
  };
  for (const Case& c : cases) {
    FakeDisk disk = DiskWith(c.filesBefore, c.quirks, {kAppData + "\\microsoft\\fsx"});
    const RemovalReport report = RemoveWith(&disk, c.keys);
    EXPECT_EQ(disk.files, c.filesAfter) << c.name;
    EXPECT_EQ(disk.steps, c.steps) << c.name;
    EXPECT_EQ(report.edit.result, c.result) << c.name;
    EXPECT_EQ(report.edit.backupPath, c.backupPath) << c.name;
  }
}

// The uninstaller runs whatever the edit did; only an entry left in place
// because it was not safe to take out is worth a word to the user.
TEST(RemoverRemoval, OnlyAnUnsafeEntryIsToldAbout) {
  RemovalReport report{"C:\\x\\dll.xml", {ListEditResult::kNotSafe, false, 3, ""}, true};
  EXPECT_EQ(RemovalNotice(report),
            "The add-on's entry in C:\\x\\dll.xml could not be found in a form that is safe to remove, so the "
            "list is left as it was. Take the entry out by hand with a text editor.");
  report.edit.result = ListEditResult::kNoMatch;
  EXPECT_EQ(RemovalNotice(report), "");
}

TEST(RemoverRemoval, StartupChecksReportTheFirstMissingFile) {
  const std::string program = "C:\\Addon\\setup.lst";
  const char* const kSetup = "setup.lst not found or removed, cannot continue";
  const char* const kLog = "ST6UNST.LOG not found or removed, cannot continue";
  const std::tuple<const char*, std::map<std::string, std::string>, const char*> cases[] = {
      {"all there", {{program, ""}, {"setup.lst", ""}, {"ST6UNST.LOG", ""}}, nullptr},
      {"setup.lst only in the program folder", {{program, ""}, {"ST6UNST.LOG", ""}}, kSetup},
      {"setup.lst only in the current folder", {{"setup.lst", ""}, {"ST6UNST.LOG", ""}}, kSetup},
      {"log missing", {{program, ""}, {"setup.lst", ""}}, kLog},
      {"both missing: only the setup list is named", {}, kSetup},
  };
  for (const auto& [name, files, problem] : cases) {
    FakeDisk disk = DiskWith(files);
    EXPECT_STREQ(StartupProblem(program, disk.Ops()), problem) << name;
  }
}

// Hidden and system files and folders are there, but are not the files the
// start-up checks and the list edits look for.
TEST(RemoverRemoval, OnlyPlainFilesCount) {
  // Normal, read-only and archive count; hidden, system, a folder and nothing there do not.
  for (std::uint32_t a : {0x80u, 0x21u}) EXPECT_TRUE(CountsAsFile(a)) << a;
  for (std::uint32_t a : {0x2u, 0x4u, 0x10u, 0xFFFFFFFFu}) EXPECT_FALSE(CountsAsFile(a)) << a;
}

}  // namespace
