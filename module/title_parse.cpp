// Reads the device server's title. The server is a separate process and its
// title can be anything another program put on a window of that class, so
// the reader trusts no length, no terminator and no digit count.

#include "module/title_parse.h"

#include <cstdint>
#include <cstring>

#include "module/title_layout.h"

// atol skips white space as isspace does in the "C" locale; testing the
// characters directly keeps the result independent of the process locale
// (the simulator may set one) and of the signedness of char.
static bool IsAtolSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

static bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int32_t ParseTitleNumber(const char* text, size_t length) {
  size_t i = 0;
  while (i < length && IsAtolSpace(text[i])) ++i;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Accumulate the magnitude in 64 bits and stop growing it once it is past
  // the 32-bit range, so a digit run of any length saturates instead of
  // overflowing (atol's overflow is undefined).
  constexpr int64_t kLimit = int64_t{INT32_MAX} + 1;
  int64_t magnitude = 0;
  for (; i < length && IsDigit(text[i]); ++i) {
    if (magnitude <= kLimit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative) {
    return magnitude >= kLimit ? INT32_MIN : static_cast<int32_t>(-magnitude);
  }
  return magnitude > INT32_MAX ? INT32_MAX : static_cast<int32_t>(magnitude);
}

// The part of [pos, pos + maxChars) that lies inside the title.
static size_t CellLength(size_t titleLength, size_t pos, size_t maxChars) {
  if (pos >= titleLength) return 0;
  const size_t rest = titleLength - pos;
  return rest < maxChars ? rest : maxChars;
}

DeviceFrame ParseDeviceTitle(const char* title, size_t length) {
  // A window title is a C string: nothing after a NUL is part of it.
  if (title == nullptr) length = 0;
  const void* nul = length ? std::memchr(title, '\0', length) : nullptr;
  if (nul != nullptr) length = static_cast<size_t>(static_cast<const char*>(nul) - title);

  int32_t axis[kTitleAxisCount];
  for (int a = 0; a < kTitleAxisCount; ++a) {
    const size_t pos = TitleCellPos(a);
    const size_t n = CellLength(length, pos, kTitleCellChars);
    axis[a] = n ? ParseTitleNumber(title + pos, n) : 0;
  }
  const size_t buttonChars = CellLength(length, kTitleButtonPos, SIZE_MAX);

  DeviceFrame frame;
  // An axis cell holds at most 7 characters, so |value| < 2^24 and the
  // conversion to float is exact.
  frame.tX = static_cast<float>(axis[0]);
  frame.tY = static_cast<float>(axis[1]);
  frame.tZ = static_cast<float>(axis[2]);
  frame.rX = static_cast<float>(axis[3]);
  frame.rY = static_cast<float>(axis[4]);
  frame.rZ = static_cast<float>(axis[5]);
  frame.button = buttonChars ? ParseTitleNumber(title + kTitleButtonPos, buttonChars) : 0;
  frame.raw = length > kTitleMarkPos && title[kTitleMarkPos] == kTitleRawMark;
  return frame;
}
