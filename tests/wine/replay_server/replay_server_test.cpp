// The replaying device server, treated as the module treats a device server:
// found by its window class, read through its title, closed with WM_CLOSE.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "module/title_layout.h"
#include "module/title_parse.h"

namespace {

// Generous: every Wine process here runs under emulation.
constexpr DWORD kStartTimeoutMs = 20000;
constexpr DWORD kPollMs = 10;

std::string TempFile(const char* name, const std::string& text) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  const std::string path = std::string(dir) + name;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file != nullptr) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
  return path;
}

struct Server {
  PROCESS_INFORMATION process{};
  bool started = false;

  explicit Server(const std::string& arguments) {
    std::string commandLine = "\"" REPLAY_SERVER_PATH "\" " + arguments;
    Start(REPLAY_SERVER_PATH, &commandLine[0]);
  }
  // As the module starts its device server: a program path, no command line.
  struct AsModuleDoes {};
  Server(AsModuleDoes, const std::string& program) { Start(program.c_str(), nullptr); }

  void Start(const char* program, char* commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNOACTIVATE;
    started = CreateProcessA(program, commandLine, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS,
                             nullptr, nullptr, &startup, &process) != FALSE;
  }
  ~Server() {
    if (!started) return;
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // Exit code once the process has ended, or -1 if it is still running.
  long ExitCode(DWORD timeoutMs) const {
    if (WaitForSingleObject(process.hProcess, timeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
  }
};

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK MatchServerWindow(HWND window, LPARAM context) {
  WindowSearch* search = reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (owner != search->processId || std::strcmp(name, "pivoraserver") != 0) return TRUE;
  search->found = window;
  return FALSE;
}

// The "pivoraserver" window of one process. Other programs in the same Wine
// prefix may own windows of that class too, so FindWindow is not enough.
HWND ServerWindowOf(const Server& server) {
  WindowSearch search{server.process.dwProcessId, nullptr};
  EnumWindows(MatchServerWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForServerWindow(const Server& server) {
  for (DWORD waited = 0; waited < kStartTimeoutMs; waited += kPollMs) {
    if (HWND window = ServerWindowOf(server)) return window;
    Sleep(kPollMs);
  }
  return nullptr;
}

std::string Title(HWND window) {
  char title[kTitleBufferSize] = {};
  const int length = GetWindowTextA(window, title, sizeof title);
  return std::string(title, length > 0 ? static_cast<size_t>(length) : 0);
}

// Reads titles until `count` different non-empty ones have been seen, in the
// order they appeared; gives up after `timeoutMs`.
std::vector<std::string> DistinctTitles(HWND window, size_t count, DWORD timeoutMs) {
  std::vector<std::string> seen;
  for (DWORD waited = 0; waited < timeoutMs && seen.size() < count; waited += kPollMs) {
    const std::string title = Title(window);
    if (!title.empty() && (seen.empty() || seen.back() != title)) seen.push_back(title);
    Sleep(kPollMs);
  }
  return seen;
}

std::string Summary(const std::string& title) {
  const DeviceFrame f = ParseDeviceTitle(title.data(), title.size());
  char text[128];
  std::snprintf(text, sizeof text, "%g %g %g %g %g %g b%ld", f.tX, f.tY, f.tZ, f.rX, f.rY, f.rZ,
                static_cast<long>(f.button));
  return text;
}

TEST(ReplayServer, PublishesEachFrameInTurnAndQuitsOnClose) {
  const std::string recording = TempFile("replay_turns.rec",
                                         "# three frames a second apart\n"
                                         "0 1 2 3 4 5 6 0\n"
                                         "1000 -10 -20 -30 -40 -50 -60 7\n"
                                         "2000 0 0 0 0 0 0 100\n");
  Server server("\"" + recording + "\"");
  ASSERT_TRUE(server.started);
  const HWND window = WaitForServerWindow(server);
  ASSERT_NE(window, nullptr);

  const std::vector<std::string> titles = DistinctTitles(window, 3, 15000);
  std::vector<std::string> frames;
  for (const std::string& t : titles) frames.push_back(Summary(t));
  EXPECT_EQ(frames, (std::vector<std::string>{"1 2 3 4 5 6 b0", "-10 -20 -30 -40 -50 -60 b7", "0 0 0 0 0 0 b100"}));
  ASSERT_FALSE(titles.empty());
  EXPECT_EQ(titles[0], "tX=      1 tY=      2 tZ=      3 rX=      4 rY=      5 rZ=      6 btn=0");

  // The last frame stays once the recording has run out.
  Sleep(300);
  EXPECT_EQ(Summary(Title(window)), "0 0 0 0 0 0 b100");

  // As at the module's stop: SendMessage returns once the server has handled it.
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(server.ExitCode(10000), 0);
  EXPECT_FALSE(IsWindow(window));
}

TEST(ReplayServer, StartsOverWhenLooping) {
  const std::string recording = TempFile("replay_loop.rec",
                                         "0 100 0 0 0 0 0 0\n"
                                         "500 0 200 0 0 0 0 0\n"
                                         "1000 0 0 0 0 0 0 0\n");
  Server server("--loop \"" + recording + "\"");
  ASSERT_TRUE(server.started);
  const HWND window = WaitForServerWindow(server);
  ASSERT_NE(window, nullptr);
  std::vector<std::string> frames;
  for (const std::string& t : DistinctTitles(window, 4, 15000)) frames.push_back(Summary(t));
  // The last line only ends a pass: its frame never shows while looping.
  EXPECT_EQ(frames, (std::vector<std::string>{"100 0 0 0 0 0 b0", "0 200 0 0 0 0 b0", "100 0 0 0 0 0 b0",
                                              "0 200 0 0 0 0 b0"}));
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(server.ExitCode(10000), 0);
}

TEST(ReplayServer, StandsInForTheDeviceServerWithTheRecordingBesideIt) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  const std::string folder = std::string(dir) + "replay_standin";
  CreateDirectoryA(folder.c_str(), nullptr);
  const std::string program = folder + "\\pivorasrv.exe";
  ASSERT_TRUE(CopyFileA(REPLAY_SERVER_PATH, program.c_str(), FALSE));
  FILE* file = std::fopen((folder + "\\replay.rec").c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fputs("0 5 0 0 0 0 0 0\n300 0 0 0 0 0 -5 0\n600 0 0 0 0 0 0 0\n", file);
  std::fclose(file);

  Server server(Server::AsModuleDoes{}, program);
  ASSERT_TRUE(server.started);
  const HWND window = WaitForServerWindow(server);
  ASSERT_NE(window, nullptr);
  std::vector<std::string> frames;
  for (const std::string& t : DistinctTitles(window, 3, 15000)) frames.push_back(Summary(t));
  // Looping: the first frame comes back.
  EXPECT_EQ(frames, (std::vector<std::string>{"5 0 0 0 0 0 b0", "0 0 0 0 0 -5 b0", "5 0 0 0 0 0 b0"}));
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(server.ExitCode(10000), 0);
}

TEST(ReplayServer, RefusesBadInvocationsWithoutAWindow) {
  const std::string bad = TempFile("replay_bad.rec", "0 1 2 3\n");
  const std::string good = TempFile("replay_good.rec", "0 1 2 3 4 5 6 7\n");
  struct Case {
    std::string arguments;
    long exitCode;
  } const cases[] = {
      {"", 3},  // plays replay.rec beside the program, and there is none
      {"--loop", 2},
      {"\"" + good + "\" \"" + good + "\"", 2},
      {"\"" + good + ".missing\"", 3},
      {"\"" + bad + "\"", 3},
  };
  for (const Case& c : cases) {
    Server server(c.arguments);
    ASSERT_TRUE(server.started);
    bool showedWindow = false;
    long exitCode = -1;
    for (DWORD waited = 0; waited < kStartTimeoutMs && exitCode == -1; waited += kPollMs) {
      showedWindow |= ServerWindowOf(server) != nullptr;
      exitCode = server.ExitCode(kPollMs);
    }
    EXPECT_EQ(exitCode, c.exitCode) << c.arguments;
    EXPECT_FALSE(showedWindow) << c.arguments;
  }
}

}  // namespace
