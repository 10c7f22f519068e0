// How the device server starts: which source its command line asks for and
// what stops it before it opens a window. Portable: no Windows header.
//
//   pivorasrv.exe                     the controller (or replay.rec beside
//                                     the program, when that file exists)
//   pivorasrv.exe --replay <file>     plays a recording in a loop instead
//   pivorasrv.exe --record <file>     also saves the raw readings to <file>
#pragma once
#include <vector>

#include "server/recording.h"

// Exit codes of a start that ends before the window: 0 is a normal end or
// another server running, 1 no window.
constexpr int kExitUsage = 2;
constexpr int kExitBadRecording = 3;
constexpr int kExitNoRecordFile = 4;

struct ServerStart {
  int exitCode;            // kExitUsage, or 0 to go on
  const char* replayPath;  // null: the controller
  const char* recordPath;  // null: no recording
  // No command line at all: the module started the server, and a recording
  // beside the program, if there is one, is the source.
  bool replayBeside;
};

// Reads the command line as the C runtime splits it, argv[0] the program.
// Each option once, each with its file.
ServerStart ReadServerCommandLine(int argc, const char* const* argv);

// Loads the recording to replay and creates the file to record into, as
// `start` names them; returns 0, or the exit code of the first that fails.
int OpenServerSources(const ServerStart& start, std::vector<RecordedFrame>* replay, Recorder* recorder);
