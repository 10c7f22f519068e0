// The default eye point dialog's two texts for one eye-point value: the
// integer part with its sign and the six digits after the point, the form in
// which the settings file keeps each axis of an aircraft's default eye point.
#pragma once
#include "setup/configuration_records.h"

struct EyePointTexts {
  char integerText[kEyePointTextSize];
  char fractionText[kEyePointTextSize];
};

// Splits `value` for the dialog's Get button. The value is rounded to six
// decimals (half away from zero) before it is split, so that a value just
// below a whole number carries into the integer part: 2.9999999 gives "3" and
// "000000", not "2" and a fraction that rounds up to 1. A value between -1
// and 0 keeps its sign as "-0"; one that rounds to zero shows "0".
// Every finite float is written exactly, whatever its size; NaN and the
// infinities, which the eye point never holds, give "0" and "000000".
EyePointTexts SplitEyePointValue(float value);
