// A fuzz target's check: names the file and line that failed, then aborts so
// that the fuzzer keeps the input.
#pragma once
#include <cstdio>
#include <cstdlib>

inline void FuzzCheckAt(bool ok, const char* file, int line) {
  if (ok) return;
  std::fprintf(stderr, "%s:%d: check failed\n", file, line);
  std::abort();
}
#define Check(ok) FuzzCheckAt((ok), __FILE__, __LINE__)
