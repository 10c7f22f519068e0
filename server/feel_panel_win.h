// The "Feel" panel of the server window: a trackbar each for the two
// response curves and the two smoothings, and a box for the dominant axis.
// A change applies at once and is saved in pivorasrv.ini when the pilot
// lets go of the control.
#pragma once
#include <windows.h>

#include "server/server_config.h"

// Height of the panel, in pixels.
constexpr int kFeelPanelHeightPx = 180;

// Creates the panel's controls in `window` at `left`, `top`, `width` wide,
// showing `feel`. False when a control could not be made.
bool CreateFeelPanel(HWND window, int left, int top, int width, const FeelSettings& feel);

// Draws the panel's frame and title into the window's paint.
void PaintFeelPanelFrame(HDC dc);

// Shows `feel` (read again from the file).
void ShowFeelSettings(const FeelSettings& feel);

// WM_HSCROLL or WM_COMMAND from `control`: takes the panel's values into
// `feel` and, once the pilot has let go, saves them to `serverFilePath` the
// crash-safe way. False when the message is not the panel's.
bool OnFeelPanelInput(HWND control, UINT message, WPARAM wParam, const char* serverFilePath, FeelSettings* feel);
