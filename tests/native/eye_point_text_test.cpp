// The default eye point dialog's split of a value into its two texts.
#include "setup/eye_point_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

namespace {

struct Case {
  float value;
  const char* integerText;
  const char* fractionText;
};

TEST(EyePointText, SplitsIntoSignedIntegerAndSixDigits) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  const float kInfinity = std::numeric_limits<float>::infinity();
  const Case cases[] = {
      // The dialog's documented cases.
      {12.5f, "12", "500000"},
      {-12.25f, "-12", "250000"},
      {-0.25f, "-0", "250000"},
      {0.0f, "0", "000000"},
      // Rounding to six decimals first carries into the integer part.
      {2.9999999f, "3", "000000"},
      {-0.9999999f, "-1", "000000"},
      {179.9999999f, "180", "000000"},
      {-89.9999996f, "-90", "000000"},
      // A value that rounds to zero has no sign left to show.
      {-0.0f, "0", "000000"},
      {-0.0000004f, "0", "000000"},
      {0.0000004f, "0", "000000"},
      // Small values keep their leading zeros and sign.
      {0.0000006f, "0", "000001"},
      {-0.0000006f, "-0", "000001"},
      // The float's own value decides: 0.1f is 0.100000001..., 179.99998f
      // is 179.9999847..., 123456.789f is 123456.7890625 (a tie: away from 0).
      {0.1f, "0", "100000"},
      {179.99998f, "179", "999985"},
      {123456.789f, "123456", "789063"},
      {-123456.789f, "-123456", "789063"},
      // Past the 32-bit range, and the largest floats, written exactly.
      {2147483648.0f, "2147483648", "000000"},
      {-4294967296.0f, "-4294967296", "000000"},
      {1e20f, "100000002004087734272", "000000"},
      {9007199254740992.0f, "9007199254740992", "000000"},
      {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440", "000000"},
      {-std::numeric_limits<float>::max(), "-340282346638528859811704183484516925440", "000000"},
      // Not a number the eye point can hold: shown as zero, nothing overruns.
      {kNaN, "0", "000000"},
      {kInfinity, "0", "000000"},
      {-kInfinity, "0", "000000"},
  };
  for (const Case& c : cases) {
    const EyePointTexts texts = SplitEyePointValue(c.value);
    EXPECT_STREQ(texts.integerText, c.integerText) << "value " << c.value;
    EXPECT_STREQ(texts.fractionText, c.fractionText) << "value " << c.value;
  }
}

// What the settings file makes of the two texts: integer, ".", fraction,
// read as one decimal number.
double ReadBack(const EyePointTexts& texts) {
  const std::string joined = std::string(texts.integerText) + "." + texts.fractionText;
  return std::strtod(joined.c_str(), nullptr);
}

TEST(EyePointText, ReadsBackWithinHalfAMillionth) {
  // A deterministic sweep over the eye point's working range, both signs,
  // including values near every whole number where the carry matters.
  uint32_t seed = 2024;
  auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
  for (int i = 0; i < 20000; ++i) {
    const float whole = static_cast<float>(static_cast<int>(next() % 721u) - 360);
    const float offset = (i % 4 == 0) ? static_cast<float>(static_cast<int>(next() % 21u) - 10) * 1e-7f
                                      : static_cast<float>(next() % 2000001u) / 1e6f - 1.0f;
    const float value = whole + offset;
    const EyePointTexts texts = SplitEyePointValue(value);
    // The float's exact value, rounded to six decimals: off by half a
    // millionth at most.
    EXPECT_NEAR(ReadBack(texts), value, 5e-7 + 1e-12) << texts.integerText << "." << texts.fractionText;
    EXPECT_EQ(std::strlen(texts.fractionText), 6u) << value;
    // The sign survives for every value that does not round to zero.
    if (std::fabs(value) >= 5e-7f) {
      EXPECT_EQ(texts.integerText[0] == '-', value < 0) << value;
    }
    if (HasFailure()) break;
  }
}

}  // namespace
