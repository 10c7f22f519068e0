// Splits an eye-point value into the integer and fractional texts that the
// default eye point dialog shows and the settings file stores.
//
// The integer part is written with our own digit loop rather than "%d" or
// "%.0f": a translation can grow past the 32-bit range, and the C runtime that
// the DLL links formats large doubles differently from the native one.

#include "setup/eye_point_text.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

static constexpr double kMicrosPerUnit = 1e6;
static constexpr long kMicrosPerUnitWhole = 1000000;
// Below 2^53 every whole double fits a uint64_t exactly.
static constexpr double kExactWholeLimit = 9007199254740992.0;
// A float's whole part has at most 39 decimal digits (FLT_MAX ~ 3.4e38).
static constexpr int kMaxWholeDigits = 40;

// Writes the digits of `value` into `digits`, least significant first;
// returns how many.
static int AppendDigits(uint64_t value, unsigned char* digits) {
  int count = 0;
  do {
    digits[count++] = static_cast<unsigned char>(value % 10);
    value /= 10;
  } while (value != 0);
  return count;
}

// Writes the whole number `whole` (>= 0, integral, finite, at most a float's
// range) in decimal. Numbers of 2^53 and more are m * 2^e with an integer m;
// they are expanded by doubling a decimal digit array e times.
static void FormatWhole(double whole, const char* sign, char* out, size_t capacity) {
  unsigned char digits[kMaxWholeDigits] = {};
  int count;
  if (whole < kExactWholeLimit) {
    count = AppendDigits(static_cast<uint64_t>(whole), digits);
  } else {
    int exponent = 0;
    const double mantissa = std::frexp(whole, &exponent);  // whole = mantissa * 2^exponent
    count = AppendDigits(static_cast<uint64_t>(std::ldexp(mantissa, 53)), digits);
    for (int e = exponent - 53; e > 0; --e) {
      int carry = 0;
      for (int i = 0; i < count; ++i) {
        const int doubled = digits[i] * 2 + carry;
        digits[i] = static_cast<unsigned char>(doubled % 10);
        carry = doubled / 10;
      }
      if (carry != 0 && count < kMaxWholeDigits) digits[count++] = static_cast<unsigned char>(carry);
    }
  }
  char text[kMaxWholeDigits + 2];
  size_t length = std::strlen(sign);
  std::memcpy(text, sign, length);
  for (int i = count - 1; i >= 0; --i) text[length++] = static_cast<char>('0' + digits[i]);
  text[length] = '\0';
  std::snprintf(out, capacity, "%s", text);
}

EyePointTexts SplitEyePointValue(float value) {
  EyePointTexts texts{};
  const double v = value;
  if (!std::isfinite(v)) {
    std::snprintf(texts.integerText, sizeof(texts.integerText), "0");
    std::snprintf(texts.fractionText, sizeof(texts.fractionText), "000000");
    return texts;
  }
  // Rounding the fraction alone equals rounding the whole value, and keeps
  // full precision for large values; a fraction that rounds up to one carries.
  const double magnitude = std::fabs(v);
  double whole = std::trunc(magnitude);
  long micros = std::lround((magnitude - whole) * kMicrosPerUnit);
  if (micros == kMicrosPerUnitWhole) {
    whole += 1.0;
    micros = 0;
  }
  // "-0" keeps the sign of a value between -1 and 0, which "%d" of the
  // integer part would lose; a value that rounds to zero is plain "0".
  const bool negative = v < 0 && (whole != 0 || micros != 0);
  FormatWhole(whole, negative ? "-" : "", texts.integerText, sizeof(texts.integerText));
  std::snprintf(texts.fractionText, sizeof(texts.fractionText), "%06ld", micros);
  return texts;
}
