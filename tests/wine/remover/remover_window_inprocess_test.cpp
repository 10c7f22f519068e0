// The window `main` built in the test's own process, where its fonts can be
// read back and the OK handler replaced by a recorder; and what counts as a
// file for the start-up checks.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "remover/file_ops_win.h"
#include "remover/main_window_win.h"
#include "remover/resource.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

std::vector<std::string> gConfirmedWith;

void RecordConfirm(const std::string& setupListPath) { gConfirmedWith.push_back(setupListPath); }

TEST(UnriggerWindowInProcess, FontsAreTheDesignedOnes) {
  HWND main = CreateMainWindow(GetModuleHandleA(nullptr), "C:\\x\\setup.lst", RecordConfirm);
  ASSERT_NE(main, nullptr);
  struct FontCase {
    int id;
    LONG height;
    LONG weight;
  } cases[] = {{IDC_LABEL1, -11, FW_BOLD}, {IDC_COMMAND1, -11, FW_NORMAL},
               {IDC_COMMAND2, -11, FW_NORMAL}};
  for (const FontCase& c : cases) {
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageA(main, c.id, WM_GETFONT, 0, 0));
    LOGFONTA logFont = {};
    ASSERT_EQ(GetObjectA(font, sizeof logFont, &logFont), static_cast<int>(sizeof logFont));
    EXPECT_STREQ(logFont.lfFaceName, "MS Sans Serif") << c.id;
    EXPECT_EQ(logFont.lfHeight, c.height) << c.id;
    EXPECT_EQ(logFont.lfWeight, c.weight) << c.id;
  }
  // Label1 wraps at word boundaries: plain left-aligned static text.
  LONG labelStyle = GetWindowLongA(GetDlgItem(main, IDC_LABEL1), GWL_STYLE);
  EXPECT_EQ(labelStyle & SS_TYPEMASK, SS_LEFT);
  DiscardMainWindow();
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
}

// Keys and commands reach the handler only for OK, and it gets the setup
// list path the window was made with.
TEST(UnriggerWindowInProcess, OnlyOkRunsTheRemoval) {
  // Messages posted in order; `to` is a control id, or 0 for the window.
  struct Post {
    int to;
    UINT message;
    WPARAM wParam;
  };
  const Post kTab = {IDC_COMMAND1, WM_KEYDOWN, VK_TAB}, kClose = {0, WM_CLOSE, 0};
  const struct {
    const char* name;
    std::vector<Post> posts;
    bool confirmed;
  } cases[] = {
      {"OK clicked", {{IDC_COMMAND1, BM_CLICK, 0}}, true},
      {"Enter on OK", {{IDC_COMMAND1, WM_KEYDOWN, VK_RETURN}}, true},
      {"Enter after Tab", {kTab, {IDC_COMMAND2, WM_KEYDOWN, VK_RETURN}}, false},
      {"Esc", {{IDC_COMMAND1, WM_KEYDOWN, VK_ESCAPE}}, false},
      {"Cancel clicked", {{IDC_COMMAND2, BM_CLICK, 0}}, false},
      {"closed from the system menu", {{0, WM_SYSCOMMAND, SC_CLOSE}}, false},
      // A notification other than a click from OK is not a press of OK.
      {"command id 1 with a code", {{0, WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_SETFOCUS)}, kClose}, false},
  };
  for (const auto& c : cases) {
    gConfirmedWith.clear();
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr), "C:\\x\\setup.lst", RecordConfirm);
    ASSERT_NE(main, nullptr) << c.name;
    for (const Post& p : c.posts) PostMessageA(p.to ? GetDlgItem(main, p.to) : main, p.message, p.wParam, 0);
    RunMainWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindow(main)) << c.name;
    EXPECT_EQ(gConfirmedWith, c.confirmed ? std::vector<std::string>{"C:\\x\\setup.lst"} : std::vector<std::string>{})
        << c.name;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
  }
}

// Hidden and system files and folders are there, but are not the files the
// start-up checks look for.
TEST(UnriggerFileExists, OnlyPlainFilesCount) {
  ScratchFolder folder;
  struct Case {
    const char* name;
    DWORD attributes;  // 0: no file at all
    bool exists;
  } cases[] = {
      {"plain", FILE_ATTRIBUTE_NORMAL, true},     {"hidden", FILE_ATTRIBUTE_HIDDEN, false},
      {"system", FILE_ATTRIBUTE_SYSTEM, false},   {"folder", FILE_ATTRIBUTE_DIRECTORY, false},
      {"missing", 0, false},
  };
  for (const Case& c : cases) {
    const std::string path = folder / c.name;
    if (c.attributes == FILE_ATTRIBUTE_DIRECTORY) {
      ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
    } else if (c.attributes != 0) {
      ASSERT_TRUE(WriteBytes(path, "x"));
      ASSERT_TRUE(SetFileAttributesA(path.c_str(), c.attributes));
    }
    EXPECT_EQ(FileExistsAt(path), c.exists) << c.name;
  }
}

}  // namespace
