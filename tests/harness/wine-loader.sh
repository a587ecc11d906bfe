# Sourced by the harness scripts: which Wine runs the programs, from
# BRIMEL_WINE_ARCH (win32, the default, or win64 for the x86_64 test build).
# Debian's `wine` always takes the 32-bit loader when it is installed, even
# where it cannot run, so the 64-bit one is named directly. Defines wine,
# wineboot and winepath for this shell and the bash shells it starts;
# BRIMEL_WINE is the loader for commands that cannot see shell functions.
export BRIMEL_WINE_ARCH="${BRIMEL_WINE_ARCH:-win32}"
case "$BRIMEL_WINE_ARCH" in
    win32) BRIMEL_WINE="$(type -P wine)"; unset WINELOADER ;;
    win64) BRIMEL_WINE=/usr/lib/wine/wine64; export WINELOADER="$BRIMEL_WINE" ;;
    *) echo "unknown BRIMEL_WINE_ARCH '$BRIMEL_WINE_ARCH' (win32 or win64)" >&2; exit 2 ;;
esac
export BRIMEL_WINE WINEARCH="$BRIMEL_WINE_ARCH"
wine() { "$BRIMEL_WINE" "$@"; }
wineboot() { "$BRIMEL_WINE" wineboot "$@"; }
winepath() { "$BRIMEL_WINE" winepath "$@"; }
export -f wine wineboot winepath
