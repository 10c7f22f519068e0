// The calibration dialog's range tracking and the texts of its eighteen
// labels: lowest and highest reading per axis, and the reading now.
#pragma once
#include <cstddef>

#include "module/device_frame.h"
#include "setup/configuration_records.h"

// Start values, chosen so that the first reading replaces both ends.
constexpr int32_t kCalibrationStartMinimum = 100000;
constexpr int32_t kCalibrationStartMaximum = -100000;

// Sets every minimum to 100000 and every maximum to -100000.
void ResetCalibration(AxisCalibration calibration[kAxisCount]);

// Widens each axis's range by the reading in `frame`, axes in the order tX,
// tY, tZ, rX, rY, rZ: a value above the maximum becomes the maximum, then a
// value below the minimum becomes the minimum (both strict). Readings are
// whole numbers; one beyond the 32-bit range is stored as the nearest 32-bit
// value, and NaN changes nothing. A frame not marked raw changes nothing: the
// server takes a moment to notice that a calibration has begun, and until
// then it publishes processed values, which are no measure of the device.
void TrackCalibration(AxisCalibration calibration[kAxisCount], const DeviceFrame& frame);

constexpr int kCalibrationLabelCount = 18;
constexpr size_t kCalibrationLabelSize = 32;  // "Forth/Back: -2147483648" and more

struct CalibrationLabel {
  int controlId;
  char text[kCalibrationLabelSize];
};

// The texts that each timer tick writes, in the order it writes them: the
// twelve range labels (pitch max, pitch min, bank max, bank min, yaw max,
// yaw min, forward, backward, right, left, up, down), then the six readings
// under "Center values" (pitch, bank, yaw, forth/back, left/right, up/down).
void FormatCalibrationLabels(const AxisCalibration calibration[kAxisCount], const DeviceFrame& frame,
                             CalibrationLabel labels[kCalibrationLabelCount]);
