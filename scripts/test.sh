#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests (also under
# AddressSanitizer and UndefinedBehaviorSanitizer) and the Win32 tests under
# Wine in a fresh prefix of this run's own.
#   scripts/test.sh            from the repository's top folder
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
[ "$(id -u)" = 0 ] && scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build/native -DBRIMEL_SANITIZE=ON >/dev/null
cmake --build build/native -j"$jobs"
cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build build/win -j"$jobs"

# A fresh Wine prefix for every run.
build/win/wine-stop >/dev/null 2>&1 || true
rm -rf build/win/wine

status=0
(cd build/native && ctest --output-on-failure -j"$jobs") || status=1
(cd build/win && ctest --output-on-failure) || status=1
build/win/wine-stop >/dev/null 2>&1 || true
exit $status
