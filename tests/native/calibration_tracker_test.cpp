// The calibration dialog's range tracking and label texts.
#include "setup/calibration_tracker.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <limits>

namespace {

DeviceFrame Frame(float tX, float tY, float tZ, float rX, float rY, float rZ, bool raw = true) {
  return DeviceFrame{tX, tY, tZ, rX, rY, rZ, 0, raw};
}

TEST(CalibrationTracker, KeepsTheLowestAndHighestReadingPerAxis) {
  const float kNaN = std::numeric_limits<float>::quiet_NaN();
  struct Step {
    DeviceFrame frame;
    AxisCalibration ranges[kAxisCount];  // tX, tY, tZ, rX, rY, rZ after the step
  } const steps[] = {
      // Right after the reset: processed values, published before the server
      // has noticed the calibration, never enter a range.
      {Frame(5, 5, 5, 5, 5, 5, false),
       {{100000, -100000}, {100000, -100000}, {100000, -100000}, {100000, -100000}, {100000, -100000},
        {100000, -100000}}},
      // The first raw reading sets both ends of every axis.
      {Frame(0, 10, -20, 300, -400, 5), {{0, 0}, {10, 10}, {-20, -20}, {300, 300}, {-400, -400}, {5, 5}}},
      {Frame(-7, 12, -20, 250, -500, 5), {{-7, 0}, {10, 12}, {-20, -20}, {250, 300}, {-500, -400}, {5, 5}}},
      // Values inside the range change nothing; values outside widen one end.
      {Frame(-3, 11, 100000, 301, -450, -100000),
       {{-7, 0}, {10, 12}, {-20, 100000}, {250, 301}, {-500, -400}, {-100000, 5}}},
      // Readings past the 32-bit range saturate; NaN leaves the range alone.
      {Frame(3e9f, -3e9f, kNaN, kNaN, 0, 0),
       {{-7, INT32_MAX}, {INT32_MIN, 12}, {-20, 100000}, {250, 301}, {-500, 0}, {-100000, 5}}},
  };
  AxisCalibration cal[kAxisCount];
  for (AxisCalibration& range : cal) range = AxisCalibration{1, 2};  // the reset must replace these
  ResetCalibration(cal);
  for (int step = 0; step < static_cast<int>(sizeof(steps) / sizeof(steps[0])); ++step) {
    TrackCalibration(cal, steps[step].frame);
    EXPECT_EQ(std::memcmp(cal, steps[step].ranges, sizeof cal), 0) << "after step " << step;
  }
}

TEST(CalibrationTracker, LabelsInWritingOrderWithTheirControls) {
  // Distinct numbers per axis end (tX, tY, tZ, rX, rY, rZ), so a label
  // showing the wrong one fails; readings outside the 32-bit range show
  // their nearest value, NaN shows 0.
  const AxisCalibration cal[kAxisCount] = {{-11, 12}, {-21, 22}, {-31, 32}, {-41, 42}, {-51, 52}, {INT32_MIN, INT32_MAX}};
  const DeviceFrame frame = Frame(1, 5e9f, -5e9f, -4, std::numeric_limits<float>::quiet_NaN(), -6);
  struct Label {
    int id;
    const char* text;
  } const expected[kCalibrationLabelCount] = {
      {1025, "Pitch max: 42"}, {1026, "Pitch min: -41"},
      {1028, "Bank max: 52"}, {1027, "Bank min: -51"},
      {1030, "Yaw max: 2147483647"}, {1029, "Yaw min: -2147483648"},
      {1033, "Forward: 22"}, {1034, "Backward: -21"},
      {1036, "Right: 12"}, {1035, "Left: -11"},
      {1031, "Up: 32"}, {1032, "Down: -31"},
      {1042, "Pitch: -4"}, {1043, "Bank: 0"}, {1044, "Yaw: -6"},
      {1045, "Forth/Back: 2147483647"}, {1046, "Left/Right: 1"}, {1047, "Up/Down: -2147483648"},
  };
  CalibrationLabel labels[kCalibrationLabelCount];
  FormatCalibrationLabels(cal, frame, labels);
  for (int i = 0; i < kCalibrationLabelCount; ++i) {
    EXPECT_EQ(labels[i].controlId, expected[i].id) << i;
    EXPECT_STREQ(labels[i].text, expected[i].text) << i;
  }
}

}  // namespace
