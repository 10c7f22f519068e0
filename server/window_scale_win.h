// The server's window is laid out in pixels at 96 DPI and scaled to the
// system's DPI, as its manifest declares: at 120 or 144 DPI the system font
// grows, and a layout left at 96 DPI would cut its texts off.
#pragma once
#include <windows.h>

inline int gWindowDpi = 96;

// Once, before the window is made.
inline void ReadWindowDpi() {
  HDC screen = GetDC(nullptr);
  if (screen == nullptr) return;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  if (dpi > 0) gWindowDpi = dpi;
  ReleaseDC(nullptr, screen);
}

// A length of the 96 DPI layout at the system's DPI.
inline int Px(int at96Dpi) { return MulDiv(at96Dpi, gWindowDpi, 96); }
