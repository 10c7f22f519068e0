// The configuration load as LoadConfiguration does it, minus the file read:
// one parse of a realistic settings file, then every record filled. Goal:
// well under 1 ms. Also one save of the button table (909 writes, one
// serialisation).
#include <benchmark/benchmark.h>

#include <string>

#include "setup/configuration.h"
#include "tests/bench/realistic_config.h"

namespace {

void BM_LoadConfiguration(benchmark::State& state) {
  const std::string file = RealisticSettingsFile();
  // The aircraft whose section comes last: the worst place to look for it.
  const std::string title = RealisticAircraftTitle(kRealisticAircraftCount - 1);
  ModuleSettings settings;
  ButtonAssignment table[kButtonCount];
  DefaultEyePoint eye;
  for (auto _ : state) {
    IniDocument doc;
    ParseIniDocument(file, &doc);
    ReadModuleSettings(doc, &settings);
    ReadButtonAssignments(doc, table);
    ReadDefaultEyePoint(doc, title, &eye);
    benchmark::DoNotOptimize(eye);
    benchmark::DoNotOptimize(table);
  }
  state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_LoadConfiguration)->Unit(benchmark::kMicrosecond);

void BM_SaveButtonAssignments(benchmark::State& state) {
  const std::string file = RealisticSettingsFile();
  ButtonAssignment table[kButtonCount] = {};
  table[7] = {1, 1, 0, 0, 0, 0, 1, 0, 0x41};
  for (auto _ : state) {
    IniDocument doc;
    ParseIniDocument(file, &doc);
    ApplyIniWrites(&doc, ButtonAssignmentWrites(table));
    std::string text = SerializeIniDocument(doc);
    benchmark::DoNotOptimize(text);
  }
}
BENCHMARK(BM_SaveButtonAssignments)->Unit(benchmark::kMicrosecond);

}  // namespace
