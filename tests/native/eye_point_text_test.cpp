// The default eye point dialog's split of a value into its two texts.
#include "setup/eye_point_text.h"

#include <gtest/gtest.h>

#include <limits>

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
      // Rounding to six decimals first carries into the integer part.
      {1.9999999f, "2", "000000"},  // 1.99999988...; 2.9999999f would be 3.0f itself
      {-0.9999999f, "-1", "000000"},
      // A value that rounds to zero has no sign left to show.
      {-0.0f, "0", "000000"},
      {-0.0000004f, "0", "000000"},
      // Small values keep their leading zeros and sign.
      {-0.0000006f, "-0", "000001"},
      // The float's own value decides: 0.1f is 0.100000001..., 179.99998f
      // is 179.9999847..., 123456.789f is 123456.7890625 (a tie: away from 0).
      {0.1f, "0", "100000"},
      {179.99998f, "179", "999985"},
      {123456.789f, "123456", "789063"},
      // Past the 32-bit range, and the largest floats, written exactly.
      {2147483648.0f, "2147483648", "000000"},
      {1e20f, "100000002004087734272", "000000"},
      {std::numeric_limits<float>::max(), "340282346638528859811704183484516925440", "000000"},
      {-std::numeric_limits<float>::max(), "-340282346638528859811704183484516925440", "000000"},
      // Not a number the eye point can hold: shown as zero, nothing overruns.
      {kNaN, "0", "000000"},
      {-kInfinity, "0", "000000"},
  };
  for (const Case& c : cases) {
    const EyePointTexts texts = SplitEyePointValue(c.value);
    EXPECT_STREQ(texts.integerText, c.integerText) << "value " << c.value;
    EXPECT_STREQ(texts.fractionText, c.fractionText) << "value " << c.value;
  }
}

}  // namespace
