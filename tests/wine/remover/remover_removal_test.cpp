// OK in unrigger.exe's window: the add-on list under the application data
// folder afterwards, byte for byte, and how the uninstaller was started.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "unrigger_driver.h"

namespace {

using namespace std::string_literals;

constexpr const char* kUninstallerCommand = "st6unst -n \"ST6UNST.LOG\" -f -q";
constexpr int kShowMinimized = 2;
constexpr const char* kFolderMark = "<folder>";

// Lone LF inside a line, lone CR as a break, high bytes, a NUL and no break
// after the last line: all of it must survive the rewrite as bytes.
const std::string kOddList =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
    "<SimBase.Document Type=\"Launch\">\r"
    "  <Descr>caf\xe9\nlaunch</Descr>\r\n"
    "  <Launch.Addon>\r\n"
    "    <Name>Pivora</Name>\r\n"
    "    <Disabled>False</Disabled>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n"
    "  </Launch.Addon>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r"
    "</SimBase.Document>"s;
const std::string kOddListRewritten =
    "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
    "<SimBase.Document Type=\"Launch\">\r\n"
    "  <Descr>caf\xe9\r\nlaunch</Descr>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r\n"
    "</SimBase.Document>\r\n"s;

// The Core text outside every entry: nothing is safe to drop.
const std::string kNoEntry = "<a>\r\n<Path>other\\other.dll</Path>\r\n</a>\r\n";

void PlaceFiles(const std::string& folder, const FolderFiles& files) {
  for (const auto& [name, bytes] : files) {
    if (bytes == kFolderMark) {
      CreateDirectoryA((folder + "\\" + name.substr(0, name.size() - 1)).c_str(), nullptr);
    } else {
      WriteBytes(folder + "\\" + name, bytes);
    }
  }
}

struct RemovalCase {
  const char* name;
  std::string setupList;
  FolderFiles listsBefore;
  FolderFiles listsAfter;
  bool separateWorkingFolder = false;
  bool withUninstaller = true;
  const char* message = nullptr;  // a box the removal shows, in part
};

// Keeps the test names readable instead of dumping the case's bytes.
void PrintTo(const RemovalCase& c, std::ostream* out) { *out << c.name; }

class UnriggerRemoval : public testing::TestWithParam<RemovalCase> {};

TEST_P(UnriggerRemoval, OkEditsTheListAndStartsTheUninstaller) {
  const RemovalCase& c = GetParam();
  SimulatorListFolder lists;
  PlaceFiles(lists.path(), c.listsBefore);
  UninstallerHold hold;
  ScratchFolder program("program");
  ScratchFolder separate("working");
  const ScratchFolder& working = c.separateWorkingFolder ? separate : program;
  ASSERT_TRUE(InstallUnrigger(program.path(), c.withUninstaller));
  ASSERT_TRUE(WriteBytes(program / "setup.lst", c.setupList));
  ASSERT_TRUE(WriteBytes(working / "ST6UNST.LOG", "log"));
  if (c.separateWorkingFolder) {
    // Only the program folder's copy is read; this one names no entry.
    ASSERT_TRUE(WriteBytes(working / "setup.lst", SetupList("Other", "DLL", "nothing")));
  }

  UnriggerRun run(program.path(), working.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  PostMessageA(main, WM_COMMAND, IDOK, 0);
  if (c.message != nullptr) {
    HWND box = run.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << "no message box";
    const MessageBoxSeen seen = AnswerMessageBox(box);
    EXPECT_EQ(seen.caption, "Application removal");
    EXPECT_NE(seen.text.find(c.message), std::string::npos) << seen.text;
  }
  ASSERT_TRUE(run.WaitForExit()) << "unrigger waited for something";

  if (c.withUninstaller) {
    // unrigger is gone while the uninstaller still runs: it did not wait.
    ASSERT_TRUE(WaitForUninstallerRecord(working.path(), false, 20000));
    EXPECT_TRUE(UninstallerProcessRunning());
    UninstallerRecord record = ReadUninstallerRecord(working.path());
    EXPECT_FALSE(record.ended);
    EXPECT_EQ(record.command, kUninstallerCommand);
    EXPECT_EQ(lstrcmpiA(record.folder.c_str(), working.path().c_str()), 0) << record.folder;
    EXPECT_EQ(record.show, kShowMinimized);
    hold.Release();
    EXPECT_TRUE(WaitForUninstallerRecord(working.path(), true, 20000));
  }
  EXPECT_EQ(ReadFolderFiles(lists.path()), c.listsAfter);
}

const FolderFiles kWithStale = {{"dll.xml", kOddList}, {"dll.xml.new", "stale"}};

const RemovalCase kRemovalCases[] = {
    {"EntryRemovedBackupMadeStaleTemporaryGone",
     SetupList("Pivora", "DLL", "PIVORA\\PIVORA.DLL"),
     kWithStale,
     {{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}}},
    {"SetupListFromProgramFolderUninstallerInWorkingFolder",
     SetupList("Pivora", "Dll", "pivora.dll"),
     {{"dll.xml", kOddList}},
     {{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}},
     true},
    {"RefusedBackupNameStillReplacesTheList",
     SetupList("Pivora?", "DLL", "pivora.dll"),
     {{"dll.xml", kOddList}},
     {{"dll.xml", kOddListRewritten}}},
    {"NoUninstallerToStartEndsQuietly",
     SetupList("Pivora", "DLL", "pivora.dll"),
     {{"dll.xml", kOddList}},
     {{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}},
     false,
     false},
    {"CoreOutsideEveryEntryIsLeftAndTold", SetupList("Pivora", "DLL", "other.dll"),
     {{"dll.xml", kNoEntry}, {"dll.xml.new", "stale"}}, {{"dll.xml", kNoEntry}}, false, true,
     "could not be found in a form that is safe to remove"},
    {"CoreKeyMissingTouchesNothing", SetupList("Pivora", "DLL", nullptr), kWithStale, kWithStale},
    // The temporary list can't be written: the list must stay byte for byte.
    {"FolderWhereTheTemporaryFileGoes", SetupList("Pivora", "DLL", "pivora.dll"),
     {{"dll.xml", kOddList}, {"dll.xml.new\\", kFolderMark}},
     {{"dll.xml", kOddList}, {"dll.xml.new\\", kFolderMark}}},
};

INSTANTIATE_TEST_SUITE_P(Cases, UnriggerRemoval, testing::ValuesIn(kRemovalCases),
                         [](const testing::TestParamInfo<RemovalCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
