// One tick's own work without platform calls: parse the title, run the
// motion step and the button step. Also counts heap allocations per tick,
// which must stay at zero.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string_view>

#include "module/button_actions.h"
#include "module/motion.h"
#include "module/title_parse.h"

// Also read by the server's processing benchmark.
std::atomic<uint64_t> gAllocations{0};

// Out of line: inlined into the benchmark's own set-up, GCC pairs malloc with
// the replaced operator new and warns about a mismatch that is not there.
__attribute__((noinline)) void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
__attribute__((noinline)) void operator delete(void* p) noexcept { std::free(p); }
__attribute__((noinline)) void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace {

// A few titles a moving controller produces, cycled through.
constexpr std::string_view kTitles[] = {
    "tX=    120 tY=   -340 tZ=      0 rX=     55 rY=    -12 rZ=   2048 btn=0",
    "tX=   -800 tY=      0 tZ=    310 rX=   -450 rY=    600 rZ=  -1024 btn=0",
    "tX=      0 tY=      0 tZ=      0 rX=      0 rY=      0 rZ=      0 btn=3",
    "tX=  32767 tY= -32768 tZ=   1000 rX=  -1000 rY=     10 rZ=    -10 btn=100",
};
constexpr int kTitleCount = sizeof(kTitles) / sizeof(kTitles[0]);

struct Module {
  MotionState motion = InitialMotionState();
  PendingKeyPress pending{};
  ButtonAssignment buttons[kButtonCount]{};
  DefaultEyePoint defaults{};
  uint32_t nowMs = 1000;
  Module() {
    buttons[3] = {1, 0, 0, 0, 1, 0, 0, 0, 0};     // reset all
    buttons[100] = {1, 1, 0, 0, 0, 0, 1, 0, 65};  // Ctrl+A
  }
};

// Kept out of line so that instruction counters can find one tick.
__attribute__((noinline)) int RunOneTick(Module* m, int index, double slewActive) {
  MotionInput in{};
  in.frame = ParseDeviceTitle(kTitles[index].data(), kTitles[index].size());
  in.slewActive = slewActive;
  in.useonslew = 1;
  in.sessionReady = true;
  in.nowMs = m->nowMs += 25;
  const KeySequence keys = TakePendingKeyPress(&m->pending);
  const MotionDecision d = StepMotion(&m->motion, in);
  int work = keys.count + d.slewEventCount + (d.sendCamera ? 1 : 0);
  if (d.runButtonStep) {
    const ButtonDecision b = StepButton(in.frame.button, m->buttons, m->defaults, in.sessionReady,
                                        &m->motion, &m->pending);
    work += b.cameraCallCount;
  }
  return work;
}

void Tick(benchmark::State& state, double slewActive) {
  Module m;
  int index = 0;
  const uint64_t allocationsBefore = gAllocations.load();
  for (auto _ : state) {
    benchmark::DoNotOptimize(RunOneTick(&m, index, slewActive));
    benchmark::DoNotOptimize(m.motion);
    index = (index + 1) % kTitleCount;
  }
  state.counters["allocs_per_tick"] = benchmark::Counter(
      static_cast<double>(gAllocations.load() - allocationsBefore), benchmark::Counter::kAvgIterations);
}

}  // namespace

BENCHMARK_CAPTURE(Tick, FreeLook, 0.0);
BENCHMARK_CAPTURE(Tick, Slew, 1.0);
