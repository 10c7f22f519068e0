// The configuration load as LoadConfiguration does it, minus the file read:
// one parse of a realistic settings file, then every record filled. Goal:
// well under 1 ms. Also one save of the button table (909 writes, one
// serialisation).
#include <benchmark/benchmark.h>

#include <string>

#include "setup/configuration.h"

namespace {

// A settings file as years of use leave it, written by the module's own save
// sequences: SETTINGS, CALIBRATION, the 101 button sections and 300 aircraft.
constexpr int kAircraftCount = 300;
std::string Aircraft(int n) { return "Bombardier CRJ 700 [Air Dolomiti] Paint" + std::to_string(n); }

std::string RealisticSettingsFile() {
  IniDocument doc;
  ParseIniDocument(std::string(), &doc);
  ApplyIniWrites(&doc, CalibrationFlagWrites(0));
  ApplyIniWrites(&doc, SettingsWrites(kDefaultModuleSettings));
  const AxisCalibration calibration[kAxisCount] = {{-510, 498}, {-505, 502}, {-490, 512},
                                                   {-350, 347}, {-360, 351}, {-420, 410}};
  ApplyIniWrites(&doc, CalibrationWrites(calibration));
  ButtonAssignment table[kButtonCount] = {};
  table[1] = {1, 0, 0, 0, 1, 0, 0, 0, 0};
  table[2] = {1, 1, 0, 0, 0, 1, 0, 0, 0x56};
  ApplyIniWrites(&doc, ButtonAssignmentWrites(table));
  const char* const texts[kEyePointTextCount] = {"-3", "5", "0", "0", "12", "25", "0", "0", "-0", "0012", "1", "5"};
  for (int n = 0; n < kAircraftCount; ++n) ApplyIniWrites(&doc, DefaultEyePointWrites(Aircraft(n), texts));
  return SerializeIniDocument(doc);
}

void BM_LoadConfiguration(benchmark::State& state) {
  const std::string file = RealisticSettingsFile(), title = Aircraft(kAircraftCount - 1);  // the last section
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
