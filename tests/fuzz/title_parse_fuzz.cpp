// Any bytes as a device server title: the parser must stay inside the given
// length, never overflow, and agree with the title writer on what it reads.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "module/title_format.h"
#include "module/title_layout.h"
#include "module/title_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // An exact-size copy without terminator, so an over-read hits the redzone.
  std::unique_ptr<char[]> title(new char[size ? size : 1]);
  if (size) std::memcpy(title.get(), data, size);
  const DeviceFrame f = ParseDeviceTitle(title.get(), size);

  // Axis cells hold seven characters at most: whole numbers well inside the
  // range a float holds exactly.
  const float axes[6] = {f.tX, f.tY, f.tZ, f.rX, f.rY, f.rZ};
  int32_t values[6];
  for (int a = 0; a < 6; ++a) {
    if (!(axes[a] >= kTitleAxisMin && axes[a] <= kTitleAxisMax)) __builtin_trap();
    values[a] = static_cast<int32_t>(axes[a]);
    if (static_cast<float>(values[a]) != axes[a]) __builtin_trap();
  }

  // What was read, written again, reads back the same.
  char again[kTitleBufferSize];
  const size_t length = FormatDeviceTitle(values, f.button, again, sizeof(again), f.raw);
  if (length == 0) __builtin_trap();
  const DeviceFrame g = ParseDeviceTitle(again, length);
  const float back[6] = {g.tX, g.tY, g.tZ, g.rX, g.rY, g.rZ};
  if (std::memcmp(axes, back, sizeof axes) != 0 || f.button != g.button || f.raw != g.raw) __builtin_trap();
  return 0;
}
