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
  enum Input { kOkClicked, kEnterOnOk, kEnterAfterTab, kEscape, kCancelClicked, kClosed, kOtherCommand };
  struct Case {
    const char* name;
    Input input;
    bool confirmed;
  } cases[] = {
      {"OK clicked", kOkClicked, true},         {"Enter on OK", kEnterOnOk, true},
      {"Enter after Tab", kEnterAfterTab, false}, {"Esc", kEscape, false},
      {"Cancel clicked", kCancelClicked, false},  {"closed from the system menu", kClosed, false},
      {"command id 1 with a code", kOtherCommand, false},
  };
  for (const Case& c : cases) {
    gConfirmedWith.clear();
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr), "C:\\x\\setup.lst", RecordConfirm);
    ASSERT_NE(main, nullptr) << c.name;
    HWND ok = GetDlgItem(main, IDC_COMMAND1);
    HWND cancel = GetDlgItem(main, IDC_COMMAND2);
    switch (c.input) {
      case kOkClicked:
        PostMessageA(ok, BM_CLICK, 0, 0);
        break;
      case kEnterOnOk:
        PostMessageA(ok, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        break;
      case kEnterAfterTab:
        PostMessageA(ok, WM_KEYDOWN, VK_TAB, 0x000F0001);
        PostMessageA(cancel, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        break;
      case kEscape:
        PostMessageA(ok, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
        break;
      case kCancelClicked:
        PostMessageA(cancel, BM_CLICK, 0, 0);
        break;
      case kClosed:
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
      case kOtherCommand:
        // A notification other than a click from OK is not a press of OK.
        PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_COMMAND1, BN_SETFOCUS),
                     reinterpret_cast<LPARAM>(ok));
        PostMessageA(main, WM_CLOSE, 0, 0);
        break;
    }
    RunMainWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindow(main)) << c.name;
    if (c.confirmed) {
      EXPECT_EQ(gConfirmedWith, std::vector<std::string>{"C:\\x\\setup.lst"}) << c.name;
    } else {
      EXPECT_TRUE(gConfirmedWith.empty()) << c.name;
    }
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
