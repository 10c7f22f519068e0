// Title writing: the layout the reader's fixed positions expect, values
// clamped to their cells, and the buffer limit.
#include "module/title_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "module/title_layout.h"

namespace {

std::string Format(const int32_t (&axis)[6], int32_t button, bool raw = false) {
  char out[kTitleBufferSize];
  const size_t length = FormatDeviceTitle(axis, button, out, sizeof(out), raw);
  EXPECT_EQ(length, std::strlen(out));
  return std::string(out, length);
}

TEST(TitleFormat, WritesTheReadableLayoutClampingToTheCell) {
  EXPECT_EQ(Format({1234, -567, 0, 12, -34, 5}, 3),
            "tX=   1234 tY=   -567 tZ=      0 rX=     12 rY=    -34 rZ=      5 btn=3");
  EXPECT_EQ(Format({9999999, -999999, 10000000, -1000000, INT32_MAX, INT32_MIN}, INT32_MIN),
            "tX=9999999 tY=-999999 tZ=9999999 rX=-999999 rY=9999999 rZ=-999999 btn=-2147483648");
  EXPECT_EQ(Format({1234, -567, 0, 12, -34, 5}, 3, true),
            "tX=   1234 tY=   -567 tZ=      0 rX=     12 rY=    -34 rZ=      5*btn=3");
}

TEST(TitleFormat, RefusesABufferTooSmall) {
  const int32_t axis[6] = {1, 2, 3, 4, 5, 6};
  const size_t length = 71;  // one button digit
  char out[80];
  struct Case {
    size_t capacity, result;
  } const cases[] = {{length + 1, length}, {length, 0}, {1, 0}};
  for (const Case& c : cases) {
    std::memset(out, '#', sizeof(out));
    EXPECT_EQ(FormatDeviceTitle(axis, 7, out, c.capacity), c.result) << c.capacity;
    EXPECT_EQ(std::strlen(out), c.result);
    EXPECT_EQ(out[c.capacity], '#') << "wrote past the capacity " << c.capacity;
  }
  EXPECT_EQ(FormatDeviceTitle(axis, 7, nullptr, 0), 0u);
}

}  // namespace
