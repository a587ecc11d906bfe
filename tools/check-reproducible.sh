#!/usr/bin/env bash
# Checks that the installer builds reproducibly: clones the repository twice,
# into two folders of different names and depths, builds BrimelSetup.exe in
# each (i686, configured as build/win is) and compares the two files byte for
# byte. The second build runs in another time zone and with another umask, so
# that neither can leak into the file.
#   tools/check-reproducible.sh [COMMIT]     COMMIT defaults to HEAD
# Only committed work is built. Exit code 0 when the files are identical.
# KEEP=1 keeps the scratch folder for inspection.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
rev="$(git -C "$top" rev-parse --verify "${1:-HEAD}^{commit}")"
jobs="${JOBS:-2}"
work="$(mktemp -d /tmp/brimel-reproducible.XXXXXX)"
cleanup() { if [ "${KEEP:-0}" = 1 ]; then echo "scratch kept: $work"; else rm -rf "$work"; fi; }
trap cleanup EXIT

build() { # build <clone folder> <env assignments...>
    local dir=$1; shift
    git clone -q --no-local "$top" "$dir"
    git -C "$dir" checkout -q --detach "$rev"
    (cd "$dir" && env "$@" bash -c "umask \$BUILD_UMASK &&
        cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null &&
        cmake --build build/win --target BrimelSetup -j$jobs >/dev/null") ||
        { echo "build in $dir failed" >&2; exit 2; }
}

first="$work/a/brimel"
second="$work/second-clone/deeper/brimel-setup"
echo "commit $rev"
build "$first" BUILD_UMASK=022 TZ=UTC
build "$second" BUILD_UMASK=002 TZ=Pacific/Auckland
one="$first/build/win/BrimelSetup.exe"
two="$second/build/win/BrimelSetup.exe"
sha256sum "$one" "$two" | sed "s|$work/||"
if cmp "$one" "$two"; then
    echo "reproducible: both builds of BrimelSetup.exe are identical ($(stat -c %s "$one") bytes)"
else
    echo "NOT reproducible: $(cmp -l "$one" "$two" | wc -l) bytes differ"
    exit 1
fi
