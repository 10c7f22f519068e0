// Background picture scale of the setup dialogs.
#include "setup/dialog_background.h"

#include <cstdint>

// `length` × `numerator` / `denominator` for a positive ratio, halves
// rounded up; 64-bit, so no product of two ints can overflow.
static int ScaleLength(int length, int numerator, int denominator) {
  const int64_t product = static_cast<int64_t>(length) * numerator;
  const int64_t scaled = (product + denominator / 2) / denominator;
  if (scaled > INT32_MAX) return INT32_MAX;
  if (scaled < 0) return 0;
  return static_cast<int>(scaled);
}

PictureSize ScaledPictureSize(PictureSize picture, DialogBaseUnits drawnFor, DialogBaseUnits dialog) {
  if (drawnFor.x <= 0 || drawnFor.y <= 0 || dialog.x <= 0 || dialog.y <= 0) return picture;
  return PictureSize{ScaleLength(picture.width, dialog.x, drawnFor.x),
                     ScaleLength(picture.height, dialog.y, drawnFor.y)};
}
