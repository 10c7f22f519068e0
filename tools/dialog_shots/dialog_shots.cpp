// Opens one setup dialog of the real pivora.dll, through the simulator's menu
// and the dialog's own procedure, for a screenshot: the simulator is played
// by the test harness, the configuration holds representative bindings and
// an aircraft with a long title, and the device server window feeds six-digit
// readings, so that clipped texts show up in the picture.
//
//   dialog_shots.exe <calibration|settings|buttons|keycode|eye_point> <ready file> <milliseconds>
//
// Writes <ready file> once the dialog has been painted and closes the dialog
// when that file is deleted again (the picture is taken) or after
// <milliseconds>. Writes the Wine prefix's pivora configuration: run it only
// in a prefix kept for pictures. Test tool only; never shipped.
#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "module/title_format.h"
#include "testbed/sim_host/sim_host.h"

namespace {

constexpr char kAircraft[] = "Beechcraft Baron 58 Paint1 with a long livery name and more";
constexpr DWORD kPaintSettleMs = 700;  // lets the controls paint after the background

struct Shot {
  const char* name;
  unsigned menuItem;
  const char* caption;
};
const Shot kShots[] = {
    {"calibration", 2, "Device calibration"}, {"settings", 3, "Device settings"},
    {"buttons", 4, "Device buttons setup"},   {"keycode", 4, "Device buttons setup"},
    {"eye_point", 5, "Default eye point"},
};

const Shot* gShot;
const char* gReadyFile;
DWORD gShowMs;
SimHost gHost;

void WriteConfiguration() {
  char appData[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, appData, CSIDL_APPDATA, TRUE);
  const std::string folder = std::string(appData) + "\\pivora";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string ini = folder + "\\pivora.ini";
  DeleteFileA(ini.c_str());
  struct Entry {
    const char* section;
    const char* key;
    const char* value;
  };
  const Entry entries[] = {
      {"Button_2", "assigned", "1"},     {"Button_2", "keypress", "1"},   {"Button_2", "keycode", "123"},
      {"Button_2", "withshift", "1"},    {"Button_2", "withctrl", "1"},   {"Button_2", "withalt", "1"},
      {"Button_10", "assigned", "1"},    {"Button_10", "resetrotation", "1"},
      {"Button_99", "assigned", "1"},    {"Button_99", "resettranslation", "1"},
      {"Button_100", "assigned", "1"},   {"Button_100", "resetall", "1"},
      {kAircraft, "ipitch", "-89"},      {kAircraft, "fpitch", "999000"},  {kAircraft, "ibank", "179"},
      {kAircraft, "fbank", "123456"},    {kAircraft, "iyaw", "-0"},        {kAircraft, "fyaw", "250000"},
      {kAircraft, "ibackforth", "-123"}, {kAircraft, "fbackforth", "456789"},
      {kAircraft, "ileftright", "12"},   {kAircraft, "fleftright", "500000"},
      {kAircraft, "iupdown", "0"},       {kAircraft, "fupdown", "000000"},
  };
  for (const Entry& e : entries) WritePrivateProfileStringA(e.section, e.key, e.value, ini.c_str());
}

void SetReading(int32_t value) {
  const int32_t axis[6] = {value, value, value, value, value, value};
  char title[128];
  FormatDeviceTitle(axis, 0, title, sizeof title);
  SetWindowTextA(gHost.serverWindow, title);
}

HWND WaitForDialog(const char* caption, DWORD maxMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND window = FindWindowA("#32770", caption);
    if (window != nullptr && IsWindowVisible(window)) return window;
    if (GetTickCount() - start > maxMs) return nullptr;
    Sleep(20);
  }
}

// Fills the dialog as a user would have, then signals the picture and waits
// until it has been taken.
DWORD WINAPI Driver(LPVOID) {
  HWND dialog = WaitForDialog(gShot->caption, 20000);
  if (dialog == nullptr) return 1;
  HWND shown = dialog;
  if (std::strcmp(gShot->name, "calibration") == 0) {
    // The widest numbers a device sends: both ends, then a reading between.
    SetReading(-123456);
    Sleep(300);
    SetReading(123456);
    Sleep(300);
    SetReading(-98765);
  } else if (std::strcmp(gShot->name, "buttons") == 0 || std::strcmp(gShot->name, "keycode") == 0) {
    SendDlgItemMessageA(dialog, 1085, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("100"));
    SendDlgItemMessageA(dialog, 1088, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("123"));
    SendDlgItemMessageA(dialog, 1094, LB_SETCURSEL, 0, 0);
    if (std::strcmp(gShot->name, "keycode") == 0) {
      PostMessageA(GetDlgItem(dialog, 1089), BM_CLICK, 0, 0);
      shown = WaitForDialog("Get a keycode", 20000);
      if (shown == nullptr) return 1;
      keybd_event(VK_F12, 0, 0, 0);
      Sleep(200);
      keybd_event(VK_F12, 0, KEYEVENTF_KEYUP, 0);
    }
  }
  Sleep(kPaintSettleMs);
  if (FILE* f = std::fopen(gReadyFile, "w")) std::fclose(f);
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(gReadyFile) != INVALID_FILE_ATTRIBUTES && GetTickCount() - start < gShowMs) Sleep(50);
  if (shown != dialog) SendMessageA(shown, WM_CLOSE, 0, 0);
  PostMessageA(dialog, WM_CLOSE, 0, 0);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: dialog_shots <calibration|settings|buttons|keycode|eye_point> <ready file> <ms>\n");
    return 2;
  }
  for (const Shot& shot : kShots) {
    if (std::strcmp(shot.name, argv[1]) == 0) gShot = &shot;
  }
  if (gShot == nullptr) {
    std::fprintf(stderr, "unknown dialog %s\n", argv[1]);
    return 2;
  }
  gReadyFile = argv[2];
  gShowMs = static_cast<DWORD>(std::atoi(argv[3]));
  WriteConfiguration();

  std::string error;
  if (!SimHostSetUp(&gHost, SimHostOptions(), &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  DOUBLE(Double_AnswerAircraft)(kAircraft, 0.0);
  SetReading(-98765);
  SimHostStart(&gHost);
  SimHostPump(500);  // the aircraft's configuration loads
  DOUBLE(Double_QueueEvent)(0, gShot->menuItem, 0);
  HANDLE driver = CreateThread(nullptr, 0, Driver, nullptr, 0, nullptr);
  SimHostPumpUntil(gShowMs + 30000, [driver] { return WaitForSingleObject(driver, 0) == WAIT_OBJECT_0; });
  SimHostPump(200);
  DWORD result = 1;
  GetExitCodeThread(driver, &result);
  CloseHandle(driver);
  SimHostTearDown(&gHost);
  return static_cast<int>(result);
}
