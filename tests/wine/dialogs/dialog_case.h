// A test case that opens a setup dialog of the real pivora.dll through the
// simulator's menu and drives it from a second thread as a user would: text
// typed into edit boxes, check boxes and buttons clicked, list entries
// selected. The main thread stays inside the dialog's modal loop meanwhile.
// The configuration folder is set aside for the length of the case.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "module/title_format.h"
#include "tests/wine/common/wine_helpers.h"
#include "tests/wine/spine/spine_fixture.h"

constexpr char kAircraft[] = "Test Plane";
constexpr unsigned kCalibrationItem = 2;
constexpr unsigned kSettingsItem = 3;
constexpr unsigned kButtonsItem = 4;
constexpr unsigned kEyePointItem = 5;

// Called from the driving thread: each is a SendMessage that the dialog's
// thread handles in its modal loop.
inline std::string Text(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
inline void Type(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
// A click returns once the command has been handled, including any message
// box it showed (the harness's watchdog answers those).
inline void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
inline bool Ticked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
inline void Select(HWND dialog, int id, int index) { SendDlgItemMessageA(dialog, id, LB_SETCURSEL, index, 0); }
inline std::vector<std::string> ListTexts(HWND dialog, int id) {
  std::vector<std::string> texts;
  const LRESULT count = SendDlgItemMessageA(dialog, id, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[512] = "";
    SendDlgItemMessageA(dialog, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    texts.push_back(text);
  }
  return texts;
}
inline std::string IniValue(const std::string& path, const char* section, const char* key) {
  char value[256] = "";
  GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, path.c_str());
  return value;
}

class DialogCase : public SimulatorCase {
 protected:
  std::string SettingsFile() const { return appData_.File("pivora.ini"); }
  std::string MarkerFile() const { return appData_.File("somethingchanged.ini"); }
  std::string SettingsValue(const char* section, const char* key) const {
    return IniValue(SettingsFile(), section, key);
  }
  // Writes into pivora.ini before the module starts (or between dialogs).
  void WriteSetting(const char* section, const char* key, const char* value) {
    CreateDirectoryA(appData_.Path().c_str(), nullptr);
    WritePrivateProfileStringA(section, key, value, SettingsFile().c_str());
  }
  // Starts the module with a server window and the aircraft kAircraft, and
  // pumps until the aircraft's configuration has been loaded.
  void Start() {
    SetUpHost();
    DOUBLE(Double_AnswerAircraft)(kAircraft, 0.0);
    ASSERT_EQ(0, SimHostStart(&host));
    ASSERT_TRUE(SimHostPumpUntil(10000, [] { return CountCalls("CallDispatch") >= 3; }));
  }

  // One device reading, through the server window's title.
  void SetDevice(const int32_t axis[6], int32_t button, bool raw = false) {
    char title[128];
    FormatDeviceTitle(axis, button, title, sizeof title, raw);
    SetWindowTextA(host.serverWindow, title);
  }

  // Opens the dialog of menu item `item` and runs `drive` on a second thread
  // with the dialog's window. Returns once the dialog has closed. Succeeds
  // when the dialog showed, the tick ran inside its modal loop (the view
  // follows the controller while a dialog is open), and `drive` closed it
  // itself; a dialog left open is closed for it, so the case cannot hang.
  // The deadlines are generous: emulated Wine on a loaded machine is slow.
  ::testing::AssertionResult RunDialog(unsigned item, const char* caption, const std::function<void(HWND)>& drive) {
    Driver driver{caption, &drive, false, false, false};
    const size_t closedBefore = CountCalls(kDialogModeOff);
    DOUBLE(Double_QueueEvent)(0, item, 0);
    HANDLE thread = CreateThread(nullptr, 0, DriverThread, &driver, 0, nullptr);
    const bool closed =
        SimHostPumpUntil(45000, [closedBefore] { return CountCalls(kDialogModeOff) > closedBefore; });
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
    if (!driver.found) return ::testing::AssertionFailure() << "no dialog \"" << caption << "\" showed";
    if (!driver.ticked) return ::testing::AssertionFailure() << "no tick ran inside the dialog's modal loop";
    if (driver.leftOpen) return ::testing::AssertionFailure() << "the case left the dialog open";
    if (!closed) return ::testing::AssertionFailure() << "dialog mode was not switched off";
    return ::testing::AssertionSuccess();
  }

  static std::vector<std::string> MessageTexts() {
    std::vector<std::string> texts;
    for (const MessageBoxSeen& box : MessageBoxesSeen()) texts.push_back(box.text);
    return texts;
  }

  static constexpr const char* kDialogModeOff = "SetSystemState(H, \"DialogMode\", 0, 0, NULL)";

 private:
  struct Driver {
    const char* caption;
    const std::function<void(HWND)>* drive;
    bool found;
    bool ticked;
    bool leftOpen;
  };
  static DWORD WINAPI DriverThread(LPVOID parameter) {
    Driver* driver = static_cast<Driver*>(parameter);
    HWND dialog = nullptr;
    driver->found = WaitUntil(20000, [&] { return (dialog = FindOwnDialog(driver->caption)) != nullptr; });
    if (!driver->found) return 0;
    const size_t ticks = CountCalls("CallDispatch");
    driver->ticked = WaitUntil(10000, [ticks] { return CountCalls("CallDispatch") > ticks; });
    (*driver->drive)(dialog);
    if (WaitUntil(10000, [&] { return !IsWindow(dialog); })) return 0;
    driver->leftOpen = true;
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    return 0;
  }

  AppDataFolder appData_;
};
