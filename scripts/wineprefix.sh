#!/usr/bin/env bash
# Creates a private Wine prefix that uses the null graphics driver, so that
# windows, dialogs and timers work without an X display. Does nothing when the
# prefix is already prepared.
set -euo pipefail
mkdir -p "$1"
prefix="$(cd "$1" && pwd)"  # Wine takes only an absolute prefix
driver="${2:-null}"
stamp="$prefix/.pivora-$driver"
[ -f "$stamp" ] && exit 0
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fresh=0
if [ ! -f "$prefix/system.reg" ]; then
  fresh=1
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
if [ "$driver" = null ]; then
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
fi
# A crashing test program must end, not wait in a debugger or a crash dialog.
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d '' /f >/dev/null 2>&1
# Waiting for the server to write the registry out only works when no
# persistent server (wineserver -p) is running, as on a fresh prefix.
if [ "$fresh" = 1 ]; then wineserver -w; fi
touch "$stamp"
