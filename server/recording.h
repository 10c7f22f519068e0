// Recorded controller sessions, played by the device server in place of a
// controller (--replay) and written by it from one (--record): one frame a
// line, "time tX tY tZ rX rY rZ button", time in milliseconds from the start
// and never decreasing, every value a decimal integer. Blank lines and lines
// starting with '#' are ignored.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
