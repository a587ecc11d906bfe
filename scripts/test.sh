#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer) and the Win32 tests under
# Wine in a fresh prefix of this run's own. Where 32-bit programs cannot run,
# the Win32 tests are built a second time for x86_64 (build/win64) and run
# under 64-bit Wine; the checks of the shipped i686 files run as always.
#   scripts/test.sh            from the repository's top folder
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
jobs="$(nproc)"
arch="$(tests/harness/wine-arch.sh)"   # says why on stderr when it is win64

cmake -S . -B build/native -DBRIMEL_SANITIZE=ON >/dev/null
cmake --build build/native -j"$jobs"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j"$jobs"
wine_tree=build/win
if [ "$arch" = win64 ]; then
    wine_tree=build/win64
    cmake -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    cmake --build build/win64 -j"$jobs"
fi

# A fresh Wine prefix for every run.
"$wine_tree/wine-stop" >/dev/null 2>&1 || true
rm -rf "$wine_tree/wine"

status=0
(cd build/native && ctest --output-on-failure -j"$jobs") || status=1
if [ "$arch" = win64 ]; then
    # The i686 build's own checks read its files and need no Wine.
    (cd build/win && ctest --output-on-failure -R '^host\.') || status=1
fi
(cd "$wine_tree" && ctest --output-on-failure) || status=1
"$wine_tree/wine-stop" >/dev/null 2>&1 || true
exit $status
