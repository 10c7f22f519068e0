// Title parsing: the fixed cell positions, atol's reading of each cell, and
// titles that a well-behaved server would never write.
#include "module/title_parse.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>

#include "module/title_layout.h"

namespace {

// Copies the title into a heap block of exactly its length, with no
// terminator, so that a read past `length` is caught by AddressSanitizer.
DeviceFrame Parse(const std::string& title) {
  std::unique_ptr<char[]> exact(new char[title.size() ? title.size() : 1]);
  title.copy(exact.get(), title.size());
  return ParseDeviceTitle(exact.get(), title.size());
}

// Six 7-character cells and a button cell, with `free` repeated into every
// free and separator position.
std::string Title(const std::string (&cells)[6], const std::string& button, char free = ' ') {
  std::string t;
  for (const std::string& cell : cells) {
    EXPECT_EQ(cell.size(), kTitleCellChars) << '"' << cell << '"';
    t += std::string(3, free) + cell + free;
  }
  return t + std::string(4, free) + button;
}

std::string TitleWithCell(int axis, const std::string& cell, char free = ' ') {
  std::string cells[6] = {"      0", "      0", "      0", "      0", "      0", "      0"};
  cells[axis] = cell;
  return Title(cells, "0", free);
}

float Axis(const DeviceFrame& f, int axis) {
  const float values[6] = {f.tX, f.tY, f.tZ, f.rX, f.rY, f.rZ};
  return values[axis];
}

void ExpectFrame(const DeviceFrame& f, const float (&axes)[6], int32_t button) {
  for (int a = 0; a < 6; ++a) EXPECT_EQ(Axis(f, a), axes[a]) << "axis " << a;
  EXPECT_EQ(f.button, button);
}

// A title as a server without the raw mark writes it.
const std::string kTitle = "tX=   1234 tY=   -567 tZ=     77 rX=     12 rY=    -34 rZ=      5 btn=42";

TEST(TitleParse, ReadsAnAxisCellAsAtolWithinSevenCharacters) {
  struct Case {
    const char* cell;  // seven characters
    float value;
  } const cases[] = {
      {"+000042", 42},       {"12abcde", 12},       {"       ", 0},
      {"1234567", 1234567},  {"9999999", 9999999},  {"-999999", -999999},
      {"-000000", 0},        {"12-34  ", 12},       {" 5 6   ", 5},
      {"  +  12", 0},        {"+-12   ", 0},        {"--5    ", 0},
      {"-+5    ", 0},        {"+      ", 0},        {"-      ", 0},
      {"abc    ", 0},        {"\t\n\v\f\r 7", 7},   {"  \t -88", -88},
      {"\xff\x80" "12   ", 0},  // bytes above 127 are neither space nor digit
      {"  1.5  ", 1},        {"0x1F   ", 0},        {"1e3    ", 1},
  };
  // Digits and signs in the label positions and separators must not join a
  // value: the separators are cut off, the labels never read.
  for (const Case& c : cases) {
    for (char free : std::string(" x=-+\t*8")) {
      for (int axis = 0; axis < 6; ++axis) {
        const DeviceFrame f = Parse(TitleWithCell(axis, c.cell, free));
        EXPECT_EQ(Axis(f, axis), c.value) << '"' << c.cell << "\" in cell " << axis << " among " << free;
        EXPECT_EQ(f.button, 0) << '"' << c.cell << "\" in cell " << axis << " among " << free;
        EXPECT_FALSE(c.value == 0 && std::signbit(Axis(f, axis))) << "-0 must read as +0";
      }
    }
  }
}

// The button cell runs to the end of the title, so it also shows saturation.
TEST(TitleParse, ReadsTheButtonCellToItsFirstNonDigit) {
  struct Case {
    std::string cell;
    int32_t button;
  } const cases[] = {
      {"17 and more text", 17}, {"3", 3}, {"100", 100}, {"  +7", 7}, {"-3", -3}, {"abc", 0}, {"", 0},
      {"0000000000000000000000000000042", 42},  // leading zeros never saturate
      {"  -2147483648", INT32_MIN},             {"+2147483647", INT32_MAX},
      {"99999999999999999999999", INT32_MAX},   {"-99999999999999999999999", INT32_MIN},
      {"214748364799", INT32_MAX},
  };
  const std::string cells[6] = {"      1", "      2", "      3", "      4", "      5", "      6"};
  for (const Case& c : cases) {
    const DeviceFrame f = Parse(Title(cells, c.cell));
    EXPECT_EQ(f.button, c.button) << '"' << c.cell << '"';
  }
}

// A title cut short, or ended by a NUL where the cut falls, reads zero past
// its end.
TEST(TitleParse, ShortTitlesReadZeroPastTheirEnd) {
  const std::string& full = kTitle;
  struct Case {
    size_t length;
    float axes[6];
    int32_t button;
  } const cases[] = {
      {0, {}, 0},                  {5, {}, 0},
      {7, {1}, 0},                 {8, {12}, 0},  // cell 1 cut after its first digit, its second
      {10, {1234}, 0},             {18, {1234}, 0},  // cell 2 cut after its sign
      {30, {1234, -567}, 0},       {31, {1234, -567, 7}, 0},  // "    " of cell 3 only, then one digit
      {36, {1234, -567, 77}, 0},   {42, {1234, -567, 77, 1}, 0},
      {70, {1234, -567, 77, 12, -34, 5}, 0}, {71, {1234, -567, 77, 12, -34, 5}, 4},
      {72, {1234, -567, 77, 12, -34, 5}, 42},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("length " + std::to_string(c.length));
    // The same buffer every time: whatever lies past the length must stay
    // unread, as if an earlier and longer title had left it there.
    ExpectFrame(ParseDeviceTitle(full.data(), c.length), c.axes, c.button);
    ExpectFrame(Parse(full.substr(0, c.length)), c.axes, c.button);
    if (c.length < full.size()) ExpectFrame(Parse(std::string(full).replace(c.length, 1, 1, '\0')), c.axes, c.button);
  }
  ExpectFrame(ParseDeviceTitle(nullptr, 0), {0, 0, 0, 0, 0, 0}, 0);
  ExpectFrame(ParseDeviceTitle(nullptr, 80), {0, 0, 0, 0, 0, 0}, 0);
}

TEST(TitleParse, OnlyTheMarkInTheLastSeparatorMakesAReadingRaw) {
  const std::string& older = kTitle;
  const std::string raw = std::string(older).replace(65, 1, 1, '*');
  struct Case {
    const char* what;
    std::string title;
    bool raw;
  } const cases[] = {
      {"marked", raw, true},
      {"a server without the mark", older, false},
      {"cut right after the mark", raw.substr(0, 66), true},
      {"cut before the mark", raw.substr(0, 65), false},
      {"NUL before the mark", std::string(raw).replace(40, 1, 1, '\0'), false},
      {"mark in another separator", std::string(older).replace(54, 1, 1, '*'), false},
      {"another character there", std::string(older).replace(65, 1, 1, '+'), false},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.title).raw, c.raw) << c.what;
  ExpectFrame(Parse(raw), {1234, -567, 77, 12, -34, 5}, 42);
}

}  // namespace
