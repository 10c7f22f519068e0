// The three shaping stages of the server's processing. Each is a pure
// function of its inputs and the little state the caller keeps, so that the
// processing of one reading stays allocation-free.

#include "server/feel.h"

#include <cmath>

constexpr double kPi = 3.14159265358979323846;

static double ClampPercent(int32_t percent) { return percent < 0 ? 0.0 : (percent > 100 ? 100.0 : percent); }

// Exponential smoothing weight of a first-order low-pass at `cutoffHz` for
// one step: 1 / (1 + tau / step) with tau = 1 / (2 pi cutoff), written so
// that a cut-off of 0 gives 0 rather than a division by zero. Always 0..1.
static double SmoothingWeight(double cutoffHz, double stepSeconds) {
  const double r = 2.0 * kPi * cutoffHz * stepSeconds;
  return r / (1.0 + r);
}

double ResponseCurve(double deflection, int32_t expoPercent) {
  const double e = ClampPercent(expoPercent) / 100.0;
  return (1.0 - e) * deflection + e * deflection * deflection * deflection;
}

double SmoothingMinCutoffHz(int32_t smoothingPercent) {
  const double s = ClampPercent(smoothingPercent);
  if (s == 0) return 0;
  // Ten times the 50 % cut-off towards 0 %, a tenth of it at 100 %.
  return kSmoothingMinCutoffHzAt50 * std::pow(10.0, 1.0 - s / 50.0);
}

double SmoothDeflection(SmoothingState* state, double deflection, double stepSeconds, double minCutoffHz) {
  // Written as "not within" so that a NaN step also starts over.
  if (!state->primed || !(stepSeconds <= kSmoothingMaxStepSeconds)) {
    state->primed = true;
    state->value = deflection;
    state->speed = 0;
    return deflection;
  }
  if (!(stepSeconds >= kSmoothingMinStepSeconds)) stepSeconds = kSmoothingMinStepSeconds;
  const double speed = (deflection - state->value) / stepSeconds;
  state->speed += SmoothingWeight(kSmoothingSpeedCutoffHz, stepSeconds) * (speed - state->speed);
  const double cutoffHz = minCutoffHz + kSmoothingSpeedGain * std::fabs(state->speed);
  // The remaining distance shrinks by the weight each step; keeping it as a
  // distance lets a constant input be reached exactly.
  double remaining = (1.0 - SmoothingWeight(cutoffHz, stepSeconds)) * (deflection - state->value);
  if (std::fabs(remaining) < kSmoothingSettledTravel) remaining = 0;
  state->value = deflection - remaining;
  return state->value;
}

int ChooseDominantAxis(const double* magnitude, int count, int current) {
  int best = -1;
  for (int a = 0; a < count; ++a) {
    if (magnitude[a] > 0 && (best < 0 || magnitude[a] > magnitude[best])) best = a;
  }
  if (best >= 0 && current >= 0 && current < count && magnitude[current] > 0 &&
      magnitude[best] < magnitude[current] + kDominantMarginTravel)
    return current;
  return best;
}
