#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages and prepares the
# private Wine prefix. Safe to run again: it skips what is already in place.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
prefix="${WINEPREFIX:-$here/build/wineprefix}"

sudo_cmd=""
if [ "$(id -u)" != 0 ]; then sudo_cmd="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages=(cmake ninja-build g++ clang libclang-rt-14-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 wine32:i386 wine32-preloader:i386
          xvfb x11-apps imagemagick librsvg2-bin
          googletest libgtest-dev libbenchmark-dev valgrind zip unzip python3)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done

# 32-bit Wine may have to run through qemu's user-mode emulation (see
# i386-exec.sh); bookworm's qemu 7.2 crashes there, the backported one works.
backports=/etc/apt/sources.list.d/pivora-backports.list
need_qemu=0
qemu_major="$(qemu-i386-static --version 2>/dev/null | sed -n 's/.*version \([0-9]*\)\..*/\1/p' | head -1)"
if [ -z "$qemu_major" ] || [ "$qemu_major" -lt 8 ]; then need_qemu=1; fi

if [ ${#missing[@]} -gt 0 ] || [ "$need_qemu" = 1 ]; then
  echo "setup: installing ${missing[*]} $( [ "$need_qemu" = 1 ] && echo qemu-user-static)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo_cmd dpkg --add-architecture i386
  fi
  if [ "$need_qemu" = 1 ] && [ ! -f "$backports" ] &&
     grep -rqs bookworm /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo 'deb http://deb.debian.org/debian bookworm-backports main' | $sudo_cmd tee "$backports" >/dev/null
  fi
  $sudo_cmd apt-get update -qq
  if [ ${#missing[@]} -gt 0 ]; then
    $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
  if [ "$need_qemu" = 1 ]; then
    if [ -f "$backports" ]; then
      $sudo_cmd apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
    else
      $sudo_cmd apt-get install -y -qq --no-install-recommends qemu-user-static >/dev/null
    fi
  fi
fi

# The MinGW posix flavour is the one whose libstdc++ has std::thread.
for tool in i686-w64-mingw32-g++ i686-w64-mingw32-gcc x86_64-w64-mingw32-g++ x86_64-w64-mingw32-gcc; do
  if [ -e "/usr/bin/$tool-posix" ]; then
    cur="$(readlink -f "/usr/bin/$tool" || true)"
    case "$cur" in *-posix) ;; *) $sudo_cmd update-alternatives --set "$tool" "/usr/bin/$tool-posix" >/dev/null ;; esac
  fi
done

$sudo_cmd "$here/scripts/i386-exec.sh"
"$here/scripts/wineprefix.sh" "$prefix"
echo "setup: ready (Wine prefix $prefix)"
