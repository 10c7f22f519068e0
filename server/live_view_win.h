// The server window's live view: for each of the six axes a bar with the
// raw reading, the null zone around the centre and the value sent.
#pragma once
#include <windows.h>

#include "server/axis_processing.h"

// Height of the six bars and their legend, in pixels.
constexpr int kLiveViewHeightPx = 150;

// Draws the view into `area` of `dc`.
void PaintLiveView(HDC dc, const RECT& area, const RawReading& raw, const PublishedFrame& sent,
                   const ServerConfig& config);

// Whether painting would show anything: a hidden or minimised window is not
// painted at all, so that the server costs nothing there beyond its reading.
bool LiveViewShowing(HWND window);
