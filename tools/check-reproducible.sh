#!/usr/bin/env bash
# Checks that the installer builds reproducibly: clones the repository twice,
# into two folders of different names and depths, builds BrimelSetup.exe in
# each (i686, configured as build/win is) and compares the two files byte for
# byte. The second build runs in another time zone and with another umask, so
# that neither can leak into the file.
#   tools/check-reproducible.sh [--signed] [COMMIT]     COMMIT defaults to HEAD
# --signed builds signed releases (the release preset, the stand-in product)
# with one throw-away certificate and the commit's time as source date.
# Only committed work is built. Exit code 0 when the files are identical.
# KEEP=1 keeps the scratch folder for inspection.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
signed=0
if [ "${1:-}" = --signed ]; then signed=1; shift; fi
rev="$(git -C "$top" rev-parse --verify "${1:-HEAD}^{commit}")"
jobs="${JOBS:-2}"
work="$(mktemp -d /tmp/brimel-reproducible.XXXXXX)"
cleanup() { if [ "${KEEP:-0}" = 1 ]; then echo "scratch kept: $work"; else rm -rf "$work"; fi; }
trap cleanup EXIT
configure="cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake"
if [ $signed = 1 ]; then
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/key.pem" -out "$work/cert.pem" -days 30 \
        -subj "/CN=reproducibility check" >/dev/null 2>&1
    printf 'check' >"$work/password"
    openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -out "$work/cert.p12" \
        -passout "file:$work/password"
    configure="cmake --preset release -B build/win -DBRIMEL_SIGN_PKCS12=$work/cert.p12 -DBRIMEL_SIGN_PASSWORD_FILE=$work/password"
    export SOURCE_DATE_EPOCH="$(git -C "$top" log -1 --format=%ct "$rev")"
fi

build() { # build <clone folder> <env assignments...>
    local dir=$1; shift
    git clone -q --no-local "$top" "$dir"
    git -C "$dir" checkout -q --detach "$rev"
    (cd "$dir" && env "$@" bash -c "umask \$BUILD_UMASK &&
        $configure >/dev/null &&
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
    [ $signed = 1 ] && osslsigncode verify -CAfile "$work/cert.pem" -in "$one" | grep -q "Signature verification: ok"
    echo "reproducible: both builds of BrimelSetup.exe are identical ($(stat -c %s "$one") bytes)"
else
    echo "NOT reproducible: $(cmp -l "$one" "$two" | wc -l) bytes differ"
    exit 1
fi
