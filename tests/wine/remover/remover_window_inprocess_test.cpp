// The window `main` built in the test's own process, where its controls can
// be read back and the OK handler replaced by a recorder. What each command
// does is a native row; here only what Win32 itself adds: fonts, places, the
// keyboard.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "remover/main_window_win.h"
#include "remover/resource.h"
#include "tests/wine/common/wine_helpers.h"

namespace {

std::vector<std::string> gConfirmedWith;

void RecordConfirm(const std::string& setupListPath) { gConfirmedWith.push_back(setupListPath); }

// At 96 dpi: texts, places, fonts and tab stops; the client area, centred
// by the outer size.
TEST(UnriggerWindowInProcess, ControlsAreTheDesignedOnes) {
  HWND main = CreateMainWindow(GetModuleHandleA(nullptr), "C:\\x\\setup.lst", RecordConfirm);
  ASSERT_NE(main, nullptr);
  RECT client, outer;
  GetClientRect(main, &client);
  GetWindowRect(main, &outer);
  EXPECT_EQ(std::vector<LONG>({client.right, client.bottom}), std::vector<LONG>({382, 111}));
  EXPECT_EQ(outer.top, GetSystemMetrics(SM_CYSCREEN) / 2 - (outer.bottom - outer.top) / 2);
  EXPECT_EQ(outer.left, GetSystemMetrics(SM_CXSCREEN) / 2 - (outer.right - outer.left) / 2);
  const struct {
    int id;
    const char* text;
    std::vector<LONG> place;  // left, top, width, height
    LONG weight;
    bool tabStop;
  } cases[] = {{IDC_LABEL1, "Label1", {4, 4, 373, 45}, FW_BOLD, false},
               {IDC_COMMAND1, "OK", {72, 68, 105, 29}, FW_NORMAL, true},
               {IDC_COMMAND2, "Cancel", {212, 68, 105, 29}, FW_NORMAL, true}};
  for (const auto& c : cases) {
    HWND control = GetDlgItem(main, c.id);
    EXPECT_EQ(WindowText(control), c.text);
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right - r.left, r.bottom - r.top}), c.place) << c.text;
    LOGFONTA font = {};
    ASSERT_EQ(GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font),
              static_cast<int>(sizeof font));
    EXPECT_STREQ(font.lfFaceName, "MS Sans Serif") << c.text;
    EXPECT_EQ(font.lfHeight, -11) << c.text;
    EXPECT_EQ(font.lfWeight, c.weight) << c.text;
    EXPECT_EQ((GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) != 0, c.tabStop) << c.text;
  }
  // Label1 wraps at word boundaries: plain left-aligned static text.
  EXPECT_EQ(GetWindowLongA(GetDlgItem(main, IDC_LABEL1), GWL_STYLE) & SS_TYPEMASK, SS_LEFT);
  EXPECT_EQ(GetWindow(GetDlgItem(main, IDC_COMMAND1), GW_HWNDNEXT), GetDlgItem(main, IDC_COMMAND2));
  DiscardMainWindow();
  UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
}

// Enter presses the button that has the focus, Esc is Cancel; the handler
// gets the setup list path the window was made with.
TEST(UnriggerWindowInProcess, EnterPressesTheFocusedButtonAndEscCancels) {
  const struct {
    const char* name;
    std::vector<std::pair<int, WPARAM>> keys;  // control id, key, posted in order
    bool confirmed;
  } cases[] = {
      {"Enter on OK", {{IDC_COMMAND1, VK_RETURN}}, true},
      {"Enter after Tab", {{IDC_COMMAND1, VK_TAB}, {IDC_COMMAND2, VK_RETURN}}, false},
      {"Esc", {{IDC_COMMAND1, VK_ESCAPE}}, false},
  };
  for (const auto& c : cases) {
    gConfirmedWith.clear();
    HWND main = CreateMainWindow(GetModuleHandleA(nullptr), "C:\\x\\setup.lst", RecordConfirm);
    ASSERT_NE(main, nullptr) << c.name;
    for (const auto& [id, key] : c.keys) PostMessageA(GetDlgItem(main, id), WM_KEYDOWN, key, 0);
    RunMainWindow(SW_SHOWNORMAL);
    EXPECT_FALSE(IsWindow(main)) << c.name;
    EXPECT_EQ(gConfirmedWith, c.confirmed ? std::vector<std::string>{"C:\\x\\setup.lst"} : std::vector<std::string>{})
        << c.name;
    UnregisterClassA(kMainWindowClass, GetModuleHandleA(nullptr));
  }
}

}  // namespace
