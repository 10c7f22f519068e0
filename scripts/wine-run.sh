#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's private prefix.
# CTest uses this as the cross-compiling emulator.
here="$(cd "$(dirname "$0")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY

# The first Wine program of a server's life starts the prefix's own processes
# (services, devices, desktop), and they inherit its standard output. Under
# CTest that is a pipe, which then never closes: start them here, detached.
services_running() {
  local pid
  for pid in $(pgrep -f 'system32.services\.exe'); do
    tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
  done
  return 1
}
services_running || wine cmd /c exit </dev/null >/dev/null 2>&1

# Listing a test program's cases has no side effects. Under emulated 32-bit
# Wine a process now and then fails to exit after its work is done; for a
# listing, try again rather than lose every case of the program.
case " $* " in
  *" --gtest_list_tests "*)
    for attempt in 1 2 3; do
      if output="$(timeout 90 wine "$@")"; then
        printf '%s\n' "$output"
        exit 0
      fi
      echo "wine-run: listing attempt $attempt did not finish" >&2
    done
    exit 1 ;;
esac
case " $* " in
  *" --gtest_filter="*) ;;
  *) exec wine "$@" ;;
esac

# One test case (CTest runs each in a process of its own). Under emulation a
# Wine process now and then hangs while starting, before any test code runs;
# only such a process is started once more, and it is logged so that the
# test script can say how many were. A case that began is never run again:
# its result stands. A process that printed its summary but does not exit is
# ended, and the summary's result stands.
start_limit="${PIVORA_WINE_START_SECONDS:-20}"
exit_grace="${PIVORA_WINE_EXIT_SECONDS:-10}"
retry_log="${PIVORA_WINE_RETRY_LOG:-$here/build/wine-retries.log}"
output="$(mktemp)"
trap 'rm -f "$output"' EXIT
for attempt in 1 2; do
  : >"$output"
  wine "$@" >"$output" 2>&1 &
  pid=$!
  began=0 summary_at="" state=ran started=$SECONDS
  while kill -0 "$pid" 2>/dev/null; do
    if [ "$began" = 0 ] && grep -q '^\[ RUN      \]' "$output"; then began=1; fi
    if [ "$began" = 0 ] && (( SECONDS - started >= start_limit )); then
      state=hung_at_start; kill "$pid"; break
    fi
    if [ -z "$summary_at" ] && grep -qE '^\[  (PASSED|FAILED)  \]' "$output"; then summary_at=$SECONDS; fi
    if [ -n "$summary_at" ] && (( SECONDS - summary_at >= exit_grace )); then
      state=hung_at_exit; kill "$pid"; break
    fi
    sleep 0.2
  done
  wait "$pid"
  status=$?
  cat "$output"
  case "$state" in
    hung_at_start)
      echo "wine-run: no test began within ${start_limit}s (attempt $attempt)" >&2
      [ "$attempt" = 1 ] && echo "$*" >>"$retry_log"
      continue ;;
    hung_at_exit)
      echo "wine-run: the program did not exit ${exit_grace}s after its summary; ended it" >&2
      grep -q '^\[  FAILED  \]' "$output" && exit 1
      grep -q '^\[  PASSED  \]' "$output" && exit 0
      exit 1 ;;
  esac
  exit "$status"
done
exit 1
