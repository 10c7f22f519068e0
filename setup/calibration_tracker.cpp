// Range tracking and label texts of the device calibration dialog.

#include "setup/calibration_tracker.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "setup/resources/resource.h"

// One label of the twelve range labels: which record end it shows.
struct RangeLabel {
  int controlId;
  const char* format;
  Axis axis;
  bool maximum;
};

static const RangeLabel kRangeLabels[] = {
    {IDC_CAL_PITCH_MAX, "Pitch max: %ld", kAxisRX, true}, {IDC_CAL_PITCH_MIN, "Pitch min: %ld", kAxisRX, false},
    {IDC_CAL_BANK_MAX, "Bank max: %ld", kAxisRY, true},   {IDC_CAL_BANK_MIN, "Bank min: %ld", kAxisRY, false},
    {IDC_CAL_YAW_MAX, "Yaw max: %ld", kAxisRZ, true},     {IDC_CAL_YAW_MIN, "Yaw min: %ld", kAxisRZ, false},
    {IDC_CAL_FORWARD, "Forward: %ld", kAxisTY, true},     {IDC_CAL_BACKWARD, "Backward: %ld", kAxisTY, false},
    {IDC_CAL_RIGHT, "Right: %ld", kAxisTX, true},         {IDC_CAL_LEFT, "Left: %ld", kAxisTX, false},
    {IDC_CAL_UP, "Up: %ld", kAxisTZ, true},               {IDC_CAL_DOWN, "Down: %ld", kAxisTZ, false},
};

// The readings under "Center values". 1045 says "Forth/Back" although its
// initial text in the template says "Back/Forth".
struct ReadingLabel {
  int controlId;
  const char* format;
  float DeviceFrame::*value;
};

static const ReadingLabel kReadingLabels[] = {
    {IDC_CAL_NOW_PITCH, "Pitch: %ld", &DeviceFrame::rX},
    {IDC_CAL_NOW_BANK, "Bank: %ld", &DeviceFrame::rY},
    {IDC_CAL_NOW_YAW, "Yaw: %ld", &DeviceFrame::rZ},
    {IDC_CAL_NOW_FORTHBACK, "Forth/Back: %ld", &DeviceFrame::tY},
    {IDC_CAL_NOW_LEFTRIGHT, "Left/Right: %ld", &DeviceFrame::tX},
    {IDC_CAL_NOW_UPDOWN, "Up/Down: %ld", &DeviceFrame::tZ},
};

static_assert(sizeof(kRangeLabels) / sizeof(kRangeLabels[0]) + sizeof(kReadingLabels) / sizeof(kReadingLabels[0]) ==
                  kCalibrationLabelCount,
              "every label has its text");

// A reading as a 32-bit integer. Converting a float outside the range is
// undefined, so saturate; the device never sends NaN, but a frame is data.
static int32_t WholeReading(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0f) return INT32_MAX;
  if (value <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void ResetCalibration(AxisCalibration calibration[kAxisCount]) {
  for (int axis = 0; axis < kAxisCount; ++axis) {
    calibration[axis].minimum = kCalibrationStartMinimum;
    calibration[axis].maximum = kCalibrationStartMaximum;
  }
}

void TrackCalibration(AxisCalibration calibration[kAxisCount], const DeviceFrame& frame) {
  if (!frame.raw) return;
  const float readings[kAxisCount] = {frame.tX, frame.tY, frame.tZ, frame.rX, frame.rY, frame.rZ};
  for (int axis = 0; axis < kAxisCount; ++axis) {
    // Compare as doubles, which hold both a float and an int32_t exactly;
    // NaN compares false both ways and leaves the range alone.
    const double value = readings[axis];
    AxisCalibration& range = calibration[axis];
    if (value > range.maximum) range.maximum = WholeReading(readings[axis]);
    if (value < range.minimum) range.minimum = WholeReading(readings[axis]);
  }
}

void FormatCalibrationLabels(const AxisCalibration calibration[kAxisCount], const DeviceFrame& frame,
                             CalibrationLabel labels[kCalibrationLabelCount]) {
  int index = 0;
  for (const RangeLabel& label : kRangeLabels) {
    const AxisCalibration& range = calibration[label.axis];
    labels[index].controlId = label.controlId;
    std::snprintf(labels[index].text, sizeof(labels[index].text), label.format,
                  static_cast<long>(label.maximum ? range.maximum : range.minimum));
    ++index;
  }
  for (const ReadingLabel& label : kReadingLabels) {
    labels[index].controlId = label.controlId;
    std::snprintf(labels[index].text, sizeof(labels[index].text), label.format,
                  static_cast<long>(WholeReading(frame.*label.value)));
    ++index;
  }
}
