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

static AxisGroup GroupOf(int axis) { return IsRotation(axis) ? kGroupRotation : kGroupTranslation; }

// The reading as a signed share of its side's travel, -1..1: each side is
// scaled by its own calibrated extreme; an uncalibrated side uses the
// device's declared limit. A flag counts as set only when it is exactly 1,
// as the settings dialog shows it, so a disabled axis reads as at rest.
static double Deflection(int axis, int32_t raw, const ServerConfig& config) {
  if (config.settings.axis[axis].enabled != 1 || raw == 0) return 0;
  const CalibratedRange& r = config.range[axis];
  const int32_t side = raw > 0 ? r.positive : r.negative;
  const double extreme = side >= kMinCalibratedExtreme && side <= kRawHalfRange ? side : kRawHalfRange;
  return Clamp(static_cast<double>(raw) / extreme, -1.0, 1.0);
}

// The null zone is dead travel next to the centre; beyond it the output
// starts again from 0, so that leaving the zone causes no jump.
static double LiveTravel(int axis, double deflection, const ServerConfig& config) {
  const double dead = Clamp(config.settings.axis[axis].nullzone, 0, 100) / 100.0 * kFullNullZoneFraction;
  const double magnitude = std::fabs(deflection);
  if (magnitude <= dead) return 0;
  const double live = (magnitude - dead) / (1.0 - dead);
  return deflection < 0 ? -live : live;
}

// Curve, sensitivity and scale on the magnitude, so that both directions
// round alike; then the sign, the invert and the cell's limit.
static int32_t Scale(int axis, double live, const ServerConfig& config) {
  if (live == 0) return 0;
  const AxisSettings& s = config.settings.axis[axis];
  const double shaped = ResponseCurve(std::fabs(live), config.feel.curve[GroupOf(axis)]);
  const double gain = Clamp(s.sensitivity, 0, kMaxSensitivityPercent) / 100.0;
  const double scale = IsRotation(axis) ? kFullScaleRotation : kFullScaleTranslation;
  int64_t value = std::llround(shaped * gain * scale);
  if (live < 0) value = -value;
  if (s.invert == 1) value = -value;
  return Limit(value, kPublishedAxisLimit);
}

int32_t ProcessAxis(int axis, int32_t raw, const ServerConfig& config) {
  if (axis < 0 || axis >= kAxisCount) return 0;
  return Scale(axis, LiveTravel(axis, Deflection(axis, raw, config), config), config);
}

PublishedFrame ProcessReading(const RawReading& reading, const ServerConfig& config, double stepSeconds,
                              FeelState* feel) {
  PublishedFrame frame{};
  frame.button = LowestButton(reading.buttons);
  if (config.doingCalibration) {
    for (int a = 0; a < kAxisCount; ++a) {
      frame.axis[a] = Limit(reading.axis[a], kPublishedAxisLimit);
      feel->smoothing[a].primed = false;
    }
    return frame;
  }
  const double minCutoffHz[kGroupCount] = {SmoothingMinCutoffHz(config.feel.smoothing[kGroupTranslation]),
                                           SmoothingMinCutoffHz(config.feel.smoothing[kGroupRotation])};
  double live[kAxisCount];
  double magnitude[kAxisCount];
  for (int a = 0; a < kAxisCount; ++a) {
    double deflection = Deflection(a, reading.axis[a], config);
    const double cutoffHz = minCutoffHz[GroupOf(a)];
    if (cutoffHz > 0) {
      deflection = SmoothDeflection(&feel->smoothing[a], deflection, stepSeconds, cutoffHz);
    } else {
      feel->smoothing[a].primed = false;  // switched on later, it starts from the reading then
    }
    live[a] = LiveTravel(a, deflection, config);
    magnitude[a] = std::fabs(live[a]);
  }
  feel->dominant = config.feel.dominantAxis ? ChooseDominantAxis(magnitude, kAxisCount, feel->dominant) : -1;
  for (int a = 0; a < kAxisCount; ++a) {
    const bool passes = !config.feel.dominantAxis || a == feel->dominant;
    frame.axis[a] = passes ? Scale(a, live[a], config) : 0;
  }
  return frame;
}
