#!/usr/bin/env bash
# Runs every test: the portable code natively (plain and with AddressSanitizer
# and UBSan), the fuzz targets briefly, and the Windows binaries under Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"
fuzz_seconds="${PIVORA_FUZZ_SECONDS:-15}"

step() { printf '\n=== %s\n' "$*"; }

for preset in native native-asan; do
  step "$preset: build and test"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j2
  ctest --preset "$preset" -j2
done

step "fuzz: ${fuzz_seconds}s per target"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
# A target dropped from the build leaves its old binary behind: remove it,
# or the loop below would go on running it.
ninja -C build/fuzz -t cleandead >/dev/null
for target in build/fuzz/tests/native/*_fuzz; do
  [ -x "$target" ] || continue
  echo "--- $(basename "$target")"
  corpus="build/fuzz/corpus/$(basename "$target")"
  mkdir -p "$corpus"
  "$target" -max_total_time="$fuzz_seconds" -max_len=4096 -print_final_stats=1 "$corpus" 2>&1 |
    grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' || true
  [ "${PIPESTATUS[0]}" -eq 0 ] || { echo "fuzz target $(basename "$target") failed"; exit 1; }
done

step "windows: build and test under Wine"
cmake --preset windows >/dev/null
cmake --build --preset windows -j2
# One persistent wine server for the whole run: each test process then starts
# in about a second instead of several.
if wineserver -p 2>/dev/null; then
  trap 'wineserver -k || true' EXIT
fi  # else one is running already, and stays
# The prefix's own processes start with the first program (wine-run.sh starts
# them detached); do it here, outside the time limit of any test.
timeout 900 scripts/wine-run.sh build/windows/tests/wine/spine/spine_tests.exe --gtest_list_tests >/dev/null || true
# The end-to-end tests share the prefix's windows and files: one at a time.
# A failing case is never run again; wine-run.sh starts a process once more
# only when it hung before its first test began, and logs it.
retry_log="$here/build/wine-retries.log"
rm -f "$retry_log"
status=0
PIVORA_WINE_RETRY_LOG="$retry_log" ctest --preset windows -j1 || status=$?
echo "Wine processes started again after hanging before their first test: $(cat "$retry_log" 2>/dev/null | wc -l)"
exit "$status"
