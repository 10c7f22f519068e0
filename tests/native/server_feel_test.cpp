// The motion feel's stages on their own: the response curve, the adaptive
// smoothing and the dominant axis. Expected values worked out by hand (a
// calculator) from the formulas in server/README.md.
#include "server/feel.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(ServerFeel, CurveValues) {
  const struct {
    const char* what;
    int32_t expo;
    double x, expected;
  } cases[] = {
      {"0 % is the identity", 0, 0.37, 0.37},
      {"half expo at half deflection", 50, 0.5, 0.3125},
      {"full expo is the cube", 100, 0.5, 0.125},
      {"odd: full expo to the left", 100, -0.3, -0.027},
      {"full deflection stays full", 70, 1.0, 1.0},
      {"above 100 % counts as 100 %", 400, 0.5, 0.125},
      {"below 0 % counts as 0 %", -50, 0.5, 0.5},
  };
  for (const auto& c : cases) EXPECT_NEAR(ResponseCurve(c.x, c.expo), c.expected, 1e-12) << c.what;
}

TEST(ServerFeel, SmoothingCutoffScale) {
  const struct {
    int32_t percent;
    double hz;
  } cases[] = {{0, 0}, {-3, 0}, {1, 9.5499}, {25, 3.1623}, {50, 1.0}, {100, 0.1}, {250, 0.1}};
  for (const auto& c : cases) EXPECT_NEAR(SmoothingMinCutoffHz(c.percent), c.hz, 1e-4) << c.percent;
}

// From rest at 0 a step to full deflection at 100 readings a second, 1 Hz at
// rest: speed 100/s smoothed by 0.0591 gives a cut-off of 9.87 Hz and a
// weight of 0.383 on the first reading.
TEST(ServerFeel, StepResponseFollowsQuicklyAndSettlesExactly) {
  SmoothingState state{};
  EXPECT_EQ(SmoothDeflection(&state, 0.0, 0.01, 1.0), 0.0) << "the first reading starts the filter";
  const double expected[] = {0.38272, 0.68033, 0.84465};
  for (double e : expected) EXPECT_NEAR(SmoothDeflection(&state, 1.0, 0.01, 1.0), e, 1e-5);
  double value = 0;
  for (int i = 0; i < 1000; ++i) value = SmoothDeflection(&state, 1.0, 0.01, 1.0);
  EXPECT_EQ(value, 1.0) << "a constant input is reached exactly";
  // 0.1 Hz at rest: a cut-off of 8.97 Hz and a weight of 0.360.
  SmoothingState slow{};
  SmoothDeflection(&slow, 0.0, 0.01, 0.1);
  EXPECT_NEAR(SmoothDeflection(&slow, 1.0, 0.01, 0.1), 0.36039, 1e-5) << "the rest cut-off is the caller's";
}

TEST(ServerFeel, StepsOfAnyLengthNeverOvershoot) {
  const struct {
    const char* what;
    double step, expected;
  } cases[] = {
      {"a late reading smooths with its true length", 0.2, 0.86675},
      {"a stalled loop starts over from the reading", 10.0, 1.0},
      {"an unknown step starts over", NAN, 1.0},
      {"a repeated clock value counts as 1 ms", 0.0, 0.06115},
      {"a backwards clock counts as 1 ms", -5.0, 0.06115},
  };
  for (const auto& c : cases) {
    SmoothingState state{};
    SmoothDeflection(&state, 0.0, 0.01, 1.0);
    const double value = SmoothDeflection(&state, 1.0, c.step, 1.0);
    EXPECT_NEAR(value, c.expected, 1e-5) << c.what;
    EXPECT_LE(value, 1.0) << c.what;
  }
}

TEST(ServerFeel, DominantAxisChoiceAndHysteresis) {
  const struct {
    const char* what;
    double magnitude[6];
    int current, expected;
  } cases[] = {
      {"all at rest: none", {0, 0, 0, 0, 0, 0}, -1, -1},
      {"the largest wins", {0.1, 0.4, 0, 0.3, 0, 0}, -1, 1},
      {"a lone axis wins however small", {0, 0, 0, 0, 0, 0.01}, -1, 5},
      {"the current one keeps a near tie", {0.3, 0, 0, 0, 0, 0.34}, 0, 0},
      {"a clear lead takes over", {0.3, 0, 0, 0, 0, 0.36}, 0, 5},
      {"a released current one hands over at once", {0, 0.02, 0, 0, 0, 0}, 3, 1},
      {"an out-of-range current is ignored", {0, 0.2, 0, 0, 0, 0}, 9, 1},
  };
  for (const auto& c : cases) EXPECT_EQ(ChooseDominantAxis(c.magnitude, 6, c.current), c.expected) << c.what;
}

}  // namespace
