// Win32 side of the dialog background: measures the dialog's base units and
// copies or stretches the picture.
#include "setup/dialog_background_win.h"

#include "setup/dialog_background.h"

namespace {

// MapDialogRect turns 4 × 8 dialog units into exactly the base units the
// system laid this dialog out with, whatever its font and the display scale.
DialogBaseUnits MeasureBaseUnits(HWND dialog) {
  RECT rect = {0, 0, 4, 8};
  if (!MapDialogRect(dialog, &rect)) return DialogBaseUnits{0, 0};
  return DialogBaseUnits{rect.right, rect.bottom};
}

void DrawPicture(HDC dc, HDC picture, PictureSize drawn, PictureSize shown) {
  if (shown.width == drawn.width && shown.height == drawn.height) {
    BitBlt(dc, 0, 0, drawn.width, drawn.height, picture, 0, 0, SRCCOPY);
    return;
  }
  // HALFTONE averages the source pixels under each target pixel, where the
  // default mode would drop or double whole rows of the thin lines; it needs
  // the brush origin set again after the mode changes.
  const int previousMode = SetStretchBltMode(dc, HALFTONE);
  POINT previousOrigin;
  SetBrushOrgEx(dc, 0, 0, &previousOrigin);
  StretchBlt(dc, 0, 0, shown.width, shown.height, picture, 0, 0, drawn.width, drawn.height, SRCCOPY);
  SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
  if (previousMode != 0) SetStretchBltMode(dc, previousMode);
}

}  // namespace

void PaintBackgroundPicture(HWND dialog, HINSTANCE module, int bitmapId, int width, int height) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog, &paint);
  HBITMAP bitmap = LoadBitmapA(module, MAKEINTRESOURCEA(bitmapId));
  if (dc != nullptr && bitmap != nullptr) {
    HDC memory = CreateCompatibleDC(dc);
    if (memory != nullptr) {
      HGDIOBJ previous = SelectObject(memory, bitmap);
      const PictureSize drawn = {width, height};
      DrawPicture(dc, memory, drawn, ScaledPictureSize(drawn, kPictureBaseUnits, MeasureBaseUnits(dialog)));
      SelectObject(memory, previous);
      DeleteDC(memory);
    }
  }
  if (bitmap != nullptr) DeleteObject(bitmap);
  EndPaint(dialog, &paint);
}
