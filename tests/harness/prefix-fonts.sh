#!/usr/bin/env bash
# Gives the Wine prefix at $WINEPREFIX the faces Windows has. From Debian's
# fonts-wine: "MS Sans Serif" (sserife.fon, the bitmap face at Windows'
# metrics: 13 pixels high at 8 points), Tahoma for Wine's own captions and
# Marlett for the glyphs of the frame's buttons. A new prefix names
# sserife.fon among its fonts but has no such file in its Fonts folder, and
# Wine does not look in its own font folder for it: without the copy every
# request for the dialog face lands on a fontconfig stand-in (a serif face
# for FF_ROMAN). From fonts-liberation: Liberation Sans, Arial's metric
# twin, which Wine gives a request for a missing "Arial" (the license's
# face) before any other sans serif face; without it the license is set in
# DejaVu Sans, wider than designed and, through its large OpenType tables,
# twice as slow to wrap anew on every resize of the license view.
#   WINEPREFIX=... prefix-fonts.sh
set -u
: "${WINEPREFIX:?}"
wine_fonts="${BRIMEL_WINE_FONTS:-/usr/share/wine/fonts}"
liberation="${BRIMEL_LIBERATION_FONTS:-/usr/share/fonts/truetype/liberation}"
target="$WINEPREFIX/drive_c/windows/Fonts"
mkdir -p "$target"
for f in "$wine_fonts"/{sserife.fon,tahoma.ttf,tahomabd.ttf,marlett.ttf} \
         "$liberation"/LiberationSans-{Regular,Bold,Italic,BoldItalic}.ttf; do
    if [ ! -f "$f" ]; then
        echo "prefix-fonts: $f is missing (Debian's fonts-wine and fonts-liberation; scripts/install-deps.sh installs them)" >&2
        exit 1
    fi
    cp "$f" "$target/"
done
