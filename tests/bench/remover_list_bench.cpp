// Cost of the two passes over an add-on list: the entry search and the
// rewrite, on a list of realistic entries and on a very large one.
#include <benchmark/benchmark.h>

#include <string>

#include "remover/addon_list_text.h"

namespace {

// `entries` module entries of six lines each; the add-on's own entry is the
// one in the middle.
std::string ModuleList(int entries) {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"Windows-1252\"?>\r\n"
      "<SimBase.Document Type=\"Launch\" version=\"1,0\">\r\n";
  for (int i = 0; i < entries; ++i) {
    std::string name = i == entries / 2 ? "pivora" : "addon" + std::to_string(i);
    text += "  <Launch.Addon>\r\n    <Name>" + name + "</Name>\r\n";
    text += "    <Disabled>False</Disabled>\r\n    <ManualLoad>False</ManualLoad>\r\n";
    text += "    <Path>" + name + "\\" + name + ".dll</Path>\r\n  </Launch.Addon>\r\n";
  }
  return text + "</SimBase.Document>\r\n";
}

void BM_FindLastEntry(benchmark::State& state) {
  const std::string list = ModuleList(static_cast<int>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(FindLastEntry(list, "PIVORA\\PIVORA.DLL"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(list.size()));
}
BENCHMARK(BM_FindLastEntry)->Arg(20)->Arg(20000);

void BM_RewriteList(benchmark::State& state) {
  const std::string list = ModuleList(static_cast<int>(state.range(0)));
  EntryLines entry{};
  FindEnclosingEntry(list, FindLastEntry(list, "pivora\\pivora.dll"), &entry);
  for (auto _ : state) benchmark::DoNotOptimize(RewriteList(list, entry));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(list.size()));
}
BENCHMARK(BM_RewriteList)->Arg(20)->Arg(20000);

}  // namespace
