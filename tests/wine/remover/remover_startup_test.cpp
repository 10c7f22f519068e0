// Start-up checks of unrigger.exe: a missing setup list or log ends the
// program after one message, before its window is ever shown. Which file is
// reported is a native row; here what only Win32 shows: the current folder
// against the program's, hidden and system files or a folder not counting.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "unrigger_driver.h"

namespace {

constexpr const char* kCaption = "Application removal";
constexpr const char* kSetupMissing = "setup.lst not found or removed, cannot continue";
constexpr const char* kLogMissing = "ST6UNST.LOG not found or removed, cannot continue";

// Files that are there but don't count as files.
enum class Quirk { kNone, kSetupListHidden, kSetupListSystem, kLogIsAFolder };

struct StartupCase {
  const char* name;
  bool separateWorkingFolder;
  bool setupInProgramFolder;
  bool setupInWorkingFolder;
  bool logInWorkingFolder;
  bool logInProgramFolder;
  const char* message;
  Quirk quirk = Quirk::kNone;
};

void PrintTo(const StartupCase& c, std::ostream* out) { *out << c.name; }

class UnriggerStartup : public testing::TestWithParam<StartupCase> {};

TEST_P(UnriggerStartup, MissingFileEndsTheProgramWithOneMessage) {
  const StartupCase& c = GetParam();
  SimulatorListFolder lists;
  const std::string listBytes = "<Path>pivora\\pivora.dll</Path>\r\n";
  ASSERT_TRUE(WriteBytes(lists / "dll.xml", listBytes));
  UninstallerHold hold;
  ScratchFolder program("program");
  ScratchFolder separate("working");
  const ScratchFolder& working = c.separateWorkingFolder ? separate : program;
  ASSERT_TRUE(InstallUnrigger(program.path()));
  const std::string setup = SetupList("Pivora", "DLL", "pivora.dll");
  if (c.setupInProgramFolder) {
    ASSERT_TRUE(WriteBytes(program / "setup.lst", setup));
  }
  if (c.setupInWorkingFolder) {
    ASSERT_TRUE(WriteBytes(working / "setup.lst", setup));
  }
  if (c.logInWorkingFolder) {
    ASSERT_TRUE(WriteBytes(working / "ST6UNST.LOG", "log"));
  }
  if (c.logInProgramFolder) {
    ASSERT_TRUE(WriteBytes(program / "ST6UNST.LOG", "log"));
  }
  switch (c.quirk) {
    case Quirk::kNone:
      break;
    case Quirk::kSetupListHidden:
      SetFileAttributesA((program / "setup.lst").c_str(), FILE_ATTRIBUTE_HIDDEN);
      break;
    case Quirk::kSetupListSystem:
      SetFileAttributesA((working / "setup.lst").c_str(), FILE_ATTRIBUTE_SYSTEM);
      break;
    case Quirk::kLogIsAFolder:
      ASSERT_TRUE(CreateDirectoryA((working / "ST6UNST.LOG").c_str(), nullptr));
      break;
  }
  const FolderFiles before = ReadFolderFiles(working.path());

  UnriggerRun run(program.path(), working.path());
  ASSERT_TRUE(run.started());
  HWND box = run.WaitForWindow("#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  HWND main = run.WaitForWindow("main", false, 0);
  EXPECT_TRUE(main == nullptr || !IsWindowVisible(main));
  MessageBoxSeen seen = AnswerMessageBox(box);
  EXPECT_EQ(seen.caption, kCaption);
  EXPECT_EQ(seen.text, c.message);
  EXPECT_EQ(seen.buttons, 1);
  EXPECT_FALSE(seen.hasIcon);

  // One message only: after it the program ends.
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_EQ(ReadFolderFiles(working.path()), before) << "uninstaller started or files touched";
  EXPECT_EQ(ReadFolderFiles(lists.path()), (FolderFiles{{"dll.xml", listBytes}}));
}

const StartupCase kStartupCases[] = {
    {"SetupListOnlyInProgramFolder", true, true, false, true, false, kSetupMissing},
    {"LogOnlyInProgramFolder", true, true, true, false, true, kLogMissing},
    {"SetupListHidden", false, true, true, true, false, kSetupMissing, Quirk::kSetupListHidden},
    {"SetupListSystemFile", true, true, true, true, false, kSetupMissing, Quirk::kSetupListSystem},
    {"LogIsAFolder", false, true, true, false, false, kLogMissing, Quirk::kLogIsAFolder},
};
INSTANTIATE_TEST_SUITE_P(Cases, UnriggerStartup, testing::ValuesIn(kStartupCases),
                         [](const testing::TestParamInfo<StartupCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
