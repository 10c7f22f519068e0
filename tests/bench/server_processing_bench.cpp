// The server processes every reading, 100 a second: one reading through
// calibration, null zone, sensitivity, invert and enable, and its title.
#include <benchmark/benchmark.h>

#include "module/title_format.h"
#include "module/title_layout.h"
#include "server/axis_processing.h"

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
