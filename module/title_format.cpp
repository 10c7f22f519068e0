// Builds a device server title. Each field is written at its own position
// rather than with one format string, so the layout constants shared with the
// parser are the only place the positions live.

#include "module/title_format.h"

#include <cstdio>
#include <cstring>

#include "module/title_layout.h"

static const char* const kAxisLabels[kTitleAxisCount] = {"tX=", "tY=", "tZ=", "rX=", "rY=", "rZ="};
static const char kButtonLabel[] = "btn=";

static_assert(sizeof(kButtonLabel) - 1 == kTitleButtonPos - kTitleButtonLabelPos, "button label");

static int32_t ClampAxis(int32_t value) {
  if (value > kTitleAxisMax) return kTitleAxisMax;
  if (value < kTitleAxisMin) return kTitleAxisMin;
  return value;
}

// Writes `value` right-aligned into exactly `width` characters; the caller
// has made sure it fits.
static void WriteRightAligned(char* cell, size_t width, int32_t value) {
  const bool negative = value < 0;
  // Work on the magnitude in 64 bits so that INT32_MIN has one too.
  int64_t magnitude = negative ? -int64_t{value} : int64_t{value};
  size_t i = width;
  do {
    cell[--i] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0 && i > 0);
  if (negative && i > 0) cell[--i] = '-';
  while (i > 0) cell[--i] = ' ';
}

size_t FormatDeviceTitle(const int32_t axis[6], int32_t button, char* out, size_t capacity, bool raw) {
  // 70 fixed characters, at most 11 for the button ("-2147483648"), the NUL.
  char title[kTitleButtonPos + 12];
  for (int a = 0; a < kTitleAxisCount; ++a) {
    const size_t pos = TitleCellPos(a);
    std::memcpy(title + pos - kTitleLabelChars, kAxisLabels[a], kTitleLabelChars);
    WriteRightAligned(title + pos, kTitleCellChars, ClampAxis(axis[a]));
    title[pos + kTitleCellChars] = ' ';
  }
  if (raw) title[kTitleMarkPos] = kTitleRawMark;
  std::memcpy(title + kTitleButtonLabelPos, kButtonLabel, sizeof(kButtonLabel) - 1);
  const int buttonChars = std::snprintf(title + kTitleButtonPos, sizeof(title) - kTitleButtonPos, "%ld",
                                        static_cast<long>(button));
  const size_t length = kTitleButtonPos + static_cast<size_t>(buttonChars);

  if (capacity <= length) {
    if (capacity > 0) out[0] = '\0';
    return 0;
  }
  std::memcpy(out, title, length + 1);
  return length;
}
