// Start-up checks of unrigger.exe: a missing file ends the program after one
// message, before its window is ever shown. Which file is reported is a
// native row, what counts as a file an in-process one; here the log is
// looked for in the current folder, not in the program's.
#include <gtest/gtest.h>

#include <string>

#include "unrigger_driver.h"

namespace {

TEST(UnriggerStartup, LogOnlyInTheProgramFolderEndsTheProgramWithOneMessage) {
  SimulatorListFolder lists;
  const std::string listBytes = "<Path>pivora\\pivora.dll</Path>\r\n";
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", listBytes));
  UninstallerHold hold;
  ScratchFolder program("program");
  ScratchFolder working("working");
  ASSERT_TRUE(InstallUnrigger(program.path()));
  const std::string setup = SetupList("Pivora", "DLL", "pivora.dll");
  ASSERT_TRUE(WriteBytes(program / "setup.lst", setup));
  ASSERT_TRUE(WriteBytes(working / "setup.lst", setup));
  ASSERT_TRUE(WriteBytes(program / "ST6UNST.LOG", "log"));
  const FolderFiles before = ReadFolderFiles(working.path());

  UnriggerRun run(program.path(), working.path());
  HWND box = run.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  HWND main = run.WaitForWindow("main", false, 0);
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
  MessageBoxSeen seen = AnswerMessageBox(box);
  EXPECT_EQ(seen.caption, "Application removal");
  EXPECT_EQ(seen.text, "ST6UNST.LOG not found or removed, cannot continue");
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_FALSE(seen.hasIcon);

  // One message only: after it the program ends.
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(ReadFolderFiles(working.path()), before) << "uninstaller started or files touched";
  EXPECT_EQ(ReadFolderFiles(lists.path()), (FolderFiles{{"dll.xml", listBytes}}));
}

}  // namespace
