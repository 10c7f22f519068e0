// The server processes every reading, 100 a second: one reading through
// calibration, null zone, sensitivity, invert, enable and the whole feel
// (both curves, both smoothings, the dominant axis), and its title. Goal:
// below 1 us a reading, no allocation.
#include <benchmark/benchmark.h>

#include "module/title_format.h"
#include "module/title_layout.h"
#include "server/axis_processing.h"

#include <atomic>
#include <cstdint>

// Counted by the replaced operator new in tick_bench.cpp.
extern std::atomic<uint64_t> gAllocations;

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
