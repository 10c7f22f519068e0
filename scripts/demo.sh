#!/usr/bin/env bash
# The main job: builds the Windows binaries and the release package, then puts
# the real pivora.dll into the simulated simulator, fed by a device server
# replaying a recorded session. Prints the camera calls and slew events, and
# plots the eye point's path to build/demo/eye_point.svg.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cd "$here"
export WINEPREFIX="${WINEPREFIX:-$here/build/wineprefix}" WINEDEBUG="${WINEDEBUG:--all}"

cmake --preset windows >/dev/null
cmake --build --preset windows -j2
scripts/package.sh --build-dir build/windows

out=build/demo
mkdir -p "$out"
win() { echo "Z:$(readlink -f "$1")"; }
server=build/windows/testbed/replay_server/replay_server.exe
scripts/wine-run.sh build/windows/testbed/demo/sim_demo.exe \
  "$(win "$server")" "$(win testbed/recordings/look_around.rec)" "$(win "$out")/trace.csv" 6 |
  tee "$out/trace.txt"
python3 testbed/demo/plot_eye_point.py "$out/trace.csv" "$out/eye_point.svg"
if command -v rsvg-convert >/dev/null; then rsvg-convert "$out/eye_point.svg" -o "$out/eye_point.png"; fi
echo "Trace: $out/trace.txt   Eye point plot: $out/eye_point.svg"
