// What the code and the user rely on in the templates and bitmaps compiled
// into pivora.dll: each dialog's caption and size, no close box, every
// control id the dialog code uses with the class it takes it for, the
// default button, the background bitmaps and the version record. Layout
// beyond that is the screenshots' business.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "setup/calibration_tracker.h"
#include "setup/resources/resource.h"
#include "setup/settings_controls.h"

namespace {

struct Control {
  int id;
  const char* className;
};

struct DialogRow {
  int id;
  const char* caption;
  int cx, cy;  // dialog units
  int defaultButton;
  std::vector<Control> controls;
};

INT_PTR CALLBACK Inert(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

std::vector<DialogRow> Dialogs() {
  std::vector<DialogRow> rows = {
      {IDD_CALIBRATION, "Device calibration", 315, 401, IDC_CAL_CANCEL,
       {{IDC_CAL_SAVE, "Button"}, {IDC_CAL_CANCEL, "Button"}}},
      {IDD_SETTINGS, "Device settings", 534, 364, IDC_SET_CANCEL,
       {{IDC_SET_SAVE, "Button"}, {IDC_SET_CANCEL, "Button"}, {IDC_SET_RESET, "Button"}}},
      {IDD_BUTTONS, "Device buttons setup", 333, 233, IDC_BTN_CANCEL,
       {{IDC_BTN_SAVE, "Button"}, {IDC_BTN_CANCEL, "Button"}, {IDC_BTN_NUMBER, "Edit"},
        {IDC_BTN_GET_NUMBER, "Button"}, {IDC_BTN_FUNCTIONS, "ListBox"}, {IDC_BTN_SHIFT, "Button"},
        {IDC_BTN_CTRL, "Button"}, {IDC_BTN_ALT, "Button"}, {IDC_BTN_KEYCODE, "Edit"},
        {IDC_BTN_KEYNAME, "Static"}, {IDC_BTN_GET_KEYCODE, "Button"}, {IDC_BTN_ADD, "Button"},
        {IDC_BTN_DELETE, "Button"}, {IDC_BTN_ASSIGNED, "ListBox"}}},
      {IDD_GET_KEYCODE, "Get a keycode", 186, 83, 0 /* none */,
       {{IDC_KEY_QUIT, "Button"}, {IDC_KEY_LAST, "Static"}}},
      {IDD_EYE_POINT, "Default eye point", 262, 185, IDC_EYE_SAVE,
       {{IDC_EYE_AIRCRAFT, "Static"}, {IDC_EYE_GET_CURRENT, "Button"}, {IDC_EYE_SAVE, "Button"},
        {IDC_EYE_CANCEL, "Button"}}},
  };
  // The labels the calibration poll writes, and the settings dialog's
  // check boxes and edit boxes, as the code's own tables name them.
  CalibrationLabel labels[kCalibrationLabelCount];
  const AxisCalibration ranges[kAxisCount] = {};
  FormatCalibrationLabels(ranges, DeviceFrame{}, labels);
  for (const CalibrationLabel& label : labels) rows[0].controls.push_back({label.controlId, "Static"});
  for (const SettingsControl& c : kSettingsControls) {
    rows[1].controls.push_back({c.controlId, c.kind == kSettingsCheckBox ? "Button" : "Edit"});
  }
  for (int id = IDC_EYE_PITCH_INTEGER; id <= IDC_EYE_UPDOWN_FRACTION; ++id) rows[4].controls.push_back({id, "Edit"});
  return rows;
}

class DialogTemplates : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(module, nullptr) << PIVORA_DLL_PATH; }
  void TearDown() override { FreeLibrary(module); }
  HMODULE module = LoadLibraryA(PIVORA_DLL_PATH);
};

TEST_F(DialogTemplates, CaptionsSizesControlsAndDefaultButtons) {
  for (const DialogRow& row : Dialogs()) {
    SCOPED_TRACE(row.caption);
    HWND dialog = CreateDialogParamA(module, MAKEINTRESOURCEA(row.id), nullptr, Inert, 0);
    ASSERT_NE(dialog, nullptr);
    // The client area is the template's size; every dialog unit is more than a pixel.
    RECT size = {0, 0, row.cx, row.cy}, client = {};
    MapDialogRect(dialog, &size);
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, size.right);
    EXPECT_EQ(client.bottom, size.bottom);
    char text[128] = "";
    GetWindowTextA(dialog, text, sizeof text);
    EXPECT_STREQ(text, row.caption);
    EXPECT_EQ(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU, 0) << "no close box: the buttons end the dialog";
    for (const Control& control : row.controls) {
      HWND child = GetDlgItem(dialog, control.id);
      char className[32] = "";
      if (child != nullptr) GetClassNameA(child, className, sizeof className);
      EXPECT_EQ(lstrcmpiA(className, control.className), 0) << "id " << control.id << " is " << className;
      const bool isDefault = child != nullptr && std::string(className) == "Button" &&
                             (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
      EXPECT_EQ(isDefault, control.id == row.defaultButton) << "default button, id " << control.id;
    }
    DestroyWindow(dialog);
  }
}

TEST_F(DialogTemplates, BackgroundBitmapsAndTheVersionRecord) {
  const struct {
    int id;
    LONG width, height;
  } bitmaps[] = {{IDB_CALIBRATION_BACKGROUND, 468, 464}, {IDB_SETTINGS_BACKGROUND, 800, 490}};
  for (const auto& b : bitmaps) {
    // As a DIB section the bitmap keeps its own depth, not the display's.
    HANDLE bitmap = LoadImageA(module, MAKEINTRESOURCEA(b.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    BITMAP info = {};
    ASSERT_EQ(GetObjectA(bitmap, sizeof info, &info), int(sizeof info)) << b.id;
    EXPECT_EQ(info.bmWidth, b.width) << b.id;
    EXPECT_EQ(info.bmHeight, b.height) << b.id;
    EXPECT_EQ(info.bmBitsPixel, 8) << b.id;
    DeleteObject(bitmap);
  }

  char path[MAX_PATH];
  GetModuleFileNameA(module, path, sizeof path);
  std::vector<BYTE> version(GetFileVersionInfoSizeA(path, nullptr));
  ASSERT_FALSE(version.empty());
  ASSERT_TRUE(GetFileVersionInfoA(path, 0, DWORD(version.size()), version.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileType, DWORD(VFT_DLL));
  struct Translation {
    WORD language, codePage;
  }* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(version.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                             &length));
  char key[64];
  wsprintfA(key, "\\StringFileInfo\\%04x%04x\\OriginalFilename", translation->language, translation->codePage);
  char* name = nullptr;
  ASSERT_TRUE(VerQueryValueA(version.data(), key, reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, "pivora.dll");
}

}  // namespace
