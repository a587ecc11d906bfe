#!/usr/bin/env bash
# Drives the installer from outside as a user would, in an Xvfb of its own:
# presses Install with the box unticked (the message), closes the message,
# ticks the box, presses Install, and waits for the installed messenger.
# A screenshot of each step goes to OUTDIR (welcome.png, accept-first.png,
# messenger.png), and one of the desktop shortcut (desktop-shortcut.png).
#   drive-install.sh PROGRAM.exe OUTDIR
# Uses the Wine prefix of the environment and the Wine of BRIMEL_WINE_ARCH.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
program="$1" out="$2"
mkdir -p "$out"
source "$(dirname "${BASH_SOURCE[0]}")/own-display.sh"
wineboot -i >/dev/null 2>&1
wine "$program" >/dev/null 2>&1 &

# The window with this title, waited for up to 30 s.
find_window() {
    local w=""
    for _ in $(seq 120); do
        w="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1 || true)"
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.25
    done
    return 1
}
# Clicks at client coordinates of a window (without a window manager the X
# window is the client area).
click() {
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.3
    xdotool click 1
}

welcome="$(find_window "Welcome to Brimel Messenger")" || { echo "no welcome dialog" >&2; exit 1; }
sleep 1.5
import -window root "$out/welcome.png"
height="$(xdotool getwindowgeometry "$welcome" | sed -n 's/.*Geometry: [0-9]*x//p')"

click "$welcome" 330 $((height - 90))        # Install, box unticked
message="$(find_window "Brimel Messenger Setup")" || { echo "no message" >&2; exit 1; }
sleep 1
import -window root "$out/accept-first.png"
# OK sits where the template puts it: 224 of 254 units across, 46 of 58 down.
size="$(xdotool getwindowgeometry "$message" | sed -n 's/.*Geometry: //p')"
click "$message" $(( ${size%x*} * 224 / 254 )) $(( ${size#*x} * 46 / 58 ))
sleep 1

click "$welcome" 146 $((height - 134))       # the acceptance box
click "$welcome" 330 $((height - 90))        # Install
messenger="$(find_window "Brimel Messenger")" || { echo "the messenger did not start" >&2; exit 1; }
sleep 2
import -window root "$out/messenger.png"

# The desktop shortcut, on a Wine desktop that shows the shortcuts of the
# Desktop folder with their icons (its shell enabled).
wineserver -k
wine reg add 'HKCU\Software\Wine\Explorer\Desktops\shortcut' /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine explorer /desktop=shortcut,480x320 >/dev/null 2>&1 &
sleep 6
import -window root -crop 480x320+0+0 +repage "$out/desktop-shortcut.png"
echo "screenshots in $out"
