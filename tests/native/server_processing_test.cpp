// The device server's processing: calibration on each side, null zone,
// sensitivity, invert, enable, raw mode during calibration and the button.
#include "server/axis_processing.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct AxisCase {
  const char* what;
  int axis;
  int32_t raw;
  int32_t sensitivity, nullzone, enabled, invert;
  int32_t negativeRange, positiveRange;  // 0: uncalibrated
  int32_t expected;
};

// Expected values worked out by hand from the documented scales: rotations
// 15000 and translations 125 at full deflection, 100 % null zone = 20 % of
// the travel dead, output rescaled from the zone's edge.
const AxisCase kAxisCases[] = {
    {"half deflection, default zone", kAxisRZ, 16384, 100, 50, 1, 0, 0, 0, 6667},
    {"beyond the declared limit, first rotation", kAxisRX, -32768, 100, 50, 1, 0, 0, 0, -15000},
    {"partial translation", kAxisTX, 20000, 100, 50, 1, 0, 0, 0, 71},
    // Calibration: each side scaled by its own magnitude.
    {"half of calibrated min", kAxisRZ, -1000, 100, 50, 1, 0, 2000, 1000, -6667},
    {"past calibrated max", kAxisRZ, 5000, 100, 50, 1, 0, 2000, 1000, 15000},
    {"only max calibrated", kAxisRZ, -32767, 100, 50, 1, 0, 0, 1000, -15000},
    // An axis left at rest during calibration records a tiny range: noise
    // must not become full deflection.
    {"tiny range uses the declared limit", kAxisRZ, 16384, 100, 50, 1, 0, 999, 999, 6667},
    // A save without any raw reading stores the dialog's start values.
    {"range past any reading uses the declared limit", kAxisRZ, 32767, 100, 50, 1, 0, 100000, 100000, 15000},
    // Null zone.
    {"just past default zone", kAxisRZ, 3277, 100, 50, 1, 0, 0, 0, 0},
    {"negative zone as none", kAxisRZ, 16384, 100, -40, 1, 0, 0, 0, 7500},
    {"huge zone as widest", kAxisRZ, 16384, 100, 5000, 1, 0, 0, 0, 5625},
    {"full deflection in widest zone", kAxisRZ, 32767, 100, 100, 1, 0, 0, 0, 15000},
    // Sensitivity.
    {"half sensitivity", kAxisRZ, 20000, 50, 50, 1, 0, 0, 0, 4253},
    {"negative sensitivity as zero", kAxisRZ, 32767, -100, 50, 1, 0, 0, 0, 0},
    {"sensitivity above the cap", kAxisRZ, 32767, INT32_MAX, 50, 1, 0, 0, 0, 150000},
    // Invert and enable count only when exactly 1.
    {"inverted", kAxisRZ, 8000, 100, 50, 1, 1, 0, 0, -2402},
    {"invert 7 is not set", kAxisRZ, 8000, 100, 50, 1, 7, 0, 0, 2402},
    {"enabled 2 is not set", kAxisRZ, 32767, 100, 50, 2, 0, 0, 0, 0},
    {"extreme raw", kAxisTX, INT32_MIN, 100, 50, 1, 0, 0, 0, -125},
    {"extreme raw and calibration", kAxisTX, INT32_MAX, 100, 50, 1, 0, INT32_MAX, 1, 125},
};

TEST(ServerProcessing, AxisTable) {
  for (const AxisCase& c : kAxisCases) {
    ServerConfig config = DefaultServerConfig();
    config.settings.axis[c.axis] = {c.sensitivity, c.nullzone, c.enabled, c.invert};
    config.range[c.axis] = {c.negativeRange, c.positiveRange};
    EXPECT_EQ(ProcessAxis(c.axis, c.raw, config), c.expected) << c.what;
  }
}

TEST(ServerProcessing, OutOfRangeAxisIndexGivesZero) {
  EXPECT_EQ(ProcessAxis(-1, 32767, DefaultServerConfig()), 0);
  EXPECT_EQ(ProcessAxis(kAxisCount, 32767, DefaultServerConfig()), 0);
}

TEST(ServerProcessing, CentreReadingMapsDeclaredLimitsOntoTheRawRange) {
  const struct {
    int64_t value, low, high;
    int32_t expected;
  } cases[] = {
      {0, 0, 65535, -32767},       {65535, 0, 65535, 32767},   {32767, 0, 65535, -0},
      {32768, 0, 65535, 0},        {-350, -350, 350, -32767},  {0, -350, 350, 0},
      {175, -350, 350, 16383},     {400, -350, 350, 32767},    {-9999, -350, 350, -32767},
      {5, 5, 5, 0},                {1, 10, 0, 0},              {UINT32_MAX, 0, UINT32_MAX, 32767},
      {INT32_MIN, INT32_MIN, INT32_MAX, -32767},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CentreReading(c.value, c.low, c.high), c.expected) << c.value << " in " << c.low << ".." << c.high;
  }
}

TEST(ServerProcessing, LowestButtonCountsFromOne) {
  const struct {
    uint32_t buttons;
    int32_t expected;
  } cases[] = {{0, 0}, {1, 1}, {0x6, 2}, {0x80000000u, 32}, {0xFFFFFFFFu, 1}, {0x00010100u, 9}};
  for (const auto& c : cases) EXPECT_EQ(LowestButton(c.buttons), c.expected) << c.buttons;
}

// Readings in sequence, 100 a second, with rX disabled. Values by hand:
// (raw / 32767 - 0.1) / 0.9 of travel past the default null zone, then the
// curve (1 - e) x + e x^3, then the scale. While calibrating, the centred
// readings go out untouched but for the cell's limit. Controllers report
// forward and up as negative; the default inverts turn them round.
TEST(ServerProcessing, ReadingsInSequence) {
  const struct Step {
    RawReading reading;
    bool calibrating;
    int32_t expected[kAxisCount];
    int32_t button;
  } kSettings[] = {
      {{{-32768, 5, 0, 32767, 2000000, INT32_MIN}, 0x4}, true, {-32768, 5, 0, 32767, 999999, -999999}, 3},
      {{{32767, 32767, -32767, 32767, -32767, 32767}, 0x6}, false, {125, -125, 125, 0, -15000, 15000}, 2},
  }, kCurves[] = {
      {{{16384, 0, 0, 0, 0, 20000}, 0}, false, {33, 0, 0, 0, 0, 2735}, 0},
  }, kDominant[] = {
      {{{20000, 0, 0, 0, 0, 16000}, 0}, false, {71, 0, 0, 0, 0, 0}, 0},    // the larger one passes
      {{{19000, 0, 0, 0, 0, 20000}, 0}, false, {67, 0, 0, 0, 0, 0}, 0},    // a near tie keeps it
      {{{19000, 0, 0, 0, 0, 24000}, 0}, false, {0, 0, 0, 0, 0, 10541}, 0}, // a clear lead takes over
  }, kSmoothing[] = {
      {{{0, 0, 0, 0, 0, 0}, 0}, false, {0, 0, 0, 0, 0, 0}, 0},
      {{{32767, 0, 0, 0, 0, 32767}, 0}, false, {125, 0, 0, 0, 0, 4712}, 0},  // translations unsmoothed
      {{{0, 0, 0, 0, 0, 32767}, 0}, true, {0, 0, 0, 0, 0, 32767}, 0},       // raw mode starts it over
      {{{0, 0, 0, 0, 0, 32767}, 0}, false, {0, 0, 0, 0, 0, 15000}, 0},
  };
  const struct {
    const char* what;
    FeelSettings feel;
    const Step* steps;
    size_t count;
  } cases[] = {
      {"raw while calibrating, else the settings", {{0, 0}, {0, 0}, false}, kSettings, 2},
      {"curves per group", {{50, 100}, {0, 0}, false}, kCurves, 1},
      {"dominant axis with hysteresis", {{0, 0}, {0, 0}, true}, kDominant, 3},
      {"rotation smoothing", {{0, 0}, {0, 50}, false}, kSmoothing, 4},
  };
  for (const auto& c : cases) {
    ServerConfig config = DefaultServerConfig();
    config.feel = c.feel;
    config.settings.axis[kAxisRX].enabled = 0;
    FeelState state = kFreshFeelState;
    for (size_t i = 0; i < c.count; ++i) {
      config.doingCalibration = c.steps[i].calibrating;
      const PublishedFrame frame = ProcessReading(c.steps[i].reading, config, 0.01, &state);
      for (int a = 0; a < kAxisCount; ++a) EXPECT_EQ(frame.axis[a], c.steps[i].expected[a]) << c.what << i << a;
      EXPECT_EQ(frame.button, c.steps[i].button) << c.what << i;
    }
  }
}

}  // namespace
