// Twip and point arithmetic for the confirmation window.
#include "remover/window_layout.h"

namespace {

constexpr int kCentipointsPerInch = 7200;

// Round half away from zero; all inputs here are small and non-negative in
// practice, but a negative twip value must not round the wrong way.
int ScaleRounded(int value, int numerator, int denominator) {
  long long product = static_cast<long long>(value) * numerator;
  long long half = denominator / 2;
  long long scaled = product >= 0 ? (product + half) / denominator : (product - half) / denominator;
  return static_cast<int>(scaled);
}

}  // namespace

int TwipsToPixels(int twips, int dotsPerInch) {
  return ScaleRounded(twips, dotsPerInch, kTwipsPerInch);
}

PixelRect ToPixels(const TwipRect& rect, int dotsPerInchX, int dotsPerInchY) {
  return PixelRect{TwipsToPixels(rect.left, dotsPerInchX), TwipsToPixels(rect.top, dotsPerInchY),
                   TwipsToPixels(rect.width, dotsPerInchX),
                   TwipsToPixels(rect.height, dotsPerInchY)};
}

int FontHeightForPoints(int centipoints, int dotsPerInchY) {
  return -ScaleRounded(centipoints, dotsPerInchY, kCentipointsPerInch);
}

void CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                   int* left, int* top) {
  *top = screenHeight / 2 - windowHeight / 2;
  *left = screenWidth / 2 - windowWidth / 2;
}
