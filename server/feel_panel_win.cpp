// The panel's controls are children of the server window (not a dialog), so
// that the window stays the one "pivoraserver" window the module finds.

#include "server/feel_panel_win.h"

#include <commctrl.h>

#include <cstdio>

#include "server/window_scale_win.h"
#include "setup/configuration_file_win.h"

enum FeelSlider { kRotationCurve, kTranslationCurve, kRotationSmoothing, kTranslationSmoothing, kSliderCount };

constexpr int kRowHeightPx = 30;
constexpr int kLabelWidthPx = 130;
constexpr int kValueWidthPx = 45;
constexpr const char* kSliderNames[kSliderCount] = {"Rotation curve", "Translation curve", "Rotation smoothing",
                                                    "Translation smoothing"};

struct FeelPanel {
  RECT frame;
  HWND slider[kSliderCount];
  HWND value[kSliderCount];
  HWND dominant;
};

static FeelPanel gPanel;

static int32_t* SliderSetting(FeelSettings* feel, int slider) {
  switch (slider) {
    case kRotationCurve: return &feel->curve[kGroupRotation];
    case kTranslationCurve: return &feel->curve[kGroupTranslation];
    case kRotationSmoothing: return &feel->smoothing[kGroupRotation];
    default: return &feel->smoothing[kGroupTranslation];
  }
}

static void ShowValue(int slider, int32_t percent) {
  char text[16];
  std::snprintf(text, sizeof text, percent == 0 && slider >= kRotationSmoothing ? "off" : "%ld %%", long(percent));
  SetWindowTextA(gPanel.value[slider], text);
}

static HWND Child(HWND parent, const char* type, const char* text, DWORD style, int x, int y, int w, int h) {
  HWND control = CreateWindowExA(0, type, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  if (control != nullptr) SendMessageA(control, WM_SETFONT, WPARAM(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  return control;
}

bool CreateFeelPanel(HWND window, int left, int top, int width, const FeelSettings& feel) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES};
  InitCommonControlsEx(&classes);
  gPanel.frame = {left, top, left + width, top + Px(kFeelPanelHeightPx)};
  bool ok = true;
  const int sliderLeft = left + Px(10) + Px(kLabelWidthPx);
  const int sliderWidth = width - Px(20) - Px(kLabelWidthPx) - Px(kValueWidthPx);
  for (int s = 0; s < kSliderCount; ++s) {
    const int y = top + Px(20) + s * Px(kRowHeightPx);
    ok &= Child(window, "STATIC", kSliderNames[s], SS_LEFT, left + Px(10), y + Px(4), Px(kLabelWidthPx), Px(16)) !=
          nullptr;
    gPanel.slider[s] = Child(window, TRACKBAR_CLASSA, "", TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP, sliderLeft, y,
                             sliderWidth, Px(26));
    gPanel.value[s] = Child(window, "STATIC", "", SS_LEFT, sliderLeft + sliderWidth + Px(5), y + Px(4),
                            Px(kValueWidthPx), Px(16));
    ok &= gPanel.slider[s] != nullptr && gPanel.value[s] != nullptr;
    SendMessageA(gPanel.slider[s], TBM_SETRANGE, FALSE, MAKELPARAM(0, 100));
    SendMessageA(gPanel.slider[s], TBM_SETTICFREQ, 10, 0);
    SendMessageA(gPanel.slider[s], TBM_SETPAGESIZE, 0, 10);
  }
  gPanel.dominant = Child(window, "BUTTON", "Dominant axis only (the others read 0)", BS_AUTOCHECKBOX | WS_TABSTOP,
                          left + Px(10), top + Px(20) + kSliderCount * Px(kRowHeightPx) + Px(4), width - Px(20),
                          Px(20));
  ok &= gPanel.dominant != nullptr;
  ShowFeelSettings(feel);
  return ok;
}

// A group box control would stay see-through in a window that clips its
// children (which the flicker-free paint needs), so the frame is drawn.
void PaintFeelPanelFrame(HDC dc) {
  RECT edge = gPanel.frame;
  edge.top += Px(7);
  DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  TextOutA(dc, gPanel.frame.left + Px(8), gPanel.frame.top, " Feel ", 6);
  SetBkMode(dc, TRANSPARENT);
}

void ShowFeelSettings(const FeelSettings& feel) {
  FeelSettings shown = feel;
  for (int s = 0; s < kSliderCount; ++s) {
    const int32_t percent = *SliderSetting(&shown, s);
    // Only a change moves the thumb, so a reload does not fight a drag.
    if (SendMessageA(gPanel.slider[s], TBM_GETPOS, 0, 0) != percent)
      SendMessageA(gPanel.slider[s], TBM_SETPOS, TRUE, percent);
    ShowValue(s, percent);
  }
  SendMessageA(gPanel.dominant, BM_SETCHECK, feel.dominantAxis ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool OnFeelPanelInput(HWND control, UINT message, WPARAM wParam, const char* serverFilePath, FeelSettings* feel) {
  bool letGo = false;
  if (message == WM_COMMAND && control == gPanel.dominant && HIWORD(wParam) == BN_CLICKED) {
    feel->dominantAxis = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    letGo = true;
  } else if (message == WM_HSCROLL) {
    int s = 0;
    while (s < kSliderCount && gPanel.slider[s] != control) ++s;
    if (s == kSliderCount) return false;
    const int32_t percent = int32_t(SendMessageA(control, TBM_GETPOS, 0, 0));
    *SliderSetting(feel, s) = percent;
    ShowValue(s, percent);
    // A drag applies as it goes and is saved when it ends; keys, clicks and
    // the wheel are saved at once (a save that changes nothing writes nothing).
    letGo = LOWORD(wParam) != TB_THUMBTRACK;
  } else {
    return false;
  }
  if (letGo) UpdateConfigFile(serverFilePath, FeelSettingsWrites(*feel));
  return true;
}
