#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, when missing.
# Run as root on Debian 12.
set -euo pipefail
packages=(
    cmake make g++ python3 zlib1g-dev libgtest-dev
    g++-mingw-w64-i686 gcc-mingw-w64-i686 binutils-mingw-w64-i686 libz-mingw-w64-dev
    g++-mingw-w64-x86-64 gcc-mingw-w64-x86-64 binutils-mingw-w64-x86-64
    wine wine32:i386 wine64 fonts-wine xvfb xdotool imagemagick x11-utils procps util-linux python3-pil locales fonts-liberation
    zopfli
)
missing=()
dpkg --print-foreign-architectures | grep -qx i386 || { dpkg --add-architecture i386; missing+=(update); }
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in mid-sync can fail one index (seen: the security
    # suite's i386 list); the others still serve, so go on and let the
    # install say whether a package is really missing.
    apt-get update -qq || echo "install-deps: apt-get update reported errors; installing from the lists it has" >&2
    list=()
    for p in "${missing[@]}"; do [ "$p" = update ] || list+=("$p"); done
    # With one architecture's security list missing, its packages cannot
    # pair with the other's newer ones (multi-arch needs equal versions):
    # then take both from the release suite, which both lists carry.
    [ ${#list[@]} -eq 0 ] ||
        apt-get install -y -qq --no-install-recommends "${list[@]}" >/dev/null ||
        apt-get install -y -qq --no-install-recommends -o APT::Default-Release=bookworm "${list[@]}" >/dev/null
fi
