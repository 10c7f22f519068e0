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
exec wine "$@"
