// Title writing, checked against the reader: whatever a server writes must
// read back as the values it meant.
#include "module/title_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "module/title_layout.h"
#include "module/title_parse.h"

namespace {

std::string Format(const int32_t (&axis)[6], int32_t button, bool raw = false) {
  char out[kTitleBufferSize];
  const size_t length = FormatDeviceTitle(axis, button, out, sizeof(out), raw);
  EXPECT_EQ(length, std::strlen(out));
  return std::string(out, length);
}

void ExpectReadsBack(const int32_t (&written)[6], int32_t button, const int32_t (&expected)[6]) {
  const std::string title = Format(written, button);
  const DeviceFrame f = ParseDeviceTitle(title.data(), title.size());
  const float got[6] = {f.tX, f.tY, f.tZ, f.rX, f.rY, f.rZ};
  for (int a = 0; a < 6; ++a) {
    EXPECT_EQ(got[a], static_cast<float>(expected[a])) << "axis " << a << " of \"" << title << '"';
  }
  EXPECT_EQ(f.button, button) << title;
}

TEST(TitleFormat, WritesTheReadableLayout) {
  EXPECT_EQ(Format({1234, -567, 0, 12, -34, 5}, 3),
            "tX=   1234 tY=   -567 tZ=      0 rX=     12 rY=    -34 rZ=      5 btn=3");
  EXPECT_EQ(Format({9999999, -999999, 0, 0, 0, 0}, -2147483647 - 1),
            "tX=9999999 tY=-999999 tZ=      0 rX=      0 rY=      0 rZ=      0 btn=-2147483648");
  EXPECT_EQ(Format({1234, -567, 0, 12, -34, 5}, 3, true),
            "tX=   1234 tY=   -567 tZ=      0 rX=     12 rY=    -34 rZ=      5*btn=3");
}

TEST(TitleFormat, ReadsBackThroughTheParserClampingToTheCell) {
  struct Case {
    int32_t axis[6];
    int32_t button;
    int32_t readBack[6];
  } const cases[] = {
      {{1, -1, 32767, -32768, 512, -512}, 100, {1, -1, 32767, -32768, 512, -512}},
      {{10000000, -1000000, INT32_MAX, INT32_MIN, 0, 0}, -1,
       {9999999, -999999, 9999999, -999999, 0, 0}},
      {{0, 0, 0, 0, 0, 0}, INT32_MAX, {0, 0, 0, 0, 0, 0}},
      {{0, 0, 0, 0, 0, 0}, INT32_MIN, {0, 0, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) ExpectReadsBack(c.axis, c.button, c.readBack);
}

TEST(TitleFormat, RefusesABufferTooSmall) {
  const int32_t axis[6] = {1, 2, 3, 4, 5, 6};
  const size_t length = 71;  // one button digit
  char out[80];
  struct Case {
    size_t capacity;
    size_t result;
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
