#!/usr/bin/env bash
# The main job: builds the Windows binaries and the release package, then puts
# the real pivora.dll into the simulated simulator, fed by the real device
# server replaying a recorded session. Prints the camera calls and slew
# events and plots the eye point's path to build/demo/eye_point.png. Then
# replays a session of a hand with tremor and a few quick moves through the
# server's processing with the motion feel off and on, prints the jitter and
# the lag, and plots both side by side to build/demo/feel.png.
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
# The plots need Debian's matplotlib (scripts/setup.sh installs it), which
# belongs to the system's Python rather than to one found first on the PATH.
python=python3
"$python" -c 'import matplotlib' 2>/dev/null || python=/usr/bin/python3

scripts/wine-run.sh build/windows/tools/demo/sim_demo.exe \
  "$(win build/windows/server/pivorasrv.exe)" "$(win testbed/recordings/look_around.rec)" "$(win "$out")/trace.csv" 6 |
  tee "$out/trace.txt"
"$python" tools/demo/plot_eye_point.py "$out/trace.csv" "$out/eye_point.png" 6

smoothing=50 curve=50
scripts/wine-run.sh build/windows/tools/demo/feel_measure.exe \
  "$(win testbed/recordings/hand_tremor.rec)" "$(win "$out")/feel.csv" "$smoothing" "$curve" | tee "$out/feel.txt"
"$python" tools/demo/plot_feel.py "$out/feel.csv" testbed/recordings/hand_tremor.rec "$out/feel.png" \
  "$smoothing" "$curve"
echo "Trace: $out/trace.txt   Eye point plot: $out/eye_point.png   Feel off and on: $out/feel.png"
