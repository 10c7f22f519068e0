// How the server shapes the pilot's hand movement before it is scaled:
// a response curve that is flat near the centre, an adaptive low-pass that
// removes tremor at rest yet follows quick moves (the One Euro filter of
// Casiez, Roussel and Vogel, CHI 2012), and the choice of one dominant axis.
// Portable: no Windows header.
#pragma once
#include <cstdint>

// The filter's cut-off at rest at 50 % smoothing, the setting the server's
// README suggests: lower removes more tremor and adds lag to slow moves.
constexpr double kSmoothingMinCutoffHzAt50 = 1.0;
// How fast the cut-off rises with speed, in hertz per full travel a second.
// High enough that a step from rest to full deflection reaches its half
// value at most one reading later than without the filter.
constexpr double kSmoothingSpeedGain = 1.5;
// The speed itself is smoothed at this cut-off, so tremor barely raises the
// filter's cut-off while a deliberate move does.
constexpr double kSmoothingSpeedCutoffHz = 1.0;
// A gap between readings longer than this (a stalled loop, a replay that
// paused) starts the filter over from the reading: no old speed survives it.
constexpr double kSmoothingMaxStepSeconds = 0.25;
// Shorter steps are taken as this long, so that a repeated clock value
// never divides by zero.
constexpr double kSmoothingMinStepSeconds = 0.001;
// Once the smoothed value is this close (in full travels) to a constant
// input it takes the input exactly; far below what a published value shows.
constexpr double kSmoothingSettledTravel = 1e-7;
// Another axis takes over as the dominant one only when it leads the
// current one by this much of its travel, so that two nearly equal axes do
// not flicker between each other.
constexpr double kDominantMarginTravel = 0.05;

// The curve at `expoPercent` (limited to 0..100) of a deflection in -1..1:
// (1 - e) x + e x^3 with e = expoPercent / 100. Linear at 0 %, odd,
// monotonic, 1 at 1 and of slope 1 - e at the centre.
double ResponseCurve(double deflection, int32_t expoPercent);

// The cut-off at rest for a smoothing setting, in hertz: 0 for 0 % (off)
// and, from 1 % to 100 %, falling evenly on a log scale from 10 Hz through
// kSmoothingMinCutoffHzAt50 at 50 % to 0.1 Hz at 100 %.
double SmoothingMinCutoffHz(int32_t smoothingPercent);

struct SmoothingState {
  bool primed;   // false: the next reading starts the filter
  double value;  // the smoothed deflection
  double speed;  // its smoothed speed, travels a second
};

// One reading `deflection` (in full travels) taken `stepSeconds` after the
// previous one, through the filter with cut-off at rest `minCutoffHz`;
// returns the smoothed deflection. The result always lies between the
// previous smoothed value and the reading, whatever the step: a stalled
// loop never overshoots.
double SmoothDeflection(SmoothingState* state, double deflection, double stepSeconds, double minCutoffHz);

// The axis that passes when only the dominant one may: the one with the
// largest `magnitude` (0 or more; 0 means at rest), unless `current` is
// still moving and no other leads it by kDominantMarginTravel. -1 when all
// are at rest.
int ChooseDominantAxis(const double* magnitude, int count, int current);
