// pivorasrv.exe on its own: recording mode writes the raw readings that
// replay mode reads back, and a bad command line or recording ends it at
// once with its exit code and no window.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "server/recording.h"
#include "tests/wine/server/server_case.h"

namespace {

TEST(ServerProgram, RecordingModeSavesTheRawReadingsInOrder) {
  ASSERT_EQ(ServerWindow(), nullptr) << "another server is running";
  ScratchFolder scratch;
  const char kSession[] =
      "0 0 0 0 0 0 1000 0\n"
      "300 -32767 0 0 0 0 1000 3\n"
      "600 0 0 0 -5 0 0 0\n"
      "900 0 0 0 -5 0 0 0\n";
  ASSERT_TRUE(WriteBytes(scratch / "in.rec", kSession));
  Program server;
  ASSERT_TRUE(server.Start(PIVORASRV_PATH, "--replay \"" + (scratch / "in.rec") + "\" --record \"" +
                                               (scratch / "out.rec") + "\""));
  // Past one pass of the session, whatever the emulation's pace.
  std::string text;
  ASSERT_TRUE(WaitUntil(kServerStartTimeoutMs, [&] {
    return ReadBytes(scratch / "out.rec", &text) && std::count(text.begin(), text.end(), '\n') >= 5;
  })) << "the header and four readings: " << text;
  PostMessageA(ServerWindow(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(server.WaitForExit(kServerStartTimeoutMs));
  ASSERT_TRUE(ReadBytes(scratch / "out.rec", &text));
  std::vector<RecordedFrame> frames;
  ASSERT_TRUE(ParseRecording(text.data(), text.size(), &frames).ok) << text;
  // A reading is written when it differs from the one before: the three
  // distinct readings of the session, then the first again.
  const int32_t expected[4][7] = {
      {0, 0, 0, 0, 0, 1000, 0}, {-32767, 0, 0, 0, 0, 1000, 3}, {0, 0, 0, -5, 0, 0, 0}, {0, 0, 0, 0, 0, 1000, 0}};
  ASSERT_GE(frames.size(), 4u) << text;
  for (size_t i = 0; i < 4; ++i) {
    for (int a = 0; a < 6; ++a) EXPECT_EQ(frames[i].axis[a], expected[i][a]) << "reading " << i << " axis " << a;
    EXPECT_EQ(frames[i].button, expected[i][6]) << "reading " << i;
    if (i > 0) {
      EXPECT_GE(frames[i].timeMs, frames[i - 1].timeMs + 200) << text;
    }
  }
  EXPECT_EQ(frames[0].timeMs, 0u);
}

TEST(ServerProgram, BadStartsEndAtOnceWithoutAWindow) {
  ScratchFolder scratch;
  ASSERT_TRUE(WriteBytes(scratch / "bad.rec", "0 1 2\n"));
  const struct {
    std::string arguments;
    long code;
  } cases[] = {
      {"--replay", 2},
      {"--frobnicate x", 2},
      {"--replay a --replay b", 2},
      {"--replay \"" + (scratch / "missing.rec") + "\"", 3},
      {"--replay \"" + (scratch / "bad.rec") + "\"", 3},
      {"--record \"" + scratch.path() + "\\no such folder\\out.rec\"", 4},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RunToExit(PIVORASRV_PATH, c.arguments, kServerStartTimeoutMs), c.code) << c.arguments;
    EXPECT_EQ(ServerWindow(), nullptr) << c.arguments;
  }
}

}  // namespace
