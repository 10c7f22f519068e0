// Title parsing: the fixed cell positions, atol's reading of each cell, and
// titles that a well-behaved server would never write.
#include "module/title_parse.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "module/title_layout.h"

namespace {

// Copies the title into a heap block of exactly its length, with no
// terminator, so that a read past `length` is caught by AddressSanitizer.
DeviceFrame Parse(const std::string& title) {
  std::unique_ptr<char[]> exact(new char[title.size() ? title.size() : 1]);
  title.copy(exact.get(), title.size());
  return ParseDeviceTitle(exact.get(), title.size());
}

// tX, tY, tZ, rX, rY, rZ, then the button.
std::vector<double> Values(const DeviceFrame& f) { return {f.tX, f.tY, f.tZ, f.rX, f.rY, f.rZ, double(f.button)}; }

// "      0" in every axis cell but `cell` in cell `axis`, then the button
// cell, with `free` in every free and separator position.
std::string Title(int axis, const std::string& cell, const std::string& button = "0", char free = ' ') {
  EXPECT_EQ(cell.size(), kTitleCellChars) << '"' << cell << '"';
  std::string t;
  for (int a = 0; a < kTitleAxisCount; ++a) t += std::string(3, free) + (a == axis ? cell : "      0") + free;
  return t + std::string(4, free) + button;
}

// A title as a server without the raw mark writes it.
const std::string kTitle = "tX=   1234 tY=   -567 tZ=     77 rX=     12 rY=    -34 rZ=      5 btn=42";

TEST(TitleParse, ReadsAnAxisCellAsAtolWithinSevenCharacters) {
  struct Case {
    const char* cell;  // seven characters
    double value;
  } const cases[] = {
      {"+000042", 42},       {"12abcde", 12},       {"       ", 0},
      {"-999999", -999999},  {"-000000", 0},        {"12-34  ", 12},
      {" 5 6   ", 5},        {"  +  12", 0},        {"+-12   ", 0},
      {"--5    ", 0},        {"-      ", 0},        {"\t\n\v\f\r 7", 7},
      {"  \t -88", -88},     {"0x1F   ", 0},        {"1e3    ", 1},
      {"\xff\x80" "12   ", 0},  // bytes above 127 are neither space nor digit
  };
  // Digits and signs in the label positions and separators must not join a
  // value: the separators are cut off, the labels never read.
  for (const Case& c : cases) {
    for (char free : std::string(" x=-+\t*8")) {
      for (int axis = 0; axis < kTitleAxisCount; ++axis) {
        std::vector<double> expected(7, 0.0);
        expected[axis] = c.value;
        const std::vector<double> read = Values(Parse(Title(axis, c.cell, "0", free)));
        EXPECT_EQ(read, expected) << '"' << c.cell << "\" in cell " << axis << " among " << free;
        EXPECT_FALSE(c.value == 0 && std::signbit(read[axis])) << "-0 must read as +0";
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
  for (const Case& c : cases) EXPECT_EQ(Parse(Title(0, "      1", c.cell)).button, c.button) << '"' << c.cell << '"';
}

// A title cut short, or ended by a NUL where the cut falls, reads zero past
// its end.
TEST(TitleParse, ShortTitlesReadZeroPastTheirEnd) {
  const std::string& full = kTitle;
  struct Case {
    size_t length;
    double values[7];  // the axes, then the button
  } const cases[] = {
      // Cell 1 cut after its first digit, then whole; cell 2 cut after its
      // sign, cell 3 after "     7"; no button digit, then one, then two.
      {0, {}},  {7, {1}},  {10, {1234}},  {18, {1234}},  {31, {1234, -567, 7}},
      {70, {1234, -567, 77, 12, -34, 5}},  {71, {1234, -567, 77, 12, -34, 5, 4}},
      {72, {1234, -567, 77, 12, -34, 5, 42}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("length " + std::to_string(c.length));
    const std::vector<double> expected(c.values, c.values + 7);
    // The same buffer every time: whatever lies past the length must stay
    // unread, as if an earlier and longer title had left it there.
    EXPECT_EQ(Values(ParseDeviceTitle(full.data(), c.length)), expected);
    EXPECT_EQ(Values(Parse(full.substr(0, c.length))), expected);
    EXPECT_EQ(Values(Parse(std::string(full).replace(c.length, 1, 1, '\0'))), expected);
  }
  EXPECT_EQ(Values(ParseDeviceTitle(nullptr, 0)), std::vector<double>(7, 0.0));
  EXPECT_EQ(Values(ParseDeviceTitle(nullptr, 80)), std::vector<double>(7, 0.0));
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
      {"mark in another separator", std::string(older).replace(54, 1, 1, '*'), false},
      {"another character there", std::string(older).replace(65, 1, 1, '+'), false},
  };
  for (const Case& c : cases) EXPECT_EQ(Parse(c.title).raw, c.raw) << c.what;
  EXPECT_EQ(Values(Parse(raw)), (std::vector<double>{1234, -567, 77, 12, -34, 5, 42}));
}

}  // namespace
