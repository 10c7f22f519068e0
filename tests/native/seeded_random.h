// The same numbers on every run and platform, for generated inputs in the
// native and the Wine tests alike.
#pragma once
#include <cstddef>
#include <cstdint>

struct Lcg {
  uint32_t state;
  uint32_t Next() { return state = state * 1664525u + 1013904223u; }
  uint32_t Below(uint32_t n) { return (Next() >> 8) % n; }
  template <typename T, size_t N>
  const T& Pick(const T (&items)[N]) { return items[Below(N)]; }
};
