#!/usr/bin/env bash
# Runs Win32 tests against a nearly full drive: a 256 KB tmpfs mapped as F:.
#   run-full-disk.sh TEST.exe GTEST_FILTER
# The tests find the drive in BRIMEL_FULL_DISK. Exits 77 (skipped) when the
# drive cannot be mounted (mounting needs root).
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1" filter="$2"
: "${BRIMEL_WINE_ROOT:?}"
"$here/wine-run.sh" || exit 1   # the prefix exists from here on
source "$here/wine-env.sh"
mnt="$BRIMEL_WINE_ROOT/small-drive"
mkdir -p "$mnt"
if ! mount -t tmpfs -o size=256k tmpfs "$mnt" 2>/dev/null; then
    echo "cannot mount a small drive here (needs root): skipped"
    exit 77
fi
cleanup() { rm -f "$WINEPREFIX/dosdevices/f:"; umount "$mnt" 2>/dev/null; }
trap cleanup EXIT
ln -sfn "$mnt" "$WINEPREFIX/dosdevices/f:"
out="$(BRIMEL_FULL_DISK='F:' "$here/wine-run.sh" "$exe" --gtest_filter="$filter" 2>&1)"
status=$?
echo "$out"
[ $status -eq 0 ] || exit 1
echo "$out" | grep -q '^\[  SKIPPED \]' && { echo "a test skipped"; exit 1; }
echo "$out" | grep -q '^\[  PASSED  \] [1-9]' || exit 1
