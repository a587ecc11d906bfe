#!/usr/bin/env bash
# Gives the Wine prefix at $WINEPREFIX the faces Windows has, from Debian's
# fonts-wine: "MS Sans Serif" (sserife.fon, the bitmap face at Windows'
# metrics: 13 pixels high at 8 points), Tahoma for Wine's own captions and
# Marlett for the glyphs of the frame's buttons. A new prefix names
# sserife.fon among its fonts but has no such file in its Fonts folder, and
# Wine does not look in its own font folder for it: without the copy every
# request for the dialog face lands on a fontconfig stand-in (a serif face
# for FF_ROMAN).
#   WINEPREFIX=... prefix-fonts.sh
set -u
: "${WINEPREFIX:?}"
source="${BRIMEL_WINE_FONTS:-/usr/share/wine/fonts}"
target="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$target"
for f in sserife.fon tahoma.ttf tahomabd.ttf marlett.ttf; do
    if [ ! -f "$source/$f" ]; then
        echo "prefix-fonts: $source/$f is missing (Debian's fonts-wine; scripts/install-deps.sh installs it)" >&2
        exit 1
    fi
    cp "$source/$f" "$target/$f"
done
