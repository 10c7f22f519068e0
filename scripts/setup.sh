#!/usr/bin/env bash
# Installs the build and test tools from Debian's packages and prepares the
# private Wine prefix. Safe to run again: it skips what is already in place.
set -euo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
prefix="${WINEPREFIX:-$here/build/wineprefix}"

sudo_cmd=""
if [ "$(id -u)" != 0 ]; then sudo_cmd="sudo"; fi

packages=(cmake ninja-build g++ clang libclang-rt-14-dev
          g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
          wine wine64 wine32:i386 wine32-preloader:i386 qemu-user-static
          xvfb x11-apps imagemagick
          googletest libgtest-dev libbenchmark-dev valgrind zip unzip python3)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo_cmd dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $sudo_cmd apt-get update -qq
  $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The MinGW posix flavour is the one whose libstdc++ has std::thread.
for tool in i686-w64-mingw32-g++ i686-w64-mingw32-gcc x86_64-w64-mingw32-g++ x86_64-w64-mingw32-gcc; do
  if [ -e "/usr/bin/$tool-posix" ]; then
    cur="$(readlink -f "/usr/bin/$tool" || true)"
    case "$cur" in *-posix) ;; *) $sudo_cmd update-alternatives --set "$tool" "/usr/bin/$tool-posix" >/dev/null ;; esac
  fi
done

"$here/scripts/i386-exec.sh"
"$here/scripts/wineprefix.sh" "$prefix"
echo "setup: ready (Wine prefix $prefix)"
