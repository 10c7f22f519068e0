#!/usr/bin/env bash
# Takes a picture of each dialog of pivora.dll, and of the device server's
# window with its live view and Feel panel, under Wine on a virtual X
# display, captures the screen and trims it to the window, at each display
# scale in PIVORA_SHOTS_DPI (default 96, 120 and 144 DPI: 100, 125 and
# 150 %). PNGs go to build/screenshots/<name>-<dpi>.png.
#
#   scripts/screenshots.sh [--templates] [windows build dir]   (default: build/windows)
#
# By default tools/dialog_shots plays the simulator around the real
# pivora.dll and opens each dialog through the menu, so the pictures show the
# dialogs' own procedures at work (values, lists, labels). With --templates
# tools/dialog_viewer shows the bare templates with its own filling.
#
# Needs Xvfb, ImageMagick (import, convert) and a Windows build that holds
# pivora.dll, dialog_shots.exe and dialog_viewer.exe. Uses its own Wine prefix
# with the normal graphics driver, build/wineprefix-x11 (created on first use;
# that takes a few minutes), because the tests' prefix has no display. The
# real dialogs write that prefix's pivora configuration.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
mode="real"
if [ "${1:-}" = "--templates" ]; then mode="templates"; shift; fi
build="$(cd "${1:-$here/build/windows}" && pwd)"
out="${PIVORA_SHOTS_OUT:-$here/build/screenshots}"
display="${PIVORA_SHOTS_DISPLAY:-:77}"
show_ms=20000
# Room for the largest dialog at 150 %.
desktop_width=1600
desktop_height=1200
desktop_size="${desktop_width}x$desktop_height"

dll="$build/module/pivora.dll"
server="$build/server/pivorasrv.exe"
viewer="$build/tools/dialog_viewer/dialog_viewer.exe"
shots="$build/tools/dialog_shots/dialog_shots.exe"
for f in "$dll" "$viewer" "$shots" "$server"; do
  [ -f "$f" ] || { echo "missing $f: build the windows preset first" >&2; exit 1; }
done
mkdir -p "$out"

export WINEPREFIX="$here/build/wineprefix-x11" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY="$display"

xvfb_pid=""
cleanup() {
  wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

# Start a display unless one is already there.
if ! xdpyinfo -display "$display" >/dev/null 2>&1; then
  Xvfb "$display" -screen 0 ${desktop_size}x24 >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done
fi

"$here/scripts/wineprefix.sh" "$WINEPREFIX" x11

# The dialogs are laid out in "MS Sans Serif" 8. Debian keeps Wine's own
# fonts in the separate package fonts-wine; without them Wine substitutes a
# wider font and every picture comes out wrong. Give this prefix a copy.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ ! -f /usr/share/wine/fonts/sserife.fon ] && [ ! -f "$fonts/sserife.fon" ]; then
  scratch="$(mktemp -d)"
  (cd "$scratch" && apt-get download fonts-wine >/dev/null 2>&1 && dpkg -x fonts-wine_*.deb x) ||
    { echo "cannot get fonts-wine; install it or copy Wine's fonts into $fonts" >&2; exit 1; }
  mkdir -p "$fonts"
  cp "$scratch"/x/usr/share/wine/fonts/* "$fonts/"
  rm -rf "$scratch"
fi

# Wine sees the build tree through drive Z:.
win() { echo "Z:${1//\//\\}"; }

# Cuts the virtual desktop away around the one window on it: a border in the
# desktop's colour makes -trim take that colour as the one to remove.
crop() {
  local desktop
  desktop="$(convert "$1" -format "%[pixel:p{$((desktop_width - 1)),$((desktop_height - 1))}]" info:)"
  convert "$1" -bordercolor "$desktop" -border 1 -trim +repage "$2"
  rm -f "$1"
}

# The simulator is not DPI-aware, so its dialogs take the system's scale.
# Wine takes a new LogPixels only after the prefix's server has restarted.
for dpi in ${PIVORA_SHOTS_DPI:-96 120 144}; do
  wineserver -k 2>/dev/null || true
  wineserver -w
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
  wineserver -w
  wineserver -p
  for entry in 120:calibration 126:settings 127:buttons 128:keycode 129:eye_point; do
    id="${entry%%:*}"
    name="${entry#*:}"
    ready="$out/.ready-$id"
    rm -f "$ready"
    # A virtual desktop makes Wine draw the frames and captions itself, as
    # Xvfb has no window manager to draw them.
    if [ "$mode" = real ]; then
      wine explorer /desktop=pivora-shots,$desktop_size "$shots" "$name" "$(win "$ready")" "$show_ms" &
    else
      wine explorer /desktop=pivora-shots,$desktop_size "$viewer" "$(win "$dll")" "$id" "$(win "$ready")" "$show_ms" &
    fi
    viewer_pid=$!
    for _ in $(seq 600); do [ -f "$ready" ] && break; sleep 0.1; done
    if [ ! -f "$ready" ]; then
      echo "dialog $id did not show at $dpi DPI" >&2
      kill "$viewer_pid" 2>/dev/null || true
      exit 1
    fi
    import -display "$display" -window root "$out/$name-$dpi-full.png"
    crop "$out/$name-$dpi-full.png" "$out/$name-$dpi.png"
    # Deleting the marker tells the viewer to close its dialog.
    rm -f "$ready"
    wait "$viewer_pid" || true
    echo "$out/$name-$dpi.png"
  done

  # The device server replaying the hand session with the feel on, taken while
  # the hand rests on the controller with tremor (from 1.5 s of each pass).
  # The server records what it reads; the recording's times say how far it is.
  appdata="$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")"
  mkdir -p "$appdata/pivora"
  printf '[SETTINGS]\r\nrotationcurve=50\r\ntranslationcurve=30\r\nrotationsmoothing=50\r\ntranslationsmoothing=40\r\n' \
    >"$appdata/pivora/pivorasrv.ini"
  record="$out/.server-reading.rec"
  rm -f "$record"
  wine explorer /desktop=pivora-shots,$desktop_size "$server" --replay "$(win "$here/testbed/recordings/hand_tremor.rec")" \
    --record "$(win "$record")" &
  server_pid=$!
  for _ in $(seq 600); do
    last="$(tail -n 1 "$record" 2>/dev/null | cut -d' ' -f1 || true)"
    [ "${last:-0}" -ge 3000 ] 2>/dev/null && break
    sleep 0.1
  done
  if [ "${last:-0}" -lt 3000 ] 2>/dev/null; then
    echo "the device server did not show at $dpi DPI" >&2
    kill "$server_pid" 2>/dev/null || true
    exit 1
  fi
  import -display "$display" -window root "$out/server-$dpi-full.png"
  crop "$out/server-$dpi-full.png" "$out/server-$dpi.png"
  kill "$server_pid" 2>/dev/null || true
  rm -f "$record"
  echo "$out/server-$dpi.png"
done
