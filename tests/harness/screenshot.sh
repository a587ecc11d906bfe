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
for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
# The prefix is prepared on this display, so the desktop process can draw.
wineboot -i >/dev/null 2>&1
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
