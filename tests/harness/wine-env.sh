# Sourced by the harness scripts: where this build's Wine prefix, home and
# display live. Nothing here touches the user's own prefix or display.
: "${BRIMEL_WINE_ROOT:?BRIMEL_WINE_ROOT must name the wine folder of the build}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
export WINEPREFIX="$BRIMEL_WINE_ROOT/prefix"
export WINEDEBUG=-all
export HOME="$BRIMEL_WINE_ROOT/home"
export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
export XDG_CACHE_HOME="$HOME/.cache" XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
unset WINESERVER
# Wine reads TZ for the clock but the C runtime of a program would misread a
# Unix zone name; tests that need a zone give it to Wine only.
