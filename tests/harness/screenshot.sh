#!/usr/bin/env bash
# Starts a Windows program in an Xvfb of its own (inside a Wine desktop, so
# that windows have frames and captions), waits for a window with the given
# title, saves a screenshot and closes the program.
#   screenshot.sh PROGRAM.exe "Window title" OUT.png
# Uses the Wine prefix of the environment (WINEPREFIX and friends).
set -euo pipefail
program="$1" title="$2" shot="$3"
for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
wine explorer /desktop=brimel,1024x768 "$program" >/dev/null 2>&1 &
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
xdotool windowclose "$window" 2>/dev/null || xdotool key --window "$window" Escape || true
sleep 1
