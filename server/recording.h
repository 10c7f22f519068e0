// Recorded controller sessions, played by the device server in place of a
// controller (--replay) and written by it from one (--record): one frame a
// line, "time tX tY tZ rX rY rZ button", time in milliseconds from the start
// and never decreasing, every value a decimal integer. Blank lines and lines
// starting with '#' are ignored. Portable: no Windows header.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "server/axis_processing.h"

struct RecordedFrame {
  uint32_t timeMs;
  int32_t axis[6];  // tX, tY, tZ, rX, rY, rZ
  int32_t button;
};

struct RecordingParse {
  bool ok;
  size_t errorLine;  // 1-based line of the first fault when !ok
};

// Reads a whole recording. On a fault `frames` holds the lines before it.
RecordingParse ParseRecording(const char* text, size_t length, std::vector<RecordedFrame>* frames);

// Index of the frame that is current `elapsedMs` after the start: the last
// one whose time has come, or 0 before the first.
size_t CurrentFrame(const std::vector<RecordedFrame>& frames, uint32_t elapsedMs);

// One frame as a recording line, "time tX tY tZ rX rY rZ button" and a line
// break; ParseRecording reads it back unchanged.
std::string FormatRecordedFrame(const RecordedFrame& frame);

// Appends the bytes of the file at `path` to `text`; false when it cannot be
// opened or read.
bool ReadWholeFile(const char* path, std::vector<char>* text);

// ReadWholeFile and ParseRecording: false when the file cannot be read or
// holds a fault.
bool LoadRecording(const char* path, std::vector<RecordedFrame>* frames);

// The reading that a recording played in a loop gives at `nowMs` (any
// millisecond clock that wraps at 2^32). `passStartMs` is when the current
// pass began; a reading past the pass's end moves it on by whole passes.
// `frames` holds at least one frame, as every recording ParseRecording
// accepts does.
RawReading ReplayReading(const std::vector<RecordedFrame>& frames, uint32_t nowMs, uint32_t* passStartMs);

// Recording mode: the raw readings as they change, written as they come.
struct Recorder {
  FILE* file;  // null: not recording
  bool recordedAny;
  uint32_t startMs;  // the clock at the first reading written
  RawReading last;
};

// Creates (or empties) `path` and writes the header line; false when the
// file cannot be created.
bool StartRecording(const char* path, Recorder* recorder);

// Writes `reading` taken at `nowMs` unless it repeats the one written last,
// and flushes it, so the file is whole even if the server is ended.
void RecordReading(Recorder* recorder, uint32_t nowMs, const RawReading& reading);

void StopRecording(Recorder* recorder);
