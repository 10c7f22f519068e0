// Reading recorded sessions, and the recordings that ship with the testbed.
#include "server/recording.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

TEST(Recording, ReadsFramesAndNamesTheFirstFaultyLine) {
  struct Case {
    const char* what;
    std::string text;
    bool ok;
    size_t errorLine;
    size_t frames;
  } const cases[] = {
      {"one frame", "0 1 2 3 4 5 6 7\n", true, 0, 1},
      {"comments, blanks, CRLF, no final newline",
       "# header\r\n\r\n  \t\n0 1 2 3 4 5 6 7\r\n# mid\n25 -1 -2 -3 -4 -5 -6 0", true, 0, 2},
      {"equal times", "0 0 0 0 0 0 0 0\n0 1 0 0 0 0 0 0\n", true, 0, 2},
      {"extremes", "4294967295 2147483647 -2147483648 0 0 0 0 -1\n", true, 0, 1},
      {"empty", "", false, 0, 0},
      {"only comments", "# nothing\n\n", false, 2, 0},
      {"too few values", "0 1 2 3 4 5 6\n", false, 1, 0},
      {"too many values", "0 1 2 3 4 5 6 7 8\n", false, 1, 0},
      {"letters", "0 1 2 3 4 5 6 x\n", false, 1, 0},
      {"glued letters", "0 1 2 3 4 5 6 7abc\n", false, 1, 0},
      {"time going back", "0 0 0 0 0 0 0 0\n50 0 0 0 0 0 0 0\n49 0 0 0 0 0 0 0\n", false, 3, 2},
      {"negative time", "-1 0 0 0 0 0 0 0\n", false, 1, 0},
      {"value past 32 bits", "0 2147483648 0 0 0 0 0 0\n", false, 1, 0},
      {"huge number", "0 99999999999999999999999 0 0 0 0 0 0\n", false, 1, 0},
      {"embedded NUL", std::string("0 1 2 3 4 5 6 7\n0 1 2\0 3 4 5 6 7\n", 33), false, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<RecordedFrame> frames;
    const RecordingParse r = ParseRecording(c.text.data(), c.text.size(), &frames);
    EXPECT_EQ(r.ok, c.ok);
    EXPECT_EQ(r.errorLine, c.errorLine);
    EXPECT_EQ(frames.size(), c.frames);
  }
}

TEST(Recording, KeepsEveryValueInItsPlace) {
  const std::string text = "40 -1 2 -3 4 -5 6 99\n";
  std::vector<RecordedFrame> frames;
  ASSERT_TRUE(ParseRecording(text.data(), text.size(), &frames).ok);
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].timeMs, 40u);
  const int32_t axis[6] = {-1, 2, -3, 4, -5, 6};
  for (int a = 0; a < 6; ++a) EXPECT_EQ(frames[0].axis[a], axis[a]);
  EXPECT_EQ(frames[0].button, 99);
}

TEST(Recording, CurrentFrameIsTheLastWhoseTimeHasCome) {
  const std::string text = "100 0 0 0 0 0 0 0\n200 0 0 0 0 0 0 1\n200 0 0 0 0 0 0 2\n500 0 0 0 0 0 0 3\n";
  std::vector<RecordedFrame> frames;
  ASSERT_TRUE(ParseRecording(text.data(), text.size(), &frames).ok);
  struct Case {
    uint32_t elapsedMs;
    size_t frame;
  } const cases[] = {{0, 0}, {100, 0}, {199, 0}, {200, 2}, {499, 2}, {500, 3}, {UINT32_MAX, 3}};
  for (const Case& c : cases) EXPECT_EQ(CurrentFrame(frames, c.elapsedMs), c.frame) << c.elapsedMs;
}

TEST(Recording, ShippedSessionHasLookingAroundAResetAndASlewRun) {
  FILE* file = std::fopen(RECORDINGS_DIR "/look_around.rec", "rb");
  ASSERT_NE(file, nullptr);
  std::string text;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
  std::fclose(file);

  std::vector<RecordedFrame> frames;
  const RecordingParse r = ParseRecording(text.data(), text.size(), &frames);
  ASSERT_TRUE(r.ok) << "line " << r.errorLine;
  auto atRest = [](const RecordedFrame& f) {
    for (int32_t a : f.axis) {
      if (a != 0) return false;
    }
    return f.button == 0;
  };
  EXPECT_TRUE(atRest(frames.front()));
  EXPECT_TRUE(atRest(frames.back()));
  EXPECT_GE(frames.back().timeMs, 5000u);
  bool pressed = false;
  bool turned = false;
  bool pushedForward = false;
  for (const RecordedFrame& f : frames) {
    pressed |= f.button == 3;
    turned |= f.axis[5] != 0;
    pushedForward |= f.axis[1] > 0;
  }
  EXPECT_TRUE(pressed);
  EXPECT_TRUE(turned);
  EXPECT_TRUE(pushedForward);
}

}  // namespace
