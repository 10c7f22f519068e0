// Every way pivorasrv can start: the source its command line asks for, and
// the exit code of each start that must end before the window opens.
#include "server/server_start.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

// "code replay record", "-" for none, and "beside" when replay.rec is looked for.
std::string Start(const std::string& commandLine) {
  std::vector<std::string> words = {"pivorasrv.exe"};
  std::istringstream split(commandLine);
  for (std::string word; split >> word;) words.push_back(word);
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  const ServerStart s = ReadServerCommandLine(int(argv.size()), argv.data());
  return std::to_string(s.exitCode) + " " + (s.replayPath ? s.replayPath : "-") + " " +
         (s.recordPath ? s.recordPath : "-") + (s.replayBeside ? " beside" : "");
}

TEST(ServerStart, CommandLineChoosesTheSourceOrEndsWithUsage) {
  EXPECT_EQ(Start(""), "0 - - beside");  // the module's start
  EXPECT_EQ(Start("--replay a.rec"), "0 a.rec -");
  EXPECT_EQ(Start("--record o.rec"), "0 - o.rec");
  EXPECT_EQ(Start("--record o.rec --replay a.rec"), "0 a.rec o.rec");
  for (const char* bad : {"--replay", "--frobnicate x", "--replay a --replay b", "--replay a --record"})
    EXPECT_EQ(Start(bad), "2 - -") << bad;
}

TEST(ServerStart, UnreadableRecordingOrRecordFileEndsTheStart) {
  const std::string dir = ::testing::TempDir(), good = dir + "srv_good.rec", bad = dir + "srv_bad.rec";
  const std::string out = dir + "srv_out.rec", noFolder = dir + "srv no such folder/out.rec";
  for (const auto& [path, text] : {std::pair{good, "0 1 2 3 4 5 6 0\n"}, std::pair{bad, "0 1 2\n"}}) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f != nullptr && std::fputs(text, f) >= 0 && std::fclose(f) == 0) << path;
  }
  std::remove(out.c_str());
  const struct {
    std::string replay, record;  // empty: none
    int code;
  } cases[] = {{dir + "srv_missing.rec", "", 3}, {bad, "", 3}, {"", noFolder, 4}, {bad, out, 3}, {good, out, 0}};
  for (const auto& c : cases) {
    const ServerStart start = {0, c.replay.empty() ? nullptr : c.replay.c_str(),
                               c.record.empty() ? nullptr : c.record.c_str(), false};
    std::vector<RecordedFrame> replay;
    Recorder recorder{};
    EXPECT_EQ(OpenServerSources(start, &replay, &recorder), c.code) << c.replay << " " << c.record;
    EXPECT_EQ(replay.size(), c.code == 0 ? 1u : 0u) << c.replay;
    StopRecording(&recorder);
    // A bad recording ends the start before the record file is made.
    FILE* made = std::fopen(out.c_str(), "rb");
    EXPECT_EQ(made != nullptr, c.code == 0) << c.replay;
    if (made != nullptr) std::fclose(made);
  }
}

}  // namespace
