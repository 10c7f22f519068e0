#!/usr/bin/env bash
# 32-bit Wine needs the kernel to run i386 ELF programs. Some of our build
# machines boot with 32-bit execution switched off ("Exec format error"); there
# we hand i386 programs to qemu's user-mode emulator through binfmt_misc.
# setup.sh installs qemu before it runs this, so the registration (with the F
# flag, which pins the emulator binary) takes the current qemu.
set -euo pipefail
binfmt=/proc/sys/fs/binfmt_misc
qemu=/usr/bin/qemu-i386-static

if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  exit 0
fi
if [ ! -e "$binfmt/register" ]; then
  mount -t binfmt_misc binfmt_misc "$binfmt"
fi
if [ ! -e "$binfmt/qemu-i386" ]; then
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:'"$qemu"':F' > "$binfmt/register"
fi
/usr/lib/wine/wine --version >/dev/null
echo "i386-exec: 32-bit programs run through $($qemu --version | head -1)"
