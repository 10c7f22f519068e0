// The server's processing of each reading. Computed in double and rounded
// once at the end, so that the result depends on the settings only and not
// on the order of integer truncations.

#include "server/axis_processing.h"

#include <cmath>

static int32_t Limit(int64_t value, int64_t limit) {
  if (value > limit) return static_cast<int32_t>(limit);
  if (value < -limit) return static_cast<int32_t>(-limit);
  return static_cast<int32_t>(value);
}

static double Clamp(double value, double low, double high) {
  return value < low ? low : (value > high ? high : value);
}

static bool IsRotation(int axis) { return axis >= kAxisRX; }

int32_t CentreReading(int64_t value, int64_t low, int64_t high) {
  if (high <= low) return 0;
  if (value < low) value = low;
  if (value > high) value = high;
  // Twice the offset from the middle, so that odd spans stay exact; the
  // operands are limited to 33 bits, the product fits 64.
  const int64_t twice = 2 * value - low - high;
  return static_cast<int32_t>(twice * kRawHalfRange / (high - low));
}

int32_t LowestButton(uint32_t buttons) {
  for (int32_t n = 0; n < 32; ++n) {
    if (buttons & (uint32_t{1} << n)) return n + 1;
  }
  return 0;
}

int32_t ProcessAxis(int axis, int32_t raw, const ServerConfig& config) {
  if (axis < 0 || axis >= kAxisCount) return 0;
  const AxisSettings& s = config.settings.axis[axis];
  // A flag counts as set only when it is exactly 1, as the settings dialog
  // shows it.
  if (s.enabled != 1 || raw == 0) return 0;

  // Each side is scaled by its own calibrated extreme; an uncalibrated side
  // uses the device's declared limit.
  const CalibratedRange& r = config.range[axis];
  const int32_t side = raw > 0 ? r.positive : r.negative;
  const double extreme = side >= kMinCalibratedExtreme ? side : kRawHalfRange;
  const double deflection = Clamp(std::fabs(static_cast<double>(raw)) / extreme, 0.0, 1.0);

  // The null zone is dead travel next to the centre; beyond it the output
  // starts again from 0, so that leaving the zone causes no jump.
  const double dead = Clamp(s.nullzone, 0, 100) / 100.0 * kFullNullZoneFraction;
  if (deflection <= dead) return 0;
  const double live = (deflection - dead) / (1.0 - dead);

  const double gain = Clamp(s.sensitivity, 0, kMaxSensitivityPercent) / 100.0;
  const double scale = IsRotation(axis) ? kFullScaleRotation : kFullScaleTranslation;
  int64_t value = std::llround(live * gain * scale);
  if (raw < 0) value = -value;
  if (s.invert == 1) value = -value;
  return Limit(value, kPublishedAxisLimit);
}

PublishedFrame ProcessReading(const RawReading& reading, const ServerConfig& config) {
  PublishedFrame frame{};
  for (int a = 0; a < kAxisCount; ++a) {
    frame.axis[a] = config.doingCalibration ? Limit(reading.axis[a], kPublishedAxisLimit)
                                            : ProcessAxis(a, reading.axis[a], config);
  }
  frame.button = LowestButton(reading.buttons);
  return frame;
}
