#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages and prepares the
# private Wine prefix. Safe to run again: it skips what is already in place.
# Every probe below must survive the absence of what it looks for: on a new
# machine none of it is there yet.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
prefix="${WINEPREFIX:-$here/build/wineprefix}"

say() { printf 'setup: %s\n' "$*"; }
trap 'rc=$?; say "failed (exit $rc) at line $LINENO: $BASH_COMMAND"; exit $rc' ERR

sudo_cmd=""
if [ "$(id -u)" != 0 ]; then
  command -v sudo >/dev/null 2>&1 || { say "needs root, or sudo to become root"; exit 1; }
  sudo_cmd="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# The win32-thread MinGW flavour: the posix one links winpthreads statically,
# which imports GetTickCount64 and so keeps every binary off Windows XP.
packages=(cmake ninja-build g++ clang libclang-rt-14-dev
          g++-mingw-w64-i686-win32
          wine wine64 wine32:i386 wine32-preloader:i386
          xvfb x11-apps imagemagick librsvg2-bin
          googletest libgtest-dev libbenchmark-dev valgrind zip unzip
          python3 python3-matplotlib)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done

# 32-bit Wine may have to run through qemu's user-mode emulation (see
# i386-exec.sh); bookworm's qemu 7.2 crashes there, the backported one works.
qemu_major() {
  command -v qemu-i386-static >/dev/null 2>&1 || return 0
  qemu-i386-static --version 2>/dev/null | sed -n 's/.*version \([0-9]*\)\..*/\1/p' | head -1 || true
}
need_qemu=0
major="$(qemu_major)"
if [ -z "$major" ] || [ "$major" -lt 8 ]; then need_qemu=1; fi

# The Debian mirror this machine already uses, from its own apt configuration
# (deb822 sources first, then the one-line list), so that a machine with its
# own mirror keeps using it.
debian_mirror() {
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
         { uris = ""; suites = ""
           for (i = 1; i <= NF; i++) {
             if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
             if ($i ~ /^Suites:/) { suites = " " $i " " }
           }
           if (uris != "" && suites ~ /[ \t]bookworm[ \t]/) { split(uris, u, /[ \t]+/); print u[1]; exit } }' "$f"
  done
  awk '$1 == "deb" { for (i = 2; i <= NF; i++) if ($i !~ /^\[/ && $i !~ /\]$/) { if ($(i + 1) == "bookworm") print $i; break } }' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true
}

backports=/etc/apt/sources.list.d/pivora-backports.list
if [ ${#missing[@]} -gt 0 ] || [ "$need_qemu" = 1 ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    say "adding the i386 architecture"
    $sudo_cmd dpkg --add-architecture i386
  fi
  if [ "$need_qemu" = 1 ] && [ ! -f "$backports" ]; then
    mirror="$(debian_mirror | sed -n 1p)"
    if [ -n "$mirror" ]; then
      say "adding bookworm-backports from $mirror (for qemu-user-static)"
      echo "deb $mirror bookworm-backports main" | $sudo_cmd tee "$backports" >/dev/null
    else
      say "no bookworm mirror found in the apt configuration; using the release's qemu"
    fi
  fi
  say "updating the package lists"
  $sudo_cmd apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    say "installing ${missing[*]}"
    $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if [ "$need_qemu" = 1 ]; then
    say "installing qemu-user-static"
    if [ -f "$backports" ]; then
      $sudo_cmd apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
    else
      $sudo_cmd apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
    fi
  fi
else
  say "all packages present"
fi

$sudo_cmd "$here/scripts/i386-exec.sh"
say "preparing the Wine prefix $prefix"
"$here/scripts/wineprefix.sh" "$prefix"
say "ready (Wine prefix $prefix)"
