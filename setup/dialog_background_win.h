// The Win32 painting of a setup dialog's background picture.
#pragma once
#include <windows.h>

// Handles WM_PAINT: draws bitmap `bitmapId` of `module`, `width` × `height`
// pixels as drawn, at the client origin, scaled with the dialog's layout
// (ScaledPictureSize of the dialog's base units). At the base units the
// picture was drawn for it is copied unscaled, pixel for pixel. Loaded and
// released on every paint, so nothing outlives the dialog.
void PaintBackgroundPicture(HWND dialog, HINSTANCE module, int bitmapId, int width, int height);
