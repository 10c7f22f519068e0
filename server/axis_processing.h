// Turns one raw controller reading into the values the server publishes.
// Portable: no Windows header.
//
// Raw readings are centred on 0 and span -kRawHalfRange..kRawHalfRange at
// the device's declared limits, whatever the device reports natively.
//
// Published values are what the module adds, times 0.0001, to the eye point
// every 25 ms tick (40 ticks a second):
// - rotations: full deflection at 100 % sensitivity gives 15000, that is
//   1.5 degrees a tick or 60 degrees a second;
// - translations: full deflection at 100 % gives 125, that is 0.0125 a tick
//   or 0.5 a second in the simulator's camera units (metres).
#pragma once
#include <cstdint>

#include "server/feel.h"
#include "server/server_config.h"

constexpr int32_t kRawHalfRange = 32767;
constexpr int32_t kFullScaleRotation = 15000;    // 60 deg/s at 25 ms ticks
constexpr int32_t kFullScaleTranslation = 125;   // 0.5 m/s at 25 ms ticks
// A null zone of 100 % leaves this fraction of each side's travel dead;
// the default 50 % leaves half of it (10 %).
constexpr double kFullNullZoneFraction = 0.2;
// A calibrated extreme smaller than this (3 % of the travel) comes from an
// axis left at rest during calibration; scaling by it would turn noise into
// full deflection, so such a side counts as uncalibrated. So does one beyond
// kRawHalfRange, which no reading reaches: it is the calibration dialog's
// start value, saved when no raw reading came.
constexpr int32_t kMinCalibratedExtreme = 1000;
// Sensitivities beyond this are taken as this much; below 0 as 0.
constexpr int32_t kMaxSensitivityPercent = 1000;
// Published axis values never leave this range, so a cell never needs more
// than its seven characters ("-999999").
constexpr int32_t kPublishedAxisLimit = 999999;

struct RawReading {
  int32_t axis[kAxisCount];  // tX, tY, tZ, rX, rY, rZ, centred
  uint32_t buttons;          // bit n set: button n + 1 held
};

struct PublishedFrame {
  int32_t axis[kAxisCount];
  int32_t button;  // lowest-numbered button held, from 1; 0 for none
};

// A reading of a device axis whose declared limits are [low, high], centred
// and scaled to -kRawHalfRange..kRawHalfRange (readings outside the limits
// are limited to them). 0 when the limits are empty or reversed.
int32_t CentreReading(int64_t value, int64_t low, int64_t high);

// Lowest-numbered button held, counted from 1; 0 when none.
int32_t LowestButton(uint32_t buttons);

// What the feel remembers from one reading to the next.
struct FeelState {
  SmoothingState smoothing[kAxisCount];
  int dominant;  // the axis that passed last while only the dominant one may; -1 none
};

// The state before the first reading.
constexpr FeelState kFreshFeelState = {{}, -1};

// The server reads this often; the step a single reading is processed with.
constexpr double kReadingPeriodSeconds = 0.01;

// One axis through calibration, null zone, response curve, sensitivity,
// invert and enable (no smoothing: that needs the readings before).
int32_t ProcessAxis(int axis, int32_t raw, const ServerConfig& config);

// The whole reading, taken `stepSeconds` after the previous one: each axis
// is calibrated, smoothed, cut by its null zone, reduced to the dominant
// axis when that is on, then shaped by the curve and scaled. While the
// calibration dialog is open the raw values are published as they are (only
// limited to the cell), so that the dialog records the device's true range;
// the smoothing then starts over.
PublishedFrame ProcessReading(const RawReading& reading, const ServerConfig& config, double stepSeconds,
                              FeelState* feel);
