#!/usr/bin/env bash
# Mutation check, run by hand (not by CI): proves that the tests still catch
# real faults. Applies each fault of scripts/mutants.txt to a scratch copy of
# this tree, one at a time, rebuilds incrementally, runs the tests named for
# it and prints one line per fault:
#   CAUGHT   a selected test failed, or hung past its time limit
#   MISSED   every selected test passed with the fault in place
#   STALE    the text to find is not in the file exactly once: the code has
#            changed, so write the same fault against the new text
#   NOBUILD  the faulty copy does not compile: the fault proves nothing
#   UNSOUND  without the fault the selected tests fail or are not there
# and the totals.
#
#   scripts/mutants.sh [REGEX]   only the faults whose "id preset" matches,
#                                e.g. '^motion-' or 'windows$'
#
# The copy lives in build/mutants (or $MUTANTS_DIR) and is kept between runs,
# so only what a fault touches is rebuilt. The windows faults run their tests
# under Wine in the copy's own prefix, with one persistent wine server.
set -uo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
copy="${MUTANTS_DIR:-$here/build/mutants}"
limit="${MUTANTS_TIMEOUT:-900}"  # seconds per test run
only="${1:-.}"
logs="$copy/build/mutant-logs"
export WINEPREFIX="$copy/build/wineprefix" WINEDEBUG=-all

# The copy gets this tree's files (committed or not); a file whose content
# differs is copied with a fresh time stamp, so the build sees the change.
sync_copy() {
  mkdir -p "$copy/build" "$logs"
  git -C "$here" ls-files -co --exclude-standard > "$copy/build/files"
  while IFS= read -r f; do
    [ -f "$here/$f" ] && ! cmp -s "$here/$f" "$copy/$f" && mkdir -p "$(dirname "$copy/$f")" && cp "$here/$f" "$copy/$f"
  done < "$copy/build/files"
  (cd "$copy" && find . -path ./build -prune -o -type f -print | sed 's|^\./||' | grep -vxFf build/files |
    xargs -r -d '\n' rm -f)
}

# mutate FILE FIND REPLACEMENT: exit 3 unless FIND occurs exactly once.
mutate() {
  python3 - "$@" <<'PY'
import sys
path, find, repl = sys.argv[1], *(s.replace('\\n', '\n') for s in sys.argv[2:4])
repl = '' if repl == '(delete)' else repl
with open(path, encoding='latin-1', newline='') as f: text = f.read()
if text.count(find) != 1: sys.exit(3)
with open(path, 'w', encoding='latin-1', newline='') as f: f.write(text.replace(find, repl))
PY
}

# run_tests PRESET PATTERN LOG: ctest's status; 124 when the time limit ends it.
# Native runs take a second and name every test that fails; Wine runs stop
# at the first.
run_tests() {
  timeout -k 30 "$limit" ctest --preset "$1" -R "$2" --timeout 120 $([ "$1" = windows ] && echo --stop-on-failure) \
    > "$3" 2>&1
}

sync_copy
cd "$copy" || exit 1
echo "== a copy of $here at $(git -C "$here" rev-parse --short HEAD)$(git -C "$here" diff --quiet HEAD || echo ' with changes')"
mapfile -t rows < <(grep -v -e '^[[:space:]]*#' -e '^[[:space:]]*$' "$here/scripts/mutants.txt" | sed 's/ | /\x1f/g')
selected=()
for row in "${rows[@]}"; do
  IFS=$'\x1f' read -r id _ _ _ preset _ <<< "$row"
  [[ "$id $preset" =~ $only ]] && selected+=("$row")
done
[ "${#selected[@]}" -gt 0 ] || { echo "no fault matches '$only'"; exit 2; }

# Build each preset the faults need, unchanged, and run each selection of
# tests once without a fault: a selection that fails or finds nothing would
# make its faults look caught.
declare -A sound=()
runs=0
for preset in $(for row in "${selected[@]}"; do IFS=$'\x1f' read -r _ _ _ _ p _ <<< "$row"; echo "$p"; done | sort -u); do
  echo "== $preset: configure and build the unchanged copy"
  { cmake --preset "$preset" && cmake --build --preset "$preset" -j2; } > "$logs/build-$preset.log" 2>&1 ||
    { echo "the unchanged copy does not build: $logs/build-$preset.log"; exit 1; }
  if [ "$preset" = windows ]; then
    scripts/wineprefix.sh "$WINEPREFIX"
    wineserver -p 2>/dev/null && trap 'wineserver -k 2>/dev/null' EXIT
  fi
done
for row in "${selected[@]}"; do
  IFS=$'\x1f' read -r _ _ _ _ preset pattern <<< "$row"
  key="$preset $pattern"
  [ -n "${sound[$key]:-}" ] && continue
  count=$(ctest --preset "$preset" -N -R "$pattern" | grep -c 'Test *#')
  runs=$((runs + 1)); clean="$logs/clean-$runs.log"
  if [ "$count" -eq 0 ]; then sound[$key]="no test matches"
  elif run_tests "$preset" "$pattern" "$clean"; then sound[$key]=ok
  else sound[$key]="fails without the fault: $clean"
  fi
  echo "== without a fault: $preset -R '$pattern': $count tests, ${sound[$key]}"
done

declare -A total=()
for row in "${selected[@]}"; do
  IFS=$'\x1f' read -r id file find repl preset pattern <<< "$row"
  log="$logs/$id.log"
  detail=""
  if [ "${sound[$preset $pattern]}" != ok ]; then verdict=UNSOUND; detail="${sound[$preset $pattern]}"
  elif ! cp "$file" "$logs/original" 2>/dev/null || ! mutate "$file" "$find" "$repl"; then
    verdict=STALE; detail="$file"
  else
    if ! cmake --build --preset "$preset" -j2 > "$log" 2>&1; then verdict=NOBUILD; detail="$log"
    else
      run_tests "$preset" "$pattern" "$log"
      case $? in
        0) verdict=MISSED; detail="$preset -R '$pattern'" ;;
        124|137) verdict=CAUGHT; detail="time limit ($limit s)" ;;
        *) verdict=CAUGHT
           detail="by $(sed -n 's/^[[:space:]]*[0-9]* - \([^ ]*\) .*/\1/p' "$log" | paste -sd ' ')" ;;
      esac
    fi
    cp "$logs/original" "$file"  # a fresh time stamp: the next build compiles it again
  fi
  total[$verdict]=$(( ${total[$verdict]:-0} + 1 ))
  printf '%-8s %-32s %s\n' "$verdict" "$id" "$detail"
done
echo "== total: ${total[CAUGHT]:-0} of ${#selected[@]} caught, ${total[MISSED]:-0} missed," \
  "${total[STALE]:-0} stale, ${total[NOBUILD]:-0} not building, ${total[UNSOUND]:-0} unsound"
