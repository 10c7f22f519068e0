// The start-up decisions of pivorasrv_win.cpp, kept apart so that every
// way a start can fail is checked without starting a process.

#include "server/server_start.h"

#include <cstring>

ServerStart ReadServerCommandLine(int argc, const char* const* argv) {
  ServerStart start = {0, nullptr, nullptr, argc == 1};
  for (int i = 1; i < argc; ++i) {
    const char* option = argv[i];
    if (i + 1 >= argc) return {kExitUsage, nullptr, nullptr, false};
    if (std::strcmp(option, "--replay") == 0 && start.replayPath == nullptr) {
      start.replayPath = argv[++i];
    } else if (std::strcmp(option, "--record") == 0 && start.recordPath == nullptr) {
      start.recordPath = argv[++i];
    } else {
      return {kExitUsage, nullptr, nullptr, false};
    }
  }
  return start;
}

int OpenServerSources(const ServerStart& start, std::vector<RecordedFrame>* replay, Recorder* recorder) {
  if (start.replayPath != nullptr && !LoadRecording(start.replayPath, replay)) return kExitBadRecording;
  if (start.recordPath != nullptr && !StartRecording(start.recordPath, recorder)) return kExitNoRecordFile;
  return 0;
}
