#!/usr/bin/env bash
# Runs Win32 tests as an unprivileged user (nobody) in a prefix of that
# user's own: Wine run by root ignores the read-only attribute.
#   run-unprivileged.sh TEST.exe GTEST_FILTER
# The tests see BRIMEL_UNPRIVILEGED=1. Exits 77 (skipped) when not run as root.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
exe="$1" filter="$2"
: "${BRIMEL_WINE_ROOT:?}"
source "$here/wine-loader.sh"
if [ "$(id -u)" != 0 ]; then
    echo "not root: starting the tests as the user nobody (runuser) needs root, so the read-only cases did not run: skipped"
    exit 77
fi
# Under /tmp, so the user can reach it wherever the build folder lies.
root="$(mktemp -d /tmp/brimel-unprivileged.XXXXXX)"
chmod 755 "$root"; mkdir -p "$root/home"
cp "$exe" "$root/test.exe"
chown -R nobody "$root"
as_nobody() {
    runuser -u nobody -- env -i PATH="$PATH" HOME="$root/home" WINEPREFIX="$root/prefix" \
        WINEARCH="$WINEARCH" ${WINELOADER:+WINELOADER="$WINELOADER"} WINEDEBUG=-all \
        WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d" BRIMEL_UNPRIVILEGED=1 "$@"
}
trap 'as_nobody wineserver -k 2>/dev/null; rm -rf "$root"' EXIT
as_nobody "$BRIMEL_WINE" wineboot -i >/dev/null 2>&1 </dev/null
out="$(as_nobody "$BRIMEL_WINE" "$root/test.exe" --gtest_filter="$filter" 2>&1 </dev/null)"
status=$?   # the test program's own exit status
out="$(printf '%s\n' "$out" | tr -d '\r')"
echo "$out"
[ $status -eq 0 ] || exit 1
echo "$out" | grep -q '^\[  SKIPPED \]' && { echo "a test skipped"; exit 1; }
echo "$out" | grep -q '^\[  PASSED  \] [1-9]' || exit 1
