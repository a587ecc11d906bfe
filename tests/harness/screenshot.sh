#!/usr/bin/env bash
# Starts a Windows program in an Xvfb of its own, waits for a window with the
# given title, saves a screenshot and closes the program with Escape. Without
# a window manager Wine draws no frames: each window is its client area.
#   screenshot.sh PROGRAM.exe "Window title" OUT.png
# Uses the Wine prefix of the environment (WINEPREFIX and friends) and the
# Wine of BRIMEL_WINE_ARCH (wine-loader.sh).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
program="$1" title="$2" shot="$3"
source "$(dirname "${BASH_SOURCE[0]}")/own-display.sh"
# The prefix is prepared on this display, so the desktop process can draw.
wineboot -i >/dev/null 2>&1
"$(dirname "${BASH_SOURCE[0]}")/prefix-fonts.sh"
wine "$program" >/dev/null 2>&1 &
window=""
for _ in $(seq 120); do
    window="$(xdotool search --name "^$title\$" 2>/dev/null | head -1 || true)"
    [ -n "$window" ] && break
    sleep 0.25
done
if [ -z "$window" ]; then
    echo "no window titled '$title' appeared" >&2
    import -window root "$shot" 2>/dev/null || true
    exit 1
fi
sleep 1.5
import -window root "$shot"
xdotool mousemove --window "$window" 5 5 windowfocus --sync "$window" key Escape 2>/dev/null || true
sleep 1
