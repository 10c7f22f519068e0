// Layout of the confirmation window `main`, kept in twips (1/1440 inch) as it
// was designed and turned into pixels for the screen's resolution.
#pragma once

struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

struct PixelRect {
  int left;
  int top;
  int width;
  int height;
};

constexpr int kTwipsPerInch = 1440;
constexpr int kClientWidthTwips = 5730;
constexpr int kClientHeightTwips = 1665;
constexpr TwipRect kLabel1Twips = {60, 60, 5595, 675};
constexpr TwipRect kCommand1Twips = {1080, 1020, 1575, 435};
constexpr TwipRect kCommand2Twips = {3180, 1020, 1575, 435};

// Label1 is 8.25 pt bold; the buttons use the window's normal 8 pt font.
constexpr int kLabelFontCentipoints = 825;
constexpr int kNormalFontCentipoints = 800;
constexpr int kLabelFontWeight = 700;
constexpr int kNormalFontWeight = 400;
constexpr const char* kWindowFontFace = "MS Sans Serif";

// Rounded to the nearest pixel at `dotsPerInch`.
int TwipsToPixels(int twips, int dotsPerInch);
PixelRect ToPixels(const TwipRect& rect, int dotsPerInchX, int dotsPerInchY);

// Character height for CreateFont: negative, so that it is the em height.
int FontHeightForPoints(int centipoints, int dotsPerInchY);

// Top-left corner that centres an outer window size on the screen.
void CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight,
                   int* left, int* top);
