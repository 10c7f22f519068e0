// Recordings as the server writes them in recording mode and reads them in
// replay mode.
#include "server/recording.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The extremes of every field, read and written back.
TEST(ServerRecording, ExtremeFramesReadBackUnchanged) {
  const char kLine[] = "4294967295 -2147483648 2147483647 1 -1 0 5 2147483647\n";
  std::vector<RecordedFrame> read;
  ASSERT_TRUE(ParseRecording(kLine, sizeof kLine - 1, &read).ok);
  const RecordedFrame& f = read[0];
  EXPECT_TRUE(f.timeMs == UINT32_MAX && f.axis[0] == INT32_MIN && f.axis[1] == INT32_MAX && f.axis[3] == -1 &&
              f.axis[5] == 5 && f.button == INT32_MAX);
  EXPECT_EQ(FormatRecordedFrame(f), kLine);
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

// Replay plays a session in a loop, 900 ms a pass (its last frame marks the
// pass's end; of two frames with one time, the later counts), while
// recording mode writes each reading that differs from the one before,
// timed from the first.
TEST(ServerRecording, ReplayLoopsInWholePassesAndRecordingKeepsEachChange) {
  const char kSession[] = "# a session\n0 0 0 0 0 0 1000 0\n300 5 5 5 5 5 5 5\n300 -32767 0 0 0 0 1000 3\n"
                          "600 0 0 0 -5 0 0 40\n900 0 0 0 -5 0 0 0\n";
  std::vector<RecordedFrame> session;
  ASSERT_TRUE(ParseRecording(kSession, sizeof kSession - 1, &session).ok);
  const struct {
    uint32_t nowMs;
    int32_t tX, rX, rZ;
    uint32_t buttons;
  } steps[] = {
      {5000, 0, 0, 1000, 0},     {5299, 0, 0, 1000, 0}, {5300, -32767, 0, 1000, 0x4},
      {5600, 0, -5, 0, 0},       // button 40 does not exist
      {5899, 0, -5, 0, 0},       {5900, 0, 0, 1000, 0},  // the second pass
      {8050, -32767, 0, 1000, 0x4},  // a late reading: the pass began at 7700
      {8300, 0, -5, 0, 0},
  };
  const std::string path = ::testing::TempDir() + "srv_recorded.rec";
  Recorder recorder{};
  ASSERT_TRUE(StartRecording(path.c_str(), &recorder));
  uint32_t passStartMs = 5000;
  for (const auto& s : steps) {
    const RawReading r = ReplayReading(session, s.nowMs, &passStartMs);
    EXPECT_TRUE(r.axis[0] == s.tX && r.axis[3] == s.rX && r.axis[5] == s.rZ && r.buttons == s.buttons) << s.nowMs;
    RecordReading(&recorder, s.nowMs, r);
  }
  StopRecording(&recorder);
  std::vector<char> text;
  ASSERT_TRUE(ReadWholeFile(path.c_str(), &text));
  EXPECT_EQ(std::string(text.begin(), text.end()),
            "# pivorasrv raw readings: time_ms tX tY tZ rX rY rZ button\n"
            "0 0 0 0 0 0 1000 0\n300 -32767 0 0 0 0 1000 3\n600 0 0 0 -5 0 0 0\n900 0 0 0 0 0 1000 0\n"
            "3050 -32767 0 0 0 0 1000 3\n3300 0 0 0 -5 0 0 0\n");
}

}  // namespace
