#!/usr/bin/env bash
# Prints the Wine architecture the Win32 tests run under on this machine:
# win32 when 32-bit Wine starts, win64 otherwise (some kernels refuse 32-bit
# programs; then the tests are built for x86_64 and run under 64-bit Wine).
# Says so on stderr in one line. BRIMEL_WINE_ARCH, when set, decides instead.
#   wine-arch.sh
set -u
if [ -n "${BRIMEL_WINE_ARCH:-}" ]; then
    echo "$BRIMEL_WINE_ARCH"
    exit 0
fi
wine32=/usr/lib/wine/wine
if why="$("$wine32" --version 2>&1 </dev/null)"; then
    echo win32
    exit 0
fi
why="$(printf '%s' "$why" | tail -1 | sed 's/^.*: //')"
echo "32-bit programs cannot run on this machine ($wine32: ${why:-does not start}): Wine runs x86_64 builds in a 64-bit prefix instead" >&2
echo win64
