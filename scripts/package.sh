#!/usr/bin/env bash
# Makes the release package dist/pivora-<version>.zip from a Windows build.
#
#   scripts/package.sh [--build-dir DIR] [--out DIR] [--check-only ZIP]
#
# DIR defaults to build/windows; the shipped targets are built there first
# (configure it with `cmake --preset windows` beforehand). The package holds
# exactly the files listed in `contents` below, never a SimConnect library or
# a test double; scripts/check-package.py verifies that after every build.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="$here/build/windows"
out="$here/dist"
while [ $# -gt 0 ]; do
  case "$1" in
    --build-dir) build="$(cd "$2" && pwd)"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    *) echo "usage: $0 [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
  esac
done

version="$(sed -n 's/^project(pivora VERSION \([0-9.]*\).*/\1/p' "$here/CMakeLists.txt")"
[ -n "$version" ] || { echo "no project version in CMakeLists.txt" >&2; exit 1; }

cmake --build "$build" -j2 --target pivora pivorasrv unrigger pivora_install

# package path <- build or source path
contents=(
  "pivora/pivora.dll=$build/module/pivora.dll"
  "pivora/pivorasrv.exe=$build/server/pivorasrv.exe"
  "unrigger.exe=$build/remover/unrigger.exe"
  "pivora-install.exe=$build/install/pivora-install.exe"
  "setup.lst=$here/package/setup.lst"
  "dll-entry.txt=$here/package/dll-entry.txt"
  "INSTALL.txt=$here/package/INSTALL.txt"
)

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
for item in "${contents[@]}"; do
  target="$stage/${item%%=*}"
  mkdir -p "$(dirname "$target")"
  cp "${item#*=}" "$target"
  case "$target" in
    # Debug information is for us, not for the user's disk.
    *.dll|*.exe) i686-w64-mingw32-strip --strip-debug "$target" ;;
  esac
done
# Text files travel with Windows line breaks.
for text in "$stage/INSTALL.txt"; do sed -i 's/\r\?$/\r/' "$text"; done

mkdir -p "$out"
zip="$(cd "$out" && pwd)/pivora-$version.zip"
rm -f "$zip"
(cd "$stage" && TZ=UTC find . -exec touch -d "@0" {} + && zip -q -X -r "$zip" .)
python3 "$here/scripts/check-package.py" "$zip"
echo "$zip"
