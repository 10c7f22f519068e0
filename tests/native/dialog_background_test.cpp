#include "setup/dialog_background.h"

#include <gtest/gtest.h>

namespace {

struct ScaleCase {
  const char* behaviour;
  PictureSize picture;
  DialogBaseUnits drawnFor;
  DialogBaseUnits dialog;
  PictureSize shown;
};

TEST(ScaledPictureSize, FollowsTheDialogLayoutAcrossAndDown) {
  const ScaleCase cases[] = {
      {"96 DPI: the settings picture as drawn", {800, 490}, {6, 13}, {6, 13}, {800, 490}},
      {"125 %: a quarter more, half a pixel rounds up", {800, 490}, {4, 8}, {5, 10}, {1000, 613}},
      {"font wider than tall: across and down apart", {800, 490}, {6, 13}, {8, 15}, {1067, 565}},
      {"odd base units round to the nearest pixel", {468, 464}, {6, 13}, {7, 16}, {546, 571}},
      {"failed measurement (0 base units) leaves it unscaled", {800, 490}, {6, 13}, {0, 0}, {800, 490}},
      {"negative base units leave it unscaled", {800, 490}, {6, 13}, {-6, 13}, {800, 490}},
      {"huge base units saturate instead of wrapping", {800, 490}, {1, 1}, {2147483647, 1}, {2147483647, 490}},
  };
  for (const ScaleCase& c : cases) {
    const PictureSize shown = ScaledPictureSize(c.picture, c.drawnFor, c.dialog);
    EXPECT_EQ(c.shown.width, shown.width) << c.behaviour;
    EXPECT_EQ(c.shown.height, shown.height) << c.behaviour;
  }
}

}  // namespace
