#!/usr/bin/env bash
# Creates a private Wine prefix that uses the null graphics driver, so that
# windows, dialogs and timers work without an X display. Does nothing when the
# prefix is already prepared.
set -euo pipefail
prefix="$1"
driver="${2:-null}"
stamp="$prefix/.pivora-$driver"
[ -f "$stamp" ] && exit 0
mkdir -p "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >/dev/null 2>&1 || true
wineserver -w
if [ "$driver" = null ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
# Crash dialogs would block a headless run for ever.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
