// Every way pivorasrv can start: the source its command line asks for, and
// the exit code of each start that must end before the window opens.
#include "server/server_start.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Starts with `commandLine` (split at spaces; "@" stands for a scratch
// folder holding good.rec and bad.rec): the exit code, the source and the
// record file, "-" for none, and "beside" when replay.rec is looked for.
std::string Start(const std::string& commandLine) {
  const std::string dir = ::testing::TempDir();
  std::vector<std::string> words = {"pivorasrv.exe"};
  std::istringstream split(commandLine);
  for (std::string word; split >> word;) words.push_back(word[0] == '@' ? dir + word.substr(1) : word);
  std::vector<const char*> argv;
  for (const std::string& w : words) argv.push_back(w.c_str());
  const ServerStart s = ReadServerCommandLine(int(argv.size()), argv.data());
  std::vector<RecordedFrame> replay;
  Recorder recorder{};
  const int code = s.exitCode != 0 ? s.exitCode : OpenServerSources(s, &replay, &recorder);
  StopRecording(&recorder);
  const std::string record = s.recordPath ? s.recordPath : "-";
  return std::to_string(code) + " " + std::to_string(replay.size()) + " " +
         (record.compare(0, dir.size(), dir) == 0 ? record.substr(dir.size()) : record) +
         (s.replayBeside ? " beside" : "");
}

bool Exists(const std::string& path) {
  FILE* f = std::fopen(path.c_str(), "rb");
  return f != nullptr && std::fclose(f) == 0;
}

TEST(ServerStart, CommandLineAndFilesChooseTheSourceOrEndTheStart) {
  const std::string dir = ::testing::TempDir();
  for (const auto& [name, text] : {std::pair{"good.rec", "0 1 2 3 4 5 6 0\n"}, std::pair{"bad.rec", "0 1 2\n"}}) {
    FILE* f = std::fopen((dir + name).c_str(), "wb");
    ASSERT_TRUE(f != nullptr && std::fputs(text, f) >= 0 && std::fclose(f) == 0) << name;
  }
  for (const char* made : {"early.rec", "out.rec"}) std::remove((dir + made).c_str());
  const struct {
    const char* commandLine;
    const char* start;  // exit code, frames replayed, record file
  } cases[] = {
      {"", "0 0 - beside"},  // the module's start
      {"--replay @good.rec", "0 1 -"},
      {"--replay", "2 0 -"},
      {"--frobnicate x", "2 0 -"},
      {"--replay @good.rec --replay @good.rec", "2 0 -"},
      {"--replay @missing.rec", "3 0 -"},
      {"--replay @bad.rec", "3 0 -"},
      {"--record @no-such-folder/out.rec", "4 0 no-such-folder/out.rec"},
      {"--replay @bad.rec --record @early.rec", "3 0 early.rec"},
      {"--record @out.rec --replay @good.rec", "0 1 out.rec"},
  };
  for (const auto& c : cases) EXPECT_EQ(Start(c.commandLine), c.start) << c.commandLine;
  EXPECT_FALSE(Exists(dir + "early.rec")) << "a bad recording ends the start before the record file is made";
  EXPECT_TRUE(Exists(dir + "out.rec"));
}

}  // namespace
