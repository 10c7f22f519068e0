// Turns the device server's window title into a DeviceFrame.
#pragma once
#include <cstddef>
#include <cstdint>
#include "module/device_frame.h"

// Parses `title` (its first `length` bytes; the title ends early at a NUL) at
// the fixed positions of module/title_layout.h. Each cell is read as atol
// reads a number, an axis cell never past its seventh character. A cell that
// lies wholly or partly past the end of the title reads only what is there,
// so a short or empty title yields zeros rather than an older title's values.
// A button number too large for 32 bits saturates at INT32_MAX or INT32_MIN,
// which the button step ignores like any other number outside 0..100.
// The frame is raw only when the title holds kTitleRawMark at kTitleMarkPos.
// `title` may be null when `length` is 0.
DeviceFrame ParseDeviceTitle(const char* title, size_t length);

// atol's reading of chars [0, length): white space, one optional sign, then
// digits up to the first non-digit; no digits give 0. Saturates instead of
// overflowing.
int32_t ParseTitleNumber(const char* text, size_t length);
