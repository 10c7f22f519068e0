// Window `main`, built in code rather than from a dialog template because
// its layout is fixed in twips, not in dialog units of some font.
#include "remover/main_window_win.h"

#include "remover/main_window.h"
#include "remover/removal_names.h"
#include "remover/resource.h"
#include "remover/window_layout.h"

namespace {

constexpr DWORD kMainWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kMainWindowExStyle = 0;

struct MainWindow {
  HWND window;
  HWND label1;
  HWND command1;
  HWND command2;
  HWND focusedControl;  // restored when the window is activated again
  HFONT labelFont;
  HFONT normalFont;
  std::string setupListPath;
  ConfirmHandler onConfirm;
};

MainWindow gMainWindow;

HFONT MakeFont(int centipoints, int weight, int dotsPerInchY) {
  return CreateFontA(FontHeightForPoints(centipoints, dotsPerInchY), 0, 0, 0, weight, FALSE, FALSE,
                     FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_SWISS, kWindowFontFace);
}

HWND MakeControl(const char* className, const char* text, DWORD style, const TwipRect& twips,
                 int id, HFONT font, int dpiX, int dpiY) {
  PixelRect pixels = ToPixels(twips, dpiX, dpiY);
  HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, pixels.left,
                                 pixels.top, pixels.width, pixels.height, gMainWindow.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(gMainWindow.window,
                                                                               GWLP_HINSTANCE)),
                                 nullptr);
  if (control != nullptr && font != nullptr) {
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return control;
}

// Outside a dialog the keyboard handling asks the window for its default
// button; the answer decides which button Enter presses.
LRESULT DefaultButtonId() {
  return MAKELRESULT(EnterButtonId(GetFocus() == gMainWindow.command2), DC_HASDEFID);
}

void OnCommand(WPARAM command) {
  const MainWindowAction action = ActionForCommand(command);
  if (action == MainWindowAction::kRemove && gMainWindow.onConfirm != nullptr) {
    gMainWindow.onConfirm(gMainWindow.setupListPath);
  }
  if (action != MainWindowAction::kNothing) DestroyWindow(gMainWindow.window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case DM_GETDEFID:
      return DefaultButtonId();
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) gMainWindow.focusedControl = focus;
      } else if (gMainWindow.focusedControl != nullptr) {
        SetFocus(gMainWindow.focusedControl);
      }
      return 0;
    case WM_DESTROY:
      if (gMainWindow.labelFont != nullptr) DeleteObject(gMainWindow.labelFont);
      if (gMainWindow.normalFont != nullptr) DeleteObject(gMainWindow.normalFont);
      gMainWindow.labelFont = nullptr;
      gMainWindow.normalFont = nullptr;
      gMainWindow.window = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, const std::string& setupListPath,
                      ConfirmHandler onConfirm) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = MainWindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kMainWindowClass;
  if (RegisterClassA(&windowClass) == 0) return nullptr;

  HDC screen = GetDC(nullptr);
  int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  RECT outer = {0, 0, TwipsToPixels(kClientWidthTwips, dpiX),
                TwipsToPixels(kClientHeightTwips, dpiY)};
  AdjustWindowRectEx(&outer, kMainWindowStyle, FALSE, kMainWindowExStyle);
  int width = outer.right - outer.left;
  int height = outer.bottom - outer.top;
  int left = 0;
  int top = 0;
  CentredOrigin(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), width, height, &left,
                &top);

  gMainWindow = MainWindow{};
  gMainWindow.setupListPath = setupListPath;
  gMainWindow.onConfirm = onConfirm;
  gMainWindow.window = CreateWindowExA(kMainWindowExStyle, kMainWindowClass, kWindowCaption,
                                       kMainWindowStyle, left, top, width, height, nullptr,
                                       nullptr, instance, nullptr);
  if (gMainWindow.window == nullptr) return nullptr;

  gMainWindow.labelFont = MakeFont(kLabelFontCentipoints, kLabelFontWeight, dpiY);
  gMainWindow.normalFont = MakeFont(kNormalFontCentipoints, kNormalFontWeight, dpiY);
  // An add-on title is data, not a mnemonic: an ampersand in it is shown.
  gMainWindow.label1 = MakeControl("STATIC", "Label1", SS_LEFT | SS_NOPREFIX, kLabel1Twips,
                                   IDC_LABEL1, gMainWindow.labelFont, dpiX, dpiY);
  gMainWindow.command1 = MakeControl("BUTTON", "OK", BS_PUSHBUTTON | WS_TABSTOP, kCommand1Twips,
                                     IDC_COMMAND1, gMainWindow.normalFont, dpiX, dpiY);
  gMainWindow.command2 = MakeControl("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP,
                                     kCommand2Twips, IDC_COMMAND2, gMainWindow.normalFont, dpiX,
                                     dpiY);
  gMainWindow.focusedControl = gMainWindow.command1;
  return gMainWindow.window;
}

void SetLabel1Text(const std::string& text) { SetWindowTextA(gMainWindow.label1, text.c_str()); }

int RunMainWindow(int showCommand) {
  ShowWindow(gMainWindow.window, showCommand);
  SetFocus(gMainWindow.command1);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    // Tab between the buttons and Esc for Cancel, as in a dialog.
    if (gMainWindow.window != nullptr && IsDialogMessageA(gMainWindow.window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}

void DiscardMainWindow() {
  if (gMainWindow.window != nullptr) DestroyWindow(gMainWindow.window);
  // The quit message that WM_DESTROY posted is not wanted by anyone.
  MSG message;
  PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}
