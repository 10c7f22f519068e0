// The confirmation window of unrigger.exe: its text, layout and focus, and
// leaving it without removing anything. Which keys and commands run the
// removal is an in-process row.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unrigger_driver.h"

namespace {

constexpr const char* kTail = " and all its components will be removed. Do you wish to continue?";

// Leaving the window any way but OK keeps the list, the stale temporary
// list and the installation as they were, and starts no uninstaller.
struct Installation {
  SimulatorListFolder lists;
  UninstallerHold hold;
  ScratchFolder folder{"install"};
  FolderFiles listsBefore;
  FolderFiles folderBefore;

  explicit Installation(const std::string& setupList) {
    InstallUnrigger(folder.path());
    WriteBytes(folder / "setup.lst", setupList);
    WriteBytes(folder / "ST6UNST.LOG", "log");
    WriteBytes(lists / "dll.xml", "a\r\nb\r\n<Path>pivora\\pivora.dll</Path>\r\nc\r\n");
    WriteBytes(lists / "dll.xml.new", "stale");
    listsBefore = ReadFolderFiles(lists.path());
    folderBefore = ReadFolderFiles(folder.path());
  }
  void ExpectUntouched() const {
    EXPECT_FALSE(UninstallerProcessRunning());
    EXPECT_EQ(ReadFolderFiles(lists.path()), listsBefore);
    EXPECT_EQ(ReadFolderFiles(folder.path()), folderBefore);
  }
};

// A Title longer than the profile read takes is cut to 249 characters.
TEST(UnriggerWindow, ShowsTitleInLabelWithDesignedLayoutAndFocus) {
  Installation install(SetupList(std::string(300, 'T').c_str(), "DLL", "pivora.dll"));
  UnriggerRun run(install.folder.path(), install.folder.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(main), "Application removal");
  HWND label = GetDlgItem(main, 100);
  HWND ok = GetDlgItem(main, IDOK);
  HWND cancel = GetDlgItem(main, IDCANCEL);
  ASSERT_TRUE(label && ok && cancel);
  EXPECT_EQ(WindowText(label), std::string(249, 'T') + kTail);
  EXPECT_EQ(WindowText(ok), "OK");
  EXPECT_EQ(WindowText(cancel), "Cancel");

  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 382);
  EXPECT_EQ(client.bottom, 111);
  struct Expected {
    HWND control;
    LONG left, top, width, height;
  } layout[] = {{label, 4, 4, 373, 45}, {ok, 72, 68, 105, 29}, {cancel, 212, 68, 105, 29}};
  for (const Expected& e : layout) {
    RECT r = ChildRectInParent(e.control);
    EXPECT_EQ((std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
              (std::vector<LONG>{e.left, e.top, e.width, e.height}));
  }
  RECT outer;
  GetWindowRect(main, &outer);
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2);

  // Tab order: OK first, then Cancel; the label takes no stop.
  EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(cancel, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(label, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), cancel);
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(run.ThreadId(), &thread));
  EXPECT_EQ(thread.hwndFocus, ok);

  SendMessageA(cancel, BM_CLICK, 0, 0);
  ASSERT_TRUE(run.WaitForExit());
  install.ExpectUntouched();
}

TEST(UnriggerWindow, WithoutATitleTheLabelStartsWithTheQuestionAndEscLeaves) {
  Installation install(SetupList(nullptr, "DLL", "pivora"));
  UnriggerRun run(install.folder.path(), install.folder.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(WindowText(GetDlgItem(main, 100)), kTail);
  PostMessageA(GetDlgItem(main, IDOK), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  ASSERT_TRUE(run.WaitForExit());
  install.ExpectUntouched();
}

}  // namespace
