// Character positions of the device server's window title. The server writes
// these positions and the module reads them; both sides take them from here.
//
//   0-2 free, 3-9 tX, 10 separator, 11-13 free, 14-20 tY, ... 58-64 rZ,
//   65 separator, 66-69 free, 70 onward the button number.
//
// The separator before the button label carries one mark: kTitleRawMark
// when the values are the controller's raw readings (the server publishes
// them while a calibration runs), a space otherwise. A server that predates
// the mark always writes a space there, so its readings never count as raw.
#pragma once
#include <cstddef>

constexpr int kTitleAxisCount = 6;            // tX, tY, tZ, rX, rY, rZ
constexpr size_t kTitleFirstCellPos = 3;      // tX
constexpr size_t kTitleCellPitchChars = 11;   // 3 free + 7 value + 1 separator
constexpr size_t kTitleCellChars = 7;         // leading spaces and sign included
constexpr size_t kTitleLabelChars = 3;        // free characters before a cell
constexpr size_t kTitleButtonLabelPos = 66;   // four free characters
constexpr size_t kTitleButtonPos = 70;
constexpr size_t kTitleMarkPos = 65;          // the last separator
constexpr char kTitleRawMark = '*';
constexpr size_t kTitleMinChars = 71;         // one button digit
// GetWindowTextA is given a buffer this size, so a title holds at most 199.
constexpr size_t kTitleBufferSize = 200;

constexpr size_t TitleCellPos(int axis) {
  return kTitleFirstCellPos + static_cast<size_t>(axis) * kTitleCellPitchChars;
}

static_assert(TitleCellPos(5) == 58, "rZ cell");
static_assert(TitleCellPos(5) + kTitleCellChars == kTitleMarkPos, "the mark is the last separator");
