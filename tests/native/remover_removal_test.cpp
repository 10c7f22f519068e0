// Order and failure handling of the removal's file steps, run against an
// in-memory disk whose operations can be made to fail.
#include "remover/removal.h"

#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <string>
#include <vector>

namespace {

const std::string kAppData = "C:\\users\\pilot\\AppData\\Roaming";
const std::string kDllList = kAppData + "\\microsoft\\fsx\\dll.xml";
const std::string kExeList = kAppData + "\\microsoft\\fsx\\exe.xml";
const std::string kDllTemp = kDllList + ".new";
const std::string kExeTemp = kExeList + ".new";
const std::string kCommand = "st6unst -n \"ST6UNST.LOG\" -f -q";

// Eight lines; the entry's path is on line 6.
const std::string kListWithEntry =
    "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n  <Launch.Addon>\r\n"
    "    <Name>Pivora</Name>\r\n    <Disabled>False</Disabled>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n  </Launch.Addon>\r\n</SimBase.Document>";
const std::string kListWithoutEntry =
    "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n  <Launch.Addon>\r\n"
    "    <Path>other\\other.dll</Path>\r\n  </Launch.Addon>\r\n</SimBase.Document>\r\n";
const std::string kRewritten =
    "<?xml version=\"1.0\"?>\r\n<SimBase.Document>\r\n</SimBase.Document>\r\n";

// Faults of the in-memory disk, combined as bits.
enum Fault : unsigned {
  kNoFault = 0,
  kListHidden = 1 << 0,        // on disk, but not a file that "exists"
  kBackupHidden = 1 << 1,
  kListUnreadable = 1 << 2,
  kTempNotCreated = 1 << 3,
  kTempWrittenPartly = 1 << 4,  // a full disk part-way through
  kBackupCopyFails = 1 << 5,
  kReplaceFails = 1 << 6,
  kStartFails = 1 << 7,
};

struct FakeDisk {
  std::map<std::string, std::string> files;
  unsigned faults;
  std::string hiddenBackup;  // the backup path that kBackupHidden hides
  std::vector<std::string> steps;
};

FakeDisk& Disk(void* context) { return *static_cast<FakeDisk*>(context); }

bool IsList(const std::string& path) { return path == kDllList || path == kExeList; }
bool IsTemp(const std::string& path) { return path == kDllTemp || path == kExeTemp; }

bool Exists(void* context, const std::string& path) {
  FakeDisk& disk = Disk(context);
  if ((disk.faults & kListHidden) && IsList(path)) return false;
  if ((disk.faults & kBackupHidden) && path == disk.hiddenBackup) return false;
  return disk.files.count(path) != 0;
}

bool Read(void* context, const std::string& path, std::string* contents) {
  FakeDisk& disk = Disk(context);
  disk.steps.push_back("read " + path);
  if (disk.files.count(path) == 0 || (disk.faults & kListUnreadable)) return false;
  *contents = disk.files[path];
  return true;
}

bool Write(void* context, const std::string& path, const std::string& contents) {
  FakeDisk& disk = Disk(context);
  disk.steps.push_back("write " + path);
  if (disk.faults & kTempNotCreated) return false;
  if (disk.faults & kTempWrittenPartly) {
    disk.files[path] = contents.substr(0, contents.size() / 2);
    return false;
  }
  disk.files[path] = contents;
  return true;
}

bool Copy(void* context, const std::string& from, const std::string& to) {
  FakeDisk& disk = Disk(context);
  disk.steps.push_back("copy " + from + " > " + to);
  if (disk.files.count(from) == 0) return false;
  if ((disk.faults & kReplaceFails) && IsTemp(from)) return false;
  if ((disk.faults & kBackupCopyFails) && IsList(from)) return false;
  disk.files[to] = disk.files[from];
  return true;
}

bool Remove(void* context, const std::string& path) {
  FakeDisk& disk = Disk(context);
  disk.steps.push_back("delete " + path);
  return disk.files.erase(path) != 0;
}

bool Start(void* context, const std::string& commandLine) {
  FakeDisk& disk = Disk(context);
  disk.steps.push_back("start " + commandLine);
  return (disk.faults & kStartFails) == 0;
}

RemovalReport RemoveWith(FakeDisk* disk, const SetupKeys& keys) {
  RemovalFileOps ops{disk, Exists, Read, Write, Copy, Remove, Start};
  return RunRemoval(keys, kAppData, ops);
}

FakeDisk DiskWith(std::map<std::string, std::string> files, unsigned faults = kNoFault,
                  std::string hiddenBackup = "") {
  return FakeDisk{std::move(files), faults, std::move(hiddenBackup), {}};
}

std::string Backup(const std::string& list, const std::string& title) {
  return list + ".before_" + title + "_removal";
}

TEST(RemoverRemoval, FileStepsAndTheirResults) {
  const SetupKeys pivora{"Pivora", "DLL", "pivora\\pivora.dll"};
  const std::string backup = Backup(kDllList, "Pivora");
  struct Case {
    const char* name;
    SetupKeys keys;
    std::map<std::string, std::string> filesBefore;
    unsigned faults;
    std::map<std::string, std::string> filesAfter;
    std::vector<std::string> steps;
  } cases[] = {
      {"entry removed, backup kept, temporary gone",
       pivora,
       {{kDllList, kListWithEntry}}, kNoFault,
       {{kDllList, kRewritten}, {backup, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "copy " + kDllList + " > " + backup,
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
      {"Type Exe selects exe.xml and leaves dll.xml alone",
       {"Tool", "Exe", "PIVORA\\PIVORA.DLL"},
       {{kDllList, kListWithEntry}, {kExeList, kListWithEntry}}, kNoFault,
       {{kDllList, kListWithEntry},
        {kExeList, kRewritten},
        {Backup(kExeList, "Tool"), kListWithEntry}},
       {"read " + kExeList, "write " + kExeTemp,
        "copy " + kExeList + " > " + Backup(kExeList, "Tool"),
        "copy " + kExeTemp + " > " + kExeList, "delete " + kExeTemp, "start " + kCommand}},
      {"Type Dll selects dll.xml",
       {"Pivora", "Dll", "pivora"},
       {{kDllList, kListWithEntry}, {kExeList, kListWithEntry}}, kNoFault,
       {{kDllList, kRewritten}, {kExeList, kListWithEntry}, {backup, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "copy " + kDllList + " > " + backup,
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
      {"empty Title gives .before__removal",
       {"", "dll", "pivora"},
       {{kDllList, kListWithEntry}}, kNoFault,
       {{kDllList, kRewritten}, {kDllList + ".before__removal", kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp,
        "copy " + kDllList + " > " + kDllList + ".before__removal",
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
      {"existing backup is kept and the list still rewritten",
       pivora,
       {{kDllList, kListWithEntry}, {backup, "first backup"}}, kNoFault,
       {{kDllList, kRewritten}, {backup, "first backup"}},
       {"read " + kDllList, "write " + kDllTemp, "copy " + kDllTemp + " > " + kDllList,
        "delete " + kDllTemp, "start " + kCommand}},
      {"hidden backup does not count and is copied over",
       pivora,
       {{kDllList, kListWithEntry}, {backup, "hidden"}}, kBackupHidden,
       {{kDllList, kRewritten}, {backup, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "copy " + kDllList + " > " + backup,
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
      {"stale temporary deleted before the first pass",
       pivora,
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, kNoFault,
       {{kDllList, kRewritten}, {backup, kListWithEntry}},
       {"delete " + kDllTemp, "read " + kDllList, "write " + kDllTemp,
        "copy " + kDllList + " > " + backup, "copy " + kDllTemp + " > " + kDllList,
        "delete " + kDllTemp, "start " + kCommand}},
      {"stale temporary deleted even when the entry is absent",
       pivora,
       {{kDllList, kListWithoutEntry}, {kDllTemp, "stale"}}, kNoFault,
       {{kDllList, kListWithoutEntry}},
       {"delete " + kDllTemp, "read " + kDllList, "start " + kCommand}},
      {"no line holds Core: nothing written",
       pivora,
       {{kDllList, kListWithoutEntry}}, kNoFault,
       {{kDllList, kListWithoutEntry}},
       {"read " + kDllList, "start " + kCommand}},
      {"list missing", pivora, {}, kNoFault, {}, {"start " + kCommand}},
      {"hidden list counts as missing",
       pivora,
       {{kDllList, kListWithEntry}}, kListHidden,
       {{kDllList, kListWithEntry}},
       {"start " + kCommand}},
      {"unreadable list left as it is",
       pivora,
       {{kDllList, kListWithEntry}}, kListUnreadable,
       {{kDllList, kListWithEntry}},
       {"read " + kDllList, "start " + kCommand}},
      {"empty Type touches nothing",
       {"Pivora", "", "pivora"},
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, kNoFault,
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}},
       {"start " + kCommand}},
      {"empty Core touches nothing",
       {"Pivora", "DLL", ""},
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, kNoFault,
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}},
       {"start " + kCommand}},
      {"unknown Type spelling touches nothing",
       {"Pivora", "dLL", "pivora"},
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}}, kNoFault,
       {{kDllList, kListWithEntry}, {kDllTemp, "stale"}},
       {"start " + kCommand}},
      {"temporary can't be created: list kept, no backup",
       pivora,
       {{kDllList, kListWithEntry}}, kTempNotCreated,
       {{kDllList, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "delete " + kDllTemp, "start " + kCommand}},
      {"short write: partial temporary deleted, list kept",
       pivora,
       {{kDllList, kListWithEntry}}, kTempWrittenPartly,
       {{kDllList, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "delete " + kDllTemp, "start " + kCommand}},
      {"failed backup doesn't stop the replacement",
       {"Bad:Title", "DLL", "pivora"},
       {{kDllList, kListWithEntry}}, kBackupCopyFails,
       {{kDllList, kRewritten}},
       {"read " + kDllList, "write " + kDllTemp,
        "copy " + kDllList + " > " + Backup(kDllList, "Bad:Title"),
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
      {"failed replacement keeps the list and drops the temporary",
       pivora,
       {{kDllList, kListWithEntry}}, kReplaceFails,
       {{kDllList, kListWithEntry}, {backup, kListWithEntry}},
       {"read " + kDllList, "write " + kDllTemp, "copy " + kDllList + " > " + backup,
        "copy " + kDllTemp + " > " + kDllList, "delete " + kDllTemp, "start " + kCommand}},
  };
  for (const Case& c : cases) {
    FakeDisk disk = DiskWith(c.filesBefore, c.faults, backup);
    RemovalReport report = RemoveWith(&disk, c.keys);
    EXPECT_EQ(disk.files, c.filesAfter) << c.name;
    EXPECT_EQ(disk.steps, c.steps) << c.name;
    EXPECT_TRUE(report.uninstallerStarted) << c.name;
  }
}

TEST(RemoverRemoval, ReportTellsWhatHappened) {
  FakeDisk disk = DiskWith({{kDllList, kListWithEntry}, {kDllTemp, "stale"}});
  RemovalReport report = RemoveWith(&disk, {"Pivora", "DLL", "PIVORA.DLL"});
  EXPECT_EQ(report.listPath, kDllList);
  EXPECT_TRUE(report.staleTemporaryDeleted);
  EXPECT_EQ(report.lastMatch, 6u);
  EXPECT_TRUE(report.temporaryComplete);
  EXPECT_TRUE(report.backupMade);
  EXPECT_TRUE(report.listReplaced);

  FakeDisk failing = DiskWith({{kDllList, kListWithEntry}}, kTempWrittenPartly | kStartFails);
  report = RemoveWith(&failing, {"Pivora", "DLL", "pivora"});
  EXPECT_EQ(report.lastMatch, 6u);
  EXPECT_FALSE(report.temporaryComplete);
  EXPECT_FALSE(report.backupMade);
  EXPECT_FALSE(report.listReplaced);
  EXPECT_FALSE(report.uninstallerStarted);

  FakeDisk unknown = DiskWith({});
  report = RemoveWith(&unknown, {"Pivora", "Dll ", "pivora"});
  EXPECT_EQ(report.listPath, "");
  EXPECT_EQ(report.lastMatch, 0u);
}

TEST(RemoverRemoval, LongListWithBinaryBytesIsRewrittenWhole) {
  std::string list;
  std::string expected;
  for (int n = 1; n <= 100000; ++n) {
    std::string line = "entry " + std::to_string(n) + '\0' + "\xff\x1a\n";
    if (n == 99998) line += "PIVORA";
    list += line + (n % 3 == 0 ? "\r" : "\r\n");
    if (n < 99995 || n > 99999) expected += line + "\r\n";
  }
  FakeDisk disk = DiskWith({{kDllList, list}});
  RemovalReport report = RemoveWith(&disk, {"Pivora", "DLL", "pivora"});
  EXPECT_EQ(report.lastMatch, 99998u);
  EXPECT_TRUE(disk.files[kDllList] == expected);
  EXPECT_TRUE(disk.files[Backup(kDllList, "Pivora")] == list);
}

}  // namespace
