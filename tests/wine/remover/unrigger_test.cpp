// The real unrigger.exe, driven from another process as the user would: what
// only Win32 shows. Which file the start-up checks report, the texts, the
// file steps and their failures and what each command does are native rows;
// what counts as a file, the window's fonts and places and its keys are
// in-process rows.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/remover/simulator_list_folder.h"

namespace {

using namespace std::string_literals;

// Keeps the stand-in uninstaller running until set, so that a test can see
// that unrigger ended without waiting for it.
struct UninstallerHold {
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, "PivoraTestSt6unstRelease");
  ~UninstallerHold() {
    SetEvent(release);
    CloseHandle(release);
  }
};

// The box as "caption|text|visible buttons|icon or not"; then its OK is
// pressed. The box keeps its icon control even when it shows no icon.
std::string AnswerMessageBox(HWND box) {
  // Under emulation the box can still be busy past one read's time limit.
  WaitUntil(20000, [&] { return !WindowText(box).empty(); });
  const std::string caption = WindowText(box);
  std::string text;
  int buttons = 0;
  bool icon = false;
  for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    if (!IsWindowVisible(child)) continue;
    if (lstrcmpiA(name, "Button") == 0) {
      ++buttons;
    } else if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      icon = icon || SendMessageA(child, STM_GETICON, 0, 0) != 0;
    } else if (!WindowText(child).empty()) {
      text = WindowText(child);
    }
  }
  PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
  return caption + "|" + text + "|" + std::to_string(buttons) + (icon ? "|icon" : "|no icon");
}

// Lone LF inside a line, lone CR as a break, high bytes, a NUL and no break
// after the last line: all of it must survive the platform's file steps.
const std::string kOddList =
    "<SimBase.Document Type=\"Launch\">\r"
    "  <Descr>caf\xe9\nlaunch</Descr>\r\n"
    "  <Launch.Addon>\r\n"
    "    <Path>pivora\\pivora.dll</Path>\r\n"
    "  </Launch.Addon>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r"
    "</SimBase.Document>"s;
const std::string kOddListRewritten =
    "<SimBase.Document Type=\"Launch\">\r\n"
    "  <Descr>caf\xe9\r\nlaunch</Descr>\r\n"
    "  <Launch.Addon><Path>x\0y</Path></Launch.Addon>\r\n"
    "</SimBase.Document>\r\n"s;

// First with the log only beside the program: it is looked for in the
// current folder, so one message ends the program before its window shows,
// touching nothing. Then with the log in place: the window, then OK. The
// setup list is read from the program's folder, the uninstaller starts
// minimized in the current folder, and unrigger does not wait for it.
TEST(Unrigger, EndsWithOneMessageWithoutItsLogThenOkEditsTheListAndStartsTheUninstaller) {
  const std::string lists = EmptySimulatorListFolder();
  const FolderFiles listsBefore = {{"dll.xml", kOddList}, {"dll.xml.new", "stale"}};
  for (const auto& [name, bytes] : listsBefore) ASSERT_TRUE(WriteBytes(lists + "\\" + name, bytes));
  UninstallerHold hold;
  ScratchFolder program("program");
  ScratchFolder working("working");
  ASSERT_TRUE(CopyFileA(UNRIGGER_EXE_PATH, (program / "unrigger.exe").c_str(), FALSE));
  ASSERT_TRUE(CopyFileA(ST6UNST_STANDIN_PATH, (program / "st6unst.exe").c_str(), FALSE));
  ASSERT_TRUE(WriteBytes(program / "setup.lst", "[Bootstrap]\r\nTitle=Install\r\n[Setup]\r\nTitle=Pivora\r\nType=DLL\r\n"
                                                "Core=PIVORA\\PIVORA.DLL\r\n[Setup1 Files]\r\nTitle=x\r\n"));
  ASSERT_TRUE(WriteBytes(working / "setup.lst", "[Setup]\r\nTitle=Other\r\nType=DLL\r\nCore=nothing\r\n"));
  ASSERT_TRUE(WriteBytes(program / "ST6UNST.LOG", "log"));
  {
    Program run;
    ASSERT_TRUE(run.Start(program / "unrigger.exe", "", working.path().c_str()));
    HWND box = run.WaitForWindow("#32770");
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(run.WaitForWindow("main", true, 0), nullptr);
    EXPECT_EQ(AnswerMessageBox(box), "Application removal|ST6UNST.LOG not found or removed, cannot continue|1|no icon");
    ASSERT_TRUE(run.WaitForExit());
    EXPECT_EQ(ReadFolderFiles(lists), listsBefore) << "the removal ran";
  }

  ASSERT_TRUE(WriteBytes(working / "ST6UNST.LOG", "log"));
  Program run;
  ASSERT_TRUE(run.Start(program / "unrigger.exe", "", working.path().c_str()));
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "Application removal");
  EXPECT_EQ(WindowText(GetDlgItem(main, 100)), "Pivora and all its components will be removed. Do you wish to continue?");
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(run.ThreadId(), &thread));
  EXPECT_EQ(thread.hwndFocus, GetDlgItem(main, IDOK));
  PostMessageA(main, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(run.WaitForExit()) << "unrigger waited for the uninstaller";
  // The stand-in records how it was started, and "ended" only once released.
  SetEvent(hold.release);
  std::string record;
  WaitUntil(20000, [&] {
    return ReadBytes(working / "st6unst_record.txt", &record) && record.find("ended\n") != std::string::npos;
  });
  EXPECT_EQ(record, "command=st6unst -n \"ST6UNST.LOG\" -f -q\nfolder=" + working.path() + "\nshow=2\nended\n");
  EXPECT_EQ(ReadFolderFiles(lists),
            (FolderFiles{{"dll.xml", kOddListRewritten}, {"dll.xml.before_Pivora_removal", kOddList}}));
}

}  // namespace
