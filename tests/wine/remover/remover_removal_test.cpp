// OK in unrigger.exe's window: the add-on list under the application data
// folder afterwards, byte for byte, and how the uninstaller was started. The
// file steps and their failures are native rows; here the real files, the
// program's own folder against the current one, and the message box.
#include <gtest/gtest.h>

#include <string>

#include "unrigger_driver.h"

namespace {

using namespace std::string_literals;

constexpr const char* kUninstallerCommand = "st6unst -n \"ST6UNST.LOG\" -f -q";
constexpr int kShowMinimized = 2;

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

struct RemovalCase {
  const char* name;
  std::string setupList;
  FolderFiles listsBefore;
  FolderFiles listsAfter;
  const char* message;  // a box the removal shows, in part
};

TEST(UnriggerRemoval, OkEditsTheListAndStartsTheUninstaller) {
  const RemovalCase cases[] = {
      {"entry removed, backup made, stale temporary gone", SetupList("Pivora", "DLL", "PIVORA\\PIVORA.DLL"),
       {{"dll.xml", kOddList}, {"dll.xml.new", "stale"}},
       {{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}}, nullptr},
      {"Core outside every entry: list left, user told", SetupList("Pivora", "DLL", "other.dll"),
       {{"dll.xml", kNoEntry}, {"dll.xml.new", "stale"}}, {{"dll.xml", kNoEntry}},
       "could not be found in a form that is safe to remove"},
  };
  for (const RemovalCase& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatorListFolder lists;
    for (const auto& [name, bytes] : c.listsBefore) ASSERT_TRUE(WriteBytes(lists / name, bytes));
    UninstallerHold hold;
    ScratchFolder program("program");
    ScratchFolder working("working");
    ASSERT_TRUE(InstallUnrigger(program.path()));
    ASSERT_TRUE(WriteBytes(program / "setup.lst", c.setupList));
    // Only the program folder's copy is read; this one names no entry.
    ASSERT_TRUE(WriteBytes(working / "setup.lst", SetupList("Other", "DLL", "nothing")));
    ASSERT_TRUE(WriteBytes(working / "ST6UNST.LOG", "log"));

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
    EXPECT_EQ(ReadFolderFiles(lists.path()), c.listsAfter);
  }
}

}  // namespace
