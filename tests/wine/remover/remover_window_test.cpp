// The confirmation window of unrigger.exe: its text, layout and focus, and
// every way of leaving it without removing anything.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "unrigger_driver.h"

namespace {

constexpr const char* kTail = " and all its components will be removed. Do you wish to continue?";

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
};

HWND Control(HWND main, int id) { return GetDlgItem(main, id); }

TEST(UnriggerWindow, ShowsTitleInLabelWithDesignedLayoutAndFocus) {
  Installation install(SetupList("Pivora for FSX", "DLL", "pivora.dll"));
  UnriggerRun run(install.folder.path(), install.folder.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(IsWindowVisible(main));
  EXPECT_EQ(WindowText(main), "Application removal");

  HWND label = Control(main, 100);
  HWND ok = Control(main, IDOK);
  HWND cancel = Control(main, IDCANCEL);
  ASSERT_TRUE(label && ok && cancel);
  EXPECT_EQ(WindowText(label), std::string("Pivora for FSX") + kTail);
  EXPECT_EQ(WindowText(ok), "OK");
  EXPECT_EQ(WindowText(cancel), "Cancel");

  RECT client;
  GetClientRect(main, &client);
  EXPECT_EQ(client.right, 382);
  EXPECT_EQ(client.bottom, 111);
  struct Expected {
    HWND control;
    RECT rect;
  } layout[] = {
      {label, {4, 4, 4 + 373, 4 + 45}},
      {ok, {72, 68, 72 + 105, 68 + 29}},
      {cancel, {212, 68, 212 + 105, 68 + 29}},
  };
  for (const Expected& e : layout) {
    RECT r = ChildRectInParent(e.control);
    EXPECT_EQ(r.left, e.rect.left);
    EXPECT_EQ(r.top, e.rect.top);
    EXPECT_EQ(r.right, e.rect.right);
    EXPECT_EQ(r.bottom, e.rect.bottom);
  }

  RECT outer;
  GetWindowRect(main, &outer);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - height / 2);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - width / 2);

  // Tab order: OK first, then Cancel; the label takes no stop.
  EXPECT_TRUE(GetWindowLongA(ok, GWL_STYLE) & WS_TABSTOP);
  EXPECT_TRUE(GetWindowLongA(cancel, GWL_STYLE) & WS_TABSTOP);
  EXPECT_FALSE(GetWindowLongA(label, GWL_STYLE) & WS_TABSTOP);
  EXPECT_EQ(GetWindow(ok, GW_HWNDNEXT), cancel);

  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  ASSERT_TRUE(GetGUIThreadInfo(run.threadId(), &thread));
  EXPECT_EQ(thread.hwndFocus, ok);

  SendMessageA(cancel, BM_CLICK, 0, 0);
  ASSERT_TRUE(run.WaitForExit());
}

TEST(UnriggerWindow, LabelShowsEmptyAndLongTitlesAsRead) {
  const std::string longTitle(300, 'T');
  struct Case {
    std::string setupList;
    std::string label;
  } cases[] = {
      {SetupList("", "DLL", "pivora"), kTail},
      {SetupList(nullptr, "DLL", "pivora"), kTail},
      {SetupList(longTitle.c_str(), "DLL", "pivora"), std::string(249, 'T') + kTail},
      {SetupList("Fish & Chips", "DLL", "pivora"), std::string("Fish & Chips") + kTail},
  };
  for (const Case& c : cases) {
    Installation install(c.setupList);
    UnriggerRun run(install.folder.path(), install.folder.path());
    HWND main = run.WaitForWindow("main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(WindowText(Control(main, 100)), c.label);
    PostMessageA(main, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run.WaitForExit());
  }
}

// Each way out that isn't OK: nothing under the simulator's folder or in the
// installation changes and the uninstaller never starts.
enum class WayOut { kCancelClicked, kCancelCommand, kClosed, kEscape, kEnterOnCancel };

std::string WayOutName(const testing::TestParamInfo<WayOut>& info);
void PrintTo(WayOut way, std::ostream* out) {
  *out << WayOutName(testing::TestParamInfo<WayOut>(way, 0));
}

class UnriggerLeaving : public testing::TestWithParam<WayOut> {};

TEST_P(UnriggerLeaving, WithoutOkNothingIsTouched) {
  Installation install(SetupList("Pivora", "DLL", "pivora"));
  UnriggerRun run(install.folder.path(), install.folder.path());
  HWND main = run.WaitForWindow("main");
  ASSERT_NE(main, nullptr);
  HWND ok = Control(main, IDOK);
  HWND cancel = Control(main, IDCANCEL);
  switch (GetParam()) {
    case WayOut::kCancelClicked:
      SendMessageA(cancel, BM_CLICK, 0, 0);
      break;
    case WayOut::kCancelCommand:
      PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(cancel));
      break;
    case WayOut::kClosed:
      PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case WayOut::kEscape:
      PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
      break;
    case WayOut::kEnterOnCancel:
      // Tab moves the focus from OK to Cancel; Enter then presses Cancel.
      PostMessageA(ok, WM_KEYDOWN, VK_TAB, 0x000F0001);
      PostMessageA(cancel, WM_KEYDOWN, VK_RETURN, 0x001C0001);
      break;
  }
  ASSERT_TRUE(run.WaitForExit());
  EXPECT_FALSE(UninstallerProcessRunning());
  EXPECT_EQ(ReadFolderFiles(install.lists.path()), install.listsBefore);
  EXPECT_EQ(ReadFolderFiles(install.folder.path()), install.folderBefore);
}

std::string WayOutName(const testing::TestParamInfo<WayOut>& info) {
  static const char* const kNames[] = {"CancelClicked", "CancelCommand", "Closed", "Escape",
                                       "EnterOnCancel"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Ways, UnriggerLeaving,
                         testing::Values(WayOut::kCancelClicked, WayOut::kCancelCommand,
                                         WayOut::kClosed, WayOut::kEscape,
                                         WayOut::kEnterOnCancel),
                         WayOutName);

}  // namespace
