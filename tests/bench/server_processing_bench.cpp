// The server processes every reading, 100 a second: one reading through
// calibration, null zone, sensitivity, invert and enable, and its title.
#include <benchmark/benchmark.h>

#include "module/title_format.h"
#include "module/title_layout.h"
#include "server/axis_processing.h"

#include <atomic>
#include <cstdint>

// Counted by the replaced operator new in tick_bench.cpp.
extern std::atomic<uint64_t> gAllocations;

static void BM_ProcessReadingAndFormatTitle(benchmark::State& state) {
  ServerConfig config = DefaultServerConfig();
  for (int a = 0; a < kAxisCount; ++a) config.range[a] = {30000, 31000};
  RawReading reading = {{1200, -3400, 5600, -7800, 9000, -12000}, 0x10};
  char title[kTitleBufferSize];
  for (auto _ : state) {
    reading.axis[0] = (reading.axis[0] + 7) % 32767;
    const PublishedFrame frame = ProcessReading(reading, config);
    benchmark::DoNotOptimize(FormatDeviceTitle(frame.axis, frame.button, title, sizeof title));
  }
}
BENCHMARK(BM_ProcessReadingAndFormatTitle);

// The same with every part of the feel on: both curves, both smoothings and
// the dominant axis (goal: below 1 us a reading, no allocation).
static void BM_ProcessReadingWithFeel(benchmark::State& state) {
  ServerConfig config = DefaultServerConfig();
  for (int a = 0; a < kAxisCount; ++a) config.range[a] = {30000, 31000};
  config.feel = {{40, 60}, {50, 50}, true};
  FeelState feel = kFreshFeelState;
  RawReading reading = {{1200, -3400, 5600, -7800, 9000, -12000}, 0x10};
  char title[kTitleBufferSize];
  const uint64_t allocationsBefore = gAllocations.load();
  for (auto _ : state) {
    for (int a = 0; a < kAxisCount; ++a) reading.axis[a] = (reading.axis[a] + 7919 * (a + 1)) % 32767;
    const PublishedFrame frame = ProcessReading(reading, config, kReadingPeriodSeconds, &feel);
    benchmark::DoNotOptimize(FormatDeviceTitle(frame.axis, frame.button, title, sizeof title));
  }
  state.counters["allocations"] =
      benchmark::Counter(double(gAllocations.load() - allocationsBefore), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ProcessReadingWithFeel);
