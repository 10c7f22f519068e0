// Measures what the motion feel does to a recorded session: replays it as
// the device server does (every 10 ms the reading current at that time)
// through the server's processing with the feel off, with smoothing alone,
// and with smoothing and curve, and writes the values sent as CSV for the
// demo's plot. Prints the jitter at rest and the added lag on a step.
//
//   feel_measure <recording> <out.csv> [smoothing % [curve %]]    (defaults 50 50)
//
// The recording marks its phases with comment lines "# phase <ms> <name>";
// jitter is measured in the phase "tremor" (after its first 500 ms, while
// the hand settles), lag on pitch at the start of the phase "step".
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "server/axis_processing.h"
#include "server/recording.h"

namespace {

constexpr uint32_t kPeriodMs = 10;
constexpr uint32_t kSettleMs = 500;
enum Run { kOff, kSmoothing, kFeel, kRunCount };

// Start of the first phase called `name` and of the phase after it.
bool FindPhase(const std::vector<char>& text, const char* name, uint32_t* start, uint32_t* end) {
  bool found = false;
  *end = UINT32_MAX;
  const char* const last = text.data() + text.size();
  for (const char* line = text.data(); line != nullptr && line < last;) {
    unsigned long ms = 0;
    char phase[64] = "";
    if (std::sscanf(line, "# phase %lu %63[^\r\n]", &ms, phase) == 2) {
      if (found && *end == UINT32_MAX) *end = uint32_t(ms);
      if (!found && std::strcmp(phase, name) == 0) found = true, *start = uint32_t(ms);
    }
    line = static_cast<const char*>(std::memchr(line, '\n', last - line));
    if (line != nullptr) ++line;
  }
  return found;
}

double Deviation(const std::vector<double>& values) {
  double mean = 0, squares = 0;
  for (double v : values) mean += v / values.size();
  for (double v : values) squares += (v - mean) * (v - mean) / values.size();
  return std::sqrt(squares);
}

// Readings from `from` until |value| first reaches half of its final size.
long ReadingsToHalf(const std::vector<int32_t>& sent, size_t from, size_t end) {
  const double half = std::abs(sent[end - 1]) / 2.0;
  for (size_t i = from; i < end; ++i) {
    if (std::abs(sent[i]) >= half) return long(i - from);
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: feel_measure <recording> <out.csv> [smoothing %% [curve %%]]\n");
    return 2;
  }
  const int32_t smoothing = argc > 3 ? std::atoi(argv[3]) : 50;
  const int32_t curve = argc > 4 ? std::atoi(argv[4]) : 50;
  std::vector<char> text;
  std::vector<RecordedFrame> frames;
  if (!ReadWholeFile(argv[1], &text) || !ParseRecording(text.data(), text.size(), &frames).ok) {
    std::fprintf(stderr, "feel_measure: cannot read %s\n", argv[1]);
    return 3;
  }
  uint32_t tremorStart, tremorEnd, stepStart, stepEnd;
  if (!FindPhase(text, "tremor", &tremorStart, &tremorEnd) || !FindPhase(text, "step", &stepStart, &stepEnd)) {
    std::fprintf(stderr, "feel_measure: the recording marks no phases \"tremor\" and \"step\"\n");
    return 3;
  }

  ServerConfig config[kRunCount] = {DefaultServerConfig(), DefaultServerConfig(), DefaultServerConfig()};
  config[kSmoothing].feel.smoothing[kGroupRotation] = config[kSmoothing].feel.smoothing[kGroupTranslation] = smoothing;
  config[kFeel].feel = config[kSmoothing].feel;
  config[kFeel].feel.curve[kGroupRotation] = config[kFeel].feel.curve[kGroupTranslation] = curve;
  FeelState state[kRunCount] = {kFreshFeelState, kFreshFeelState, kFreshFeelState};
  std::vector<double> jitter[kRunCount];
  std::vector<int32_t> pitch[kRunCount];
  size_t stepFrom = 0, stepTo = 0;

  FILE* csv = std::fopen(argv[2], "w");
  if (csv == nullptr) return 4;
  std::fprintf(csv, "seconds,raw_yaw,raw_pitch,off_yaw,off_pitch,smoothing_yaw,smoothing_pitch,feel_yaw,feel_pitch\n");
  for (uint32_t t = 0; t <= frames.back().timeMs; t += kPeriodMs) {
    const RecordedFrame& frame = frames[CurrentFrame(frames, t)];
    RawReading reading{};
    std::memcpy(reading.axis, frame.axis, sizeof reading.axis);
    std::fprintf(csv, "%.2f,%ld,%ld", t / 1000.0, long(frame.axis[kAxisRZ]), long(frame.axis[kAxisRX]));
    if (t == stepStart) stepFrom = pitch[kOff].size();
    if (t == stepEnd) stepTo = pitch[kOff].size();
    for (int r = 0; r < kRunCount; ++r) {
      const PublishedFrame sent = ProcessReading(reading, config[r], kPeriodMs / 1000.0, &state[r]);
      std::fprintf(csv, ",%ld,%ld", long(sent.axis[kAxisRZ]), long(sent.axis[kAxisRX]));
      if (t >= tremorStart + kSettleMs && t < tremorEnd) jitter[r].push_back(sent.axis[kAxisRZ]);
      pitch[r].push_back(sent.axis[kAxisRX]);
    }
    std::fprintf(csv, "\n");
  }
  std::fclose(csv);
  if (stepTo == 0) stepTo = pitch[kOff].size();

  const char* const names[kRunCount] = {"feel off", "smoothing", "smoothing and curve"};
  std::printf("%-20s %18s %20s\n", "", "yaw jitter at rest", "pitch step to half");
  for (int r = 0; r < kRunCount; ++r) {
    std::printf("%-20s %18.1f %11ld readings\n", names[r], Deviation(jitter[r]),
                ReadingsToHalf(pitch[r], stepFrom, stepTo));
  }
  std::printf("smoothing %ld %%: jitter ratio %.3f (goal at most 0.2), added lag %ld readings (goal at most 1)\n",
              long(smoothing), Deviation(jitter[kSmoothing]) / Deviation(jitter[kOff]),
              ReadingsToHalf(pitch[kSmoothing], stepFrom, stepTo) - ReadingsToHalf(pitch[kOff], stepFrom, stepTo));
  return 0;
}
