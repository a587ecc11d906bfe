#!/usr/bin/env bash
# Builds the installer and starts it under Wine in a fresh 32-bit prefix.
# With a $DISPLAY it opens there for you to use; without one it runs in an
# Xvfb of its own, saves a screenshot of the welcome dialog, says where, and
# closes the installer.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j"$(nproc)" --target BrimelSetup

export BRIMEL_WINE_ROOT="$top/build/run"
source tests/harness/wine-env.sh
rm -rf "$BRIMEL_WINE_ROOT"; mkdir -p "$HOME"
setup="$top/build/win/BrimelSetup.exe"

if [ -n "${DISPLAY:-}" ]; then
    wineboot -i >/dev/null 2>&1
    wine "$setup"
    wineserver -k
    exit 0
fi

shot="$top/build/welcome.png"
tests/harness/screenshot.sh "$setup" "Welcome to Brimel Messenger" "$shot"
echo "Screenshot of the welcome dialog: $shot"
