// How large a dialog's background picture is drawn so that it stays under
// the controls it was drawn for. The simulator is not DPI-aware, so at 120
// or 144 DPI the system lays a dialog out in a larger font: every control
// moves and grows by the ratio of the dialog's base units to those of the
// layout the picture was drawn for. The picture has to follow by that same
// ratio, separately across and down, as the font's width and height need
// not grow alike.
#pragma once

// Pixels per 4 horizontal and per 8 vertical dialog units of one dialog.
struct DialogBaseUnits {
  int x;
  int y;
};

struct PictureSize {
  int width;
  int height;
};

// "MS Sans Serif" 8 at 96 DPI: the layout both background pictures were
// drawn for.
constexpr DialogBaseUnits kPictureBaseUnits = {6, 13};

// The size to draw `picture` at under a dialog whose base units are
// `dialog`, rounded to the nearest pixel. Base units that are not positive
// (a failed measurement) leave the picture unscaled.
PictureSize ScaledPictureSize(PictureSize picture, DialogBaseUnits drawnFor, DialogBaseUnits dialog);
