// pivorasrv.exe on its own: recording mode writes the raw readings that
// replay mode reads back, and a bad command line or recording ends it at
// once with its exit code and no window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/recording.h"
#include "tests/wine/server/server_case.h"

namespace {

struct Scratch {
  std::string folder;
  Scratch() {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    folder = std::string(temp) + "pivorasrv-test-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
  }
  ~Scratch() {
    for (const char* name : {"in.rec", "out.rec", "bad.rec"}) DeleteFileA(File(name).c_str());
    RemoveDirectoryA(folder.c_str());
  }
  std::string File(const char* name) const { return folder + "\\" + name; }
};

// Starts the server with `arguments`; returns its exit code, or -1 while it
// still runs after `waitMs` (then `process` is left open for the caller).
long RunServer(const std::string& arguments, DWORD waitMs, PROCESS_INFORMATION* process) {
  std::string command = "\"" PIVORASRV_PATH "\" " + arguments;
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessA(PIVORASRV_PATH, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, process))
    return -2;
  if (WaitForSingleObject(process->hProcess, waitMs) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process->hProcess, &code);
  CloseHandle(process->hThread);
  CloseHandle(process->hProcess);
  return long(code);
}

TEST(ServerProgram, RecordingModeSavesTheRawReadingsInOrder) {
  ASSERT_EQ(ServerWindow(), nullptr) << "another server is running";
  Scratch scratch;
  const char kSession[] =
      "0 0 0 0 0 0 1000 0\n"
      "300 -32767 0 0 0 0 1000 3\n"
      "600 0 0 0 -5 0 0 0\n"
      "900 0 0 0 -5 0 0 0\n";
  ASSERT_TRUE(WriteTextFile(scratch.File("in.rec"), kSession));
  PROCESS_INFORMATION process{};
  ASSERT_EQ(RunServer("--replay \"" + scratch.File("in.rec") + "\" --record \"" + scratch.File("out.rec") + "\"",
                      1500, &process),
            -1);
  // Past one pass of the session, whatever the emulation's pace.
  ASSERT_TRUE(SimHostPumpUntil(kServerStartTimeoutMs, [&] {
    FILE* file = std::fopen(scratch.File("out.rec").c_str(), "rb");
    if (file == nullptr) return false;
    int lines = 0;
    for (int c; (c = std::fgetc(file)) != EOF;) lines += c == '\n';
    std::fclose(file);
    return lines >= 5;  // the header and four readings
  }));
  PostMessageA(ServerWindow(), WM_CLOSE, 0, 0);
  EXPECT_EQ(WaitForSingleObject(process.hProcess, kServerStartTimeoutMs), WAIT_OBJECT_0);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::string text;
  FILE* file = std::fopen(scratch.File("out.rec").c_str(), "rb");
  ASSERT_NE(file, nullptr);
  for (int c; (c = std::fgetc(file)) != EOF;) text += char(c);
  std::fclose(file);
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
  Scratch scratch;
  ASSERT_TRUE(WriteTextFile(scratch.File("bad.rec"), "0 1 2\n"));
  const struct {
    std::string arguments;
    long code;
  } cases[] = {
      {"--replay", 2},
      {"--frobnicate x", 2},
      {"--replay a --replay b", 2},
      {"--replay \"" + scratch.File("missing.rec") + "\"", 3},
      {"--replay \"" + scratch.File("bad.rec") + "\"", 3},
      {"--record \"" + scratch.folder + "\\no such folder\\out.rec\"", 4},
  };
  for (const auto& c : cases) {
    PROCESS_INFORMATION process{};
    EXPECT_EQ(RunServer(c.arguments, kServerStartTimeoutMs, &process), c.code) << c.arguments;
    EXPECT_EQ(ServerWindow(), nullptr) << c.arguments;
  }
}

}  // namespace
