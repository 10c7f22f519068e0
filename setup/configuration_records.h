// In-memory forms of the sections of pivora.ini. Plain data only: the
// module, the dialogs and the device server all share these layouts.
#pragma once
#include <cstdint>

enum Axis { kAxisTX, kAxisTY, kAxisTZ, kAxisRX, kAxisRY, kAxisRZ, kAxisCount };

struct AxisSettings {
  int32_t sensitivity;  // percent
  int32_t nullzone;     // percent
  int32_t enabled;      // 1 yes, 0 no; any other value is kept as read
  int32_t invert;       // 1 yes, 0 no
};

struct ModuleSettings {
  int32_t quorixmode;
  int32_t useonslew;
  AxisSettings axis[kAxisCount];  // tX, tY, tZ, rX, rY, rZ
};

// Range seen by the calibration dialog since it opened.
struct AxisCalibration {
  int32_t minimum;
  int32_t maximum;
};

constexpr int kButtonCount = 101;  // device buttons 0 to 100

struct ButtonAssignment {
  int32_t assigned;
  int32_t keypress;
  int32_t resetrotation;
  int32_t resettranslation;
  int32_t resetall;
  int32_t withshift;
  int32_t withctrl;
  int32_t withalt;
  int32_t keycode;
};

constexpr int kEyePointTextSize = 50;  // 49 characters and the terminator

// One axis of an aircraft's default eye point, as two texts and their value.
struct EyePointText {
  char integerText[kEyePointTextSize];
  char fractionText[kEyePointTextSize];
  float value;
};

enum EyePointAxis {
  kEyePitch, kEyeBank, kEyeYaw, kEyeBackForth, kEyeLeftRight, kEyeUpDown, kEyeAxisCount
};

struct DefaultEyePoint {
  EyePointText axis[kEyeAxisCount];  // indexed by EyePointAxis
};
