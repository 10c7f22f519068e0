// Plain GDI into whatever DC the caller gives (the window's paint draws into
// a memory bitmap first, so that the bars do not flicker at 100 updates a
// second).

#include "server/live_view_win.h"

#include <cstring>

#include "server/window_scale_win.h"

constexpr int kLabelWidthPx = 30;
constexpr int kBarHeightPx = 16;
constexpr int kBarGapPx = 5;
constexpr int kLegendSwatchPx = 10;
constexpr COLORREF kTrackColour = RGB(255, 255, 255);
constexpr COLORREF kFrameColour = RGB(160, 160, 160);
constexpr COLORREF kNullZoneColour = RGB(255, 226, 150);
constexpr COLORREF kRawColour = RGB(50, 110, 200);
constexpr COLORREF kSentColour = RGB(40, 160, 70);
constexpr const char* kAxisNames[kAxisCount] = {"tX", "tY", "tZ", "rX", "rY", "rZ"};

static void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
  if (right < left) {
    const int swap = left;
    left = right;
    right = swap;
  }
  const RECT r = {left, top, right, bottom};
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);  // a fill without a brush to make and free
}

static double Limited(double share) { return share < -1 ? -1 : (share > 1 ? 1 : share); }

// The null zone's edge on one side, as a share of the bar's half: the same
// arithmetic as the processing (a share of the calibrated side's travel).
static double NullZoneEdge(int32_t calibrated, int32_t nullzone) {
  const double extreme = calibrated >= kMinCalibratedExtreme ? calibrated : kRawHalfRange;
  const int32_t percent = nullzone < 0 ? 0 : (nullzone > 100 ? 100 : nullzone);
  return Limited(percent / 100.0 * kFullNullZoneFraction * extreme / kRawHalfRange);
}

void PaintLiveView(HDC dc, const RECT& area, const RawReading& raw, const PublishedFrame& sent,
                   const ServerConfig& config) {
  const int left = area.left + Px(kLabelWidthPx);
  const int half = (area.right - left) / 2;
  const int centre = left + half;
  SetBkMode(dc, TRANSPARENT);
  for (int a = 0; a < kAxisCount; ++a) {
    const int top = area.top + a * (Px(kBarHeightPx) + Px(kBarGapPx));
    const int middle = top + Px(kBarHeightPx) / 2;
    TextOutA(dc, area.left, top + 1, kAxisNames[a], 2);
    Fill(dc, left - 1, top - 1, area.right + 1, top + Px(kBarHeightPx) + 1, kFrameColour);
    Fill(dc, left, top, area.right, top + Px(kBarHeightPx), kTrackColour);
    const int32_t nullzone = config.settings.axis[a].nullzone;
    if (!config.doingCalibration) {
      Fill(dc, centre - int(half * NullZoneEdge(config.range[a].negative, nullzone)), top,
           centre + int(half * NullZoneEdge(config.range[a].positive, nullzone)) + 1, top + Px(kBarHeightPx),
           kNullZoneColour);
    }
    Fill(dc, centre, top + 2, centre + int(half * Limited(double(raw.axis[a]) / kRawHalfRange)), middle,
         kRawColour);
    // The value sent as a share of what full deflection sends at 100 %.
    const double full = config.doingCalibration ? kRawHalfRange
                                                : (a >= kAxisRX ? kFullScaleRotation : kFullScaleTranslation);
    Fill(dc, centre, middle, centre + int(half * Limited(sent.axis[a] / full)), top + Px(kBarHeightPx) - 2,
         kSentColour);
    Fill(dc, centre, top, centre + 1, top + Px(kBarHeightPx), kFrameColour);
  }
  const int legendTop = area.top + kAxisCount * (Px(kBarHeightPx) + Px(kBarGapPx)) + Px(2);
  const struct {
    COLORREF colour;
    const char* text;
  } legend[] = {{kRawColour, "raw reading"}, {kNullZoneColour, "null zone"}, {kSentColour, "value sent"}};
  int x = left;
  for (const auto& item : legend) {
    Fill(dc, x, legendTop + 2, x + Px(kLegendSwatchPx), legendTop + 2 + Px(kLegendSwatchPx), item.colour);
    TextOutA(dc, x + Px(kLegendSwatchPx) + Px(5), legendTop, item.text, int(std::strlen(item.text)));
    x += Px(120);
  }
}

bool LiveViewShowing(HWND window) { return IsWindowVisible(window) && !IsIconic(window); }
