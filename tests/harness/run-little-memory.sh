#!/usr/bin/env bash
# Runs Win32 tests where a block of about 4 GB cannot be allocated: a 32-bit
# program never can; a 64-bit one (BRIMEL_WINE_ARCH=win64) runs with its
# address space limited to 2 GB.
#   run-little-memory.sh TEST.exe GTEST_FILTER
# The tests see BRIMEL_LITTLE_MEMORY=1.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1" filter="$2"
: "${BRIMEL_WINE_ROOT:?}"
# The prefix, its server and the display come up without the limit.
"$here/wine-run.sh" || exit 1
out="$({ [ "${BRIMEL_WINE_ARCH:-win32}" != win64 ] || ulimit -v 2097152; } &&
    BRIMEL_LITTLE_MEMORY=1 "$here/wine-run.sh" "$exe" --gtest_filter="$filter" 2>&1)"
status=$?
echo "$out"
[ $status -eq 0 ] || exit 1
echo "$out" | grep -q '^\[  SKIPPED \]' && { echo "a test skipped"; exit 1; }
echo "$out" | grep -q '^\[  PASSED  \] [1-9]' || exit 1
