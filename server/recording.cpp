// Reading recorded controller sessions. The files are written by hand or by
// a script, so every fault names its line instead of being skipped.

#include "server/recording.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

static bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// One integer in [low, high] from [*pos, end); advances past it.
static bool ReadInteger(const std::string& line, size_t* pos, long long low, long long high,
                        long long* value) {
  while (*pos < line.size() && IsBlank(line[*pos])) ++*pos;
  if (*pos >= line.size()) return false;
  const char* start = line.c_str() + *pos;
  char* stop = nullptr;
  errno = 0;
  const long long v = std::strtoll(start, &stop, 10);
  if (stop == start || errno == ERANGE || v < low || v > high) return false;
  if (*stop != '\0' && !IsBlank(*stop)) return false;  // "12abc"
  *pos += static_cast<size_t>(stop - start);
  *value = v;
  return true;
}

static bool ParseLine(const std::string& line, RecordedFrame* frame) {
  size_t pos = 0;
  long long v = 0;
  if (!ReadInteger(line, &pos, 0, UINT32_MAX, &v)) return false;
  frame->timeMs = static_cast<uint32_t>(v);
  for (int32_t& a : frame->axis) {
    if (!ReadInteger(line, &pos, INT32_MIN, INT32_MAX, &v)) return false;
    a = static_cast<int32_t>(v);
  }
  if (!ReadInteger(line, &pos, INT32_MIN, INT32_MAX, &v)) return false;
  frame->button = static_cast<int32_t>(v);
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos == line.size();
}

RecordingParse ParseRecording(const char* text, size_t length, std::vector<RecordedFrame>* frames) {
  frames->clear();
  size_t lineNumber = 0;
  size_t start = 0;
  while (start < length) {
    size_t end = start;
    while (end < length && text[end] != '\n') ++end;
    const std::string line(text + start, end - start);
    start = end + 1;
    ++lineNumber;

    size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#') continue;

    RecordedFrame frame{};
    if (line.find('\0') != std::string::npos || !ParseLine(line, &frame)) return {false, lineNumber};
    if (!frames->empty() && frame.timeMs < frames->back().timeMs) return {false, lineNumber};
    frames->push_back(frame);
  }
  if (frames->empty()) return {false, lineNumber};
  return {true, 0};
}

size_t CurrentFrame(const std::vector<RecordedFrame>& frames, uint32_t elapsedMs) {
  size_t current = 0;
  for (size_t i = 1; i < frames.size() && frames[i].timeMs <= elapsedMs; ++i) current = i;
  return current;
}

std::string FormatRecordedFrame(const RecordedFrame& frame) {
  char line[12 * 8 + 2];
  const int n = std::snprintf(line, sizeof line, "%lu %ld %ld %ld %ld %ld %ld %ld\n",
                              static_cast<unsigned long>(frame.timeMs), static_cast<long>(frame.axis[0]),
                              static_cast<long>(frame.axis[1]), static_cast<long>(frame.axis[2]),
                              static_cast<long>(frame.axis[3]), static_cast<long>(frame.axis[4]),
                              static_cast<long>(frame.axis[5]), static_cast<long>(frame.button));
  return std::string(line, n > 0 ? static_cast<size_t>(n) : 0);
}

bool ReadWholeFile(const char* path, std::vector<char>* text) {
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text->insert(text->end(), chunk, chunk + n);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool LoadRecording(const char* path, std::vector<RecordedFrame>* frames) {
  std::vector<char> text;
  return ReadWholeFile(path, &text) && ParseRecording(text.data(), text.size(), frames).ok;
}

RawReading ReplayReading(const std::vector<RecordedFrame>& frames, uint32_t nowMs, uint32_t* passStartMs) {
  uint32_t elapsedMs = nowMs - *passStartMs;
  const uint32_t passMs = frames.back().timeMs;
  if (passMs > 0 && elapsedMs >= passMs) {
    // Start the next pass where this one should have ended, so a late
    // reading does not stretch the recording.
    *passStartMs += elapsedMs / passMs * passMs;
    elapsedMs %= passMs;
  }
  const RecordedFrame& frame = frames[CurrentFrame(frames, elapsedMs)];
  RawReading reading{};
  std::memcpy(reading.axis, frame.axis, sizeof reading.axis);
  // Recordings hold the button number; buttons above 32 do not exist here.
  reading.buttons = frame.button >= 1 && frame.button <= 32 ? uint32_t{1} << (frame.button - 1) : 0;
  return reading;
}

bool StartRecording(const char* path, Recorder* recorder) {
  *recorder = Recorder{};
  recorder->file = std::fopen(path, "wb");
  if (recorder->file == nullptr) return false;
  std::fputs("# pivorasrv raw readings: time_ms tX tY tZ rX rY rZ button\n", recorder->file);
  return true;
}

void RecordReading(Recorder* recorder, uint32_t nowMs, const RawReading& reading) {
  if (recorder->file == nullptr) return;
  if (recorder->recordedAny && std::memcmp(&reading, &recorder->last, sizeof reading) == 0) return;
  if (!recorder->recordedAny) recorder->startMs = nowMs;
  recorder->recordedAny = true;
  recorder->last = reading;
  RecordedFrame frame{};
  frame.timeMs = nowMs - recorder->startMs;
  std::memcpy(frame.axis, reading.axis, sizeof frame.axis);
  frame.button = LowestButton(reading.buttons);
  const std::string line = FormatRecordedFrame(frame);
  std::fwrite(line.data(), 1, line.size(), recorder->file);
  std::fflush(recorder->file);
}

void StopRecording(Recorder* recorder) {
  if (recorder->file != nullptr) std::fclose(recorder->file);
  recorder->file = nullptr;
}
