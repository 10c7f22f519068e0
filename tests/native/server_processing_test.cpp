// The device server's processing: calibration on each side, null zone,
// sensitivity, invert, enable, raw mode during calibration, the button, and
// the published values always fitting their title cells.
#include "server/axis_processing.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

ServerConfig Config() { return DefaultServerConfig(); }

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
    {"full right rotation", kAxisRZ, 32767, 100, 50, 1, 0, 0, 0, 15000},
    {"full left rotation", kAxisRZ, -32767, 100, 50, 1, 0, 0, 0, -15000},
    {"half deflection, default zone", kAxisRZ, 16384, 100, 50, 1, 0, 0, 0, 6667},
    {"beyond the declared limit", kAxisRX, -32768, 100, 50, 1, 0, 0, 0, -15000},
    {"full translation", kAxisTX, 32767, 100, 50, 1, 0, 0, 0, 125},
    {"partial translation", kAxisTX, 20000, 100, 50, 1, 0, 0, 0, 71},
    {"rest", kAxisRY, 0, 100, 50, 1, 0, 0, 0, 0},
    // Calibration: each side scaled by its own magnitude.
    {"calibrated max reached", kAxisRZ, 1000, 100, 50, 1, 0, 2000, 1000, 15000},
    {"calibrated min reached", kAxisRZ, -2000, 100, 50, 1, 0, 2000, 1000, -15000},
    {"half of calibrated min", kAxisRZ, -1000, 100, 50, 1, 0, 2000, 1000, -6667},
    {"past calibrated max", kAxisRZ, 5000, 100, 50, 1, 0, 2000, 1000, 15000},
    {"only max calibrated", kAxisRZ, -32767, 100, 50, 1, 0, 0, 1000, -15000},
    // An axis left at rest during calibration records a tiny range: noise
    // must not become full deflection.
    {"range of an axis left at rest", kAxisRZ, 999, 100, 50, 1, 0, 999, 999, 0},
    {"tiny range uses the declared limit", kAxisRZ, 16384, 100, 50, 1, 0, 999, 999, 6667},
    // A save without any raw reading stores the dialog's start values.
    {"range past any reading uses the declared limit", kAxisRZ, 32767, 100, 50, 1, 0, 100000, 100000, 15000},
    // Null zone.
    {"inside default zone", kAxisRZ, 3276, 100, 50, 1, 0, 0, 0, 0},
    {"just past default zone", kAxisRZ, 3277, 100, 50, 1, 0, 0, 0, 0},
    {"no zone", kAxisRZ, 16384, 100, 0, 1, 0, 0, 0, 7500},
    {"widest zone", kAxisRZ, 16384, 100, 100, 1, 0, 0, 0, 5625},
    {"negative zone as none", kAxisRZ, 16384, 100, -40, 1, 0, 0, 0, 7500},
    {"huge zone as widest", kAxisRZ, 16384, 100, 5000, 1, 0, 0, 0, 5625},
    {"full deflection in widest zone", kAxisRZ, 32767, 100, 100, 1, 0, 0, 0, 15000},
    // Sensitivity.
    {"half sensitivity", kAxisRZ, 20000, 50, 50, 1, 0, 0, 0, 4253},
    {"zero sensitivity", kAxisRZ, 32767, 0, 50, 1, 0, 0, 0, 0},
    {"negative sensitivity as zero", kAxisRZ, 32767, -100, 50, 1, 0, 0, 0, 0},
    {"tenfold sensitivity", kAxisRZ, 32767, 1000, 50, 1, 0, 0, 0, 150000},
    {"sensitivity above the cap", kAxisRZ, 32767, INT32_MAX, 50, 1, 0, 0, 0, 150000},
    // Invert and enable count only when exactly 1.
    {"inverted", kAxisRZ, 8000, 100, 50, 1, 1, 0, 0, -2402},
    {"inverted negative", kAxisRZ, -8000, 100, 50, 1, 1, 0, 0, 2402},
    {"invert 7 is not set", kAxisRZ, 8000, 100, 50, 1, 7, 0, 0, 2402},
    {"disabled", kAxisRZ, 32767, 100, 50, 0, 0, 0, 0, 0},
    {"enabled 2 is not set", kAxisRZ, 32767, 100, 50, 2, 0, 0, 0, 0},
    {"disabled at extreme raw", kAxisTX, INT32_MIN, 100, 50, 0, 0, 0, 0, 0},
    {"extreme raw", kAxisTX, INT32_MIN, 100, 50, 1, 0, 0, 0, -125},
    {"extreme raw and calibration", kAxisTX, INT32_MAX, 100, 50, 1, 0, INT32_MAX, 1, 125},
};

TEST(ServerProcessing, AxisTable) {
  for (const AxisCase& c : kAxisCases) {
    ServerConfig config = Config();
    config.settings.axis[c.axis] = {c.sensitivity, c.nullzone, c.enabled, c.invert};
    config.range[c.axis] = {c.negativeRange, c.positiveRange};
    EXPECT_EQ(ProcessAxis(c.axis, c.raw, config), c.expected) << c.what;
  }
}

TEST(ServerProcessing, OutOfRangeAxisIndexGivesZero) {
  EXPECT_EQ(ProcessAxis(-1, 32767, Config()), 0);
  EXPECT_EQ(ProcessAxis(kAxisCount, 32767, Config()), 0);
}

TEST(ServerProcessing, RawModePublishesCentredReadingsUntouched) {
  ServerConfig config = Config();
  config.doingCalibration = true;
  // Settings that would change every value: none of them applies.
  for (AxisSettings& s : config.settings.axis) s = {10, 100, 0, 1};
  const RawReading reading = {{-32768, 5, 0, 32767, 2000000, INT32_MIN}, 0x4};
  const PublishedFrame frame = ProcessReading(reading, config);
  const int32_t expected[kAxisCount] = {-32768, 5, 0, 32767, 999999, -999999};
  for (int a = 0; a < kAxisCount; ++a) EXPECT_EQ(frame.axis[a], expected[a]) << a;
  EXPECT_EQ(frame.button, 3);
}

// Controllers report forward and up as negative; the default inverts turn
// them round so that larger means forward and up.
TEST(ServerProcessing, ProcessedModeAppliesPerAxisSettings) {
  ServerConfig config = Config();
  config.settings.axis[kAxisRX].enabled = 0;
  const RawReading reading = {{32767, 32767, 32767, 32767, -32767, 32767}, 0};
  const PublishedFrame frame = ProcessReading(reading, config);
  const int32_t expected[kAxisCount] = {125, -125, -125, 0, -15000, 15000};
  for (int a = 0; a < kAxisCount; ++a) EXPECT_EQ(frame.axis[a], expected[a]) << a;
  EXPECT_EQ(frame.button, 0);
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

// Readings in sequence with the feel on, 100 a second. Values by hand:
// (raw / 32767 - 0.1) / 0.9 of travel past the default null zone, then the
// curve (1 - e) x + e x^3, then the scale.
TEST(ServerProcessing, FeelShapesTheReadingsInSequence) {
  const struct Step {
    RawReading reading;
    bool calibrating;
    int32_t expected[kAxisCount];
  } kCurves[] = {
      {{{16384, 0, 0, 0, 0, 20000}, 0}, false, {33, 0, 0, 0, 0, 2735}},
  }, kDominant[] = {
      {{{20000, 0, 0, 0, 0, 16000}, 0}, false, {71, 0, 0, 0, 0, 0}},    // the larger one passes
      {{{19000, 0, 0, 0, 0, 20000}, 0}, false, {67, 0, 0, 0, 0, 0}},    // a near tie keeps it
      {{{19000, 0, 0, 0, 0, 24000}, 0}, false, {0, 0, 0, 0, 0, 10541}}, // a clear lead takes over
  }, kSmoothing[] = {
      {{{0, 0, 0, 0, 0, 0}, 0}, false, {0, 0, 0, 0, 0, 0}},
      {{{32767, 0, 0, 0, 0, 32767}, 0}, false, {125, 0, 0, 0, 0, 4712}},  // translations unsmoothed
      {{{0, 0, 0, 0, 0, 32767}, 0}, true, {0, 0, 0, 0, 0, 32767}},       // raw mode starts it over
      {{{0, 0, 0, 0, 0, 32767}, 0}, false, {0, 0, 0, 0, 0, 15000}},
  };
  const struct {
    const char* what;
    FeelSettings feel;
    const Step* steps;
    size_t count;
  } cases[] = {
      {"curves per group", {{50, 100}, {0, 0}, false}, kCurves, 1},
      {"dominant axis with hysteresis", {{0, 0}, {0, 0}, true}, kDominant, 3},
      {"rotation smoothing", {{0, 0}, {0, 50}, false}, kSmoothing, 4},
  };
  for (const auto& c : cases) {
    ServerConfig config = Config();
    config.feel = c.feel;
    FeelState state = kFreshFeelState;
    for (size_t i = 0; i < c.count; ++i) {
      config.doingCalibration = c.steps[i].calibrating;
      const PublishedFrame frame = ProcessReading(c.steps[i].reading, config, 0.01, &state);
      for (int a = 0; a < kAxisCount; ++a) EXPECT_EQ(frame.axis[a], c.steps[i].expected[a]) << c.what << i << a;
    }
  }
}

// Whatever the reading and however extreme the settings, every value fits
// its seven-character title cell, from -999999 to 9999999.
TEST(ServerProcessing, PublishedValuesAlwaysFitTheirCells) {
  const int32_t raws[] = {INT32_MIN, -2000000, -32768, -1, 0, 1, 32767, 2000000, INT32_MAX};
  const int32_t sensitivities[] = {INT32_MIN, 0, 100, 1000, INT32_MAX};
  const int32_t ranges[] = {0, 1, 1000, 32767, INT32_MAX};
  for (bool calibrating : {false, true}) {
    for (int32_t sensitivity : sensitivities) {
      for (int32_t range : ranges) {
        ServerConfig config = Config();
        config.doingCalibration = calibrating;
        for (int a = 0; a < kAxisCount; ++a) config.settings.axis[a].sensitivity = sensitivity;
        for (CalibratedRange& r : config.range) r = {range, range};
        for (int32_t raw : raws) {
          const PublishedFrame frame = ProcessReading({{raw, raw, raw, raw, raw, raw}, 0}, config);
          for (int32_t value : frame.axis) EXPECT_TRUE(value >= -999999 && value <= 9999999) << raw << " " << value;
        }
      }
    }
  }
}

}  // namespace
