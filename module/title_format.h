// Writes a controller reading as a device server window title, in the layout
// that ParseDeviceTitle reads. Used by device servers (the real one and the
// replaying test server), never by the module itself.
#pragma once
#include <cstddef>
#include <cstdint>

// Largest and smallest values that fit an axis cell's seven characters.
constexpr int32_t kTitleAxisMax = 9999999;
constexpr int32_t kTitleAxisMin = -999999;

// Writes "tX=   1234 tY=   -567 ... rZ=      5 btn=3" into `out`: the three
// free characters before each cell carry the axis name, the value stands
// right-aligned in its cell, a space in each separator except that the last
// one holds kTitleRawMark for a raw reading. Axis values outside the cell's
// range are clamped to it. `axis` is tX, tY, tZ, rX, rY, rZ.
// Returns the title's length, or 0 (and an empty string when capacity > 0)
// if `capacity` cannot hold it and its terminator; kTitleBufferSize always
// can.
size_t FormatDeviceTitle(const int32_t axis[6], int32_t button, char* out, size_t capacity, bool raw = false);
