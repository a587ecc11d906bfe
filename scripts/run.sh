#!/usr/bin/env bash
# Builds the installer and starts it under Wine in a fresh 32-bit prefix.
# With a $DISPLAY it opens there for you to use; without one it runs in an
# Xvfb of its own, saves a screenshot of the welcome dialog, says where, and
# closes the installer. Where 32-bit programs cannot run, the x86_64 build of
# the installer (build/win64) starts under 64-bit Wine in a 64-bit prefix.
#   scripts/run.sh             opens the installer
#   scripts/run.sh --install   also ticks the box and presses Install, from
#                              outside as a user would (headless: screenshots)
set -euo pipefail
install=0
[ "${1:-}" = --install ] && install=1
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
export BRIMEL_WINE_ARCH
BRIMEL_WINE_ARCH="$(tests/harness/wine-arch.sh)"
if [ "$BRIMEL_WINE_ARCH" = win64 ]; then
    tree=build/win64 toolchain=cmake/mingw-x86_64.cmake
    echo "Starting the x86_64 build of the installer ($tree/BrimelSetup.exe) under 64-bit Wine."
else
    tree=build/win toolchain=cmake/mingw-i686.cmake
fi
cmake -S . -B "$tree" -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$tree" -j"$(nproc)" --target BrimelSetup window_probe

export BRIMEL_WINE_ROOT="$top/build/run"
source tests/harness/wine-env.sh
rm -rf "$BRIMEL_WINE_ROOT"; mkdir -p "$HOME"
setup="$top/$tree/BrimelSetup.exe"

if [ "$install" = 1 ] && [ -z "${DISPLAY:-}" ]; then
    tests/harness/drive-install.sh "$setup" "$top/build/install-shots" "$top/$tree/tests/win/window_probe.exe"
    exit 0
fi

if [ -n "${DISPLAY:-}" ]; then
    wineboot -i >/dev/null 2>&1
    tests/harness/prefix-fonts.sh
    wine "$setup"
    wineserver -k
    exit 0
fi

shot="$top/build/welcome.png"
tests/harness/screenshot.sh "$setup" "Welcome to Brimel Messenger" "$shot"
echo "Screenshot of the welcome dialog: $shot"
