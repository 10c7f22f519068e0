// Recordings as the server writes them in recording mode and reads them in
// replay mode.
#include "server/recording.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace {

TEST(ServerRecording, WrittenFramesReadBackUnchanged) {
  const std::vector<RecordedFrame> frames = {
      {0, {0, 0, 0, 0, 0, 0}, 0},
      {10, {-32768, 32767, 1, -1, 0, 5}, 3},
      {UINT32_MAX, {INT32_MIN, INT32_MAX, 0, 0, 0, 0}, INT32_MAX},
  };
  std::string text = "# header\n";
  for (const RecordedFrame& f : frames) text += FormatRecordedFrame(f);
  std::vector<RecordedFrame> read;
  const RecordingParse parse = ParseRecording(text.data(), text.size(), &read);
  ASSERT_TRUE(parse.ok) << parse.errorLine;
  std::string again = "# header\n";
  for (const RecordedFrame& f : read) again += FormatRecordedFrame(f);
  EXPECT_EQ(again, text);
}

TEST(ServerRecording, FaultsNameTheirLine) {
  const struct {
    const char* text;
    size_t line;
  } cases[] = {
      {"0 1 2 3 4 5 6 7\n5 1 2 3\n", 2},
      {"10 0 0 0 0 0 0 0\n5 0 0 0 0 0 0 0\n", 2},
      {"# only a comment\n", 1},
      {"0 0 0 0 0 0 0 0 9\n", 1},
      {"0 0 0 0 0 0 0 12abc\n", 1},
  };
  for (const auto& c : cases) {
    std::vector<RecordedFrame> read;
    const RecordingParse parse = ParseRecording(c.text, std::string(c.text).size(), &read);
    EXPECT_FALSE(parse.ok) << c.text;
    EXPECT_EQ(parse.errorLine, c.line) << c.text;
  }
}

TEST(ServerRecording, CurrentFrameIsTheLastWhoseTimeHasCome) {
  std::vector<RecordedFrame> frames(3);
  frames[0].timeMs = 0;
  frames[1].timeMs = 100;
  frames[2].timeMs = 100;
  const struct {
    uint32_t elapsed;
    size_t expected;
  } cases[] = {{0, 0}, {99, 0}, {100, 2}, {UINT32_MAX, 2}};
  for (const auto& c : cases) EXPECT_EQ(CurrentFrame(frames, c.elapsed), c.expected) << c.elapsed;
}

}  // namespace
