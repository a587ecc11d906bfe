#!/usr/bin/env bash
# Ends the wineserver and the Xvfb that wine-run.sh started for this build.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${BRIMEL_WINE_ROOT:=$(cd "$here/../.." && pwd)/build/wine}"
export BRIMEL_WINE_ROOT
source "$here/wine-env.sh"
[ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null
if [ -f "$BRIMEL_WINE_ROOT/xvfb.pid" ]; then
    kill "$(cat "$BRIMEL_WINE_ROOT/xvfb.pid")" 2>/dev/null
    rm -f "$BRIMEL_WINE_ROOT/xvfb.pid"
fi
# The end-to-end scenarios' display (tests/e2e/driver.py).
if [ -f "$BRIMEL_WINE_ROOT/e2e/xvfb.pid" ]; then
    kill "$(cat "$BRIMEL_WINE_ROOT/e2e/xvfb.pid")" 2>/dev/null
    rm -f "$BRIMEL_WINE_ROOT/e2e/xvfb.pid"
fi
exit 0
