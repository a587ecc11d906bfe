#!/usr/bin/env bash
# Drives the installer from outside as a user would, in an Xvfb of its own:
# presses Install with the box unticked (the message), closes the message,
# ticks the box, presses Install, and waits for the installed messenger.
# Everything runs inside a Wine virtual desktop, so that Wine draws the
# frames and captions as Windows does. A screenshot of each step goes to
# OUTDIR (welcome.png, accept-first.png, messenger.png), and one of the
# desktop shortcut (desktop-shortcut.png).
#   drive-install.sh PROGRAM.exe OUTDIR WINDOW_PROBE.exe
# With BRIMEL_DPI (default 96) the prefix tells the programs that DPI, on a
# screen and desktop grown by the same factor.
# Uses the Wine prefix of the environment and the Wine of BRIMEL_WINE_ARCH.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
program="$1" out="$2" probe="$3"
mkdir -p "$out"
dpi="${BRIMEL_DPI:-96}"
screen="$((1024 * dpi / 96))x$((768 * dpi / 96))"
BRIMEL_SCREEN="$screen"
source "$(dirname "${BASH_SOURCE[0]}")/own-display.sh"
wineboot -i >/dev/null 2>&1
"$(dirname "${BASH_SOURCE[0]}")/prefix-fonts.sh"
# Every program of the prefix opens in one desktop of the screen's size, at
# the screen's origin: screen coordinates are the X display's.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d brimel /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v brimel /d "$screen" /f >/dev/null 2>&1
wine "$program" >/dev/null 2>&1 &

# The client area (x y width height on the screen) of the visible window
# with this title, waited for up to 30 s. The X server sees only the
# desktop, so the windows are read as an accessibility tool reads them.
find_window() {
    local w=""
    for _ in $(seq 60); do
        w="$(wine "$probe" 2>/dev/null | tr -d '\r' |
            awk -F'\t' -v t="$1" '$1 == "window" && $4 == 1 && $15 == t { print $10, $11, $12, $13; exit }')"
        [ -n "$w" ] && { echo "$w"; return 0; }
        sleep 0.25
    done
    return 1
}
# A 96-DPI pixel count at the prefix's DPI, rounded as the installer rounds.
px() { echo $((($1 * dpi + 48) / 96)); }
# Clicks at client coordinates X Y of a window found by find_window.
click() {
    local origin=($1)
    xdotool mousemove $((origin[0] + $2)) $((origin[1] + $3))
    sleep 0.3
    xdotool click 1
}

welcome="$(find_window "Welcome to Brimel Messenger")" || { echo "no welcome dialog" >&2; exit 1; }
sleep 1.5
import -window root "$out/welcome.png"
read -r _ _ _ height <<<"$welcome"

click "$welcome" "$(px 330)" $((height - $(px 90)))        # Install, box unticked
message="$(find_window "Brimel Messenger Setup")" || { echo "no message" >&2; exit 1; }
sleep 1
import -window root "$out/accept-first.png"
# OK sits where the template puts it: 224 of 254 units across, 46 of 58 down.
read -r _ _ mw mh <<<"$message"
click "$message" $((mw * 224 / 254)) $((mh * 46 / 58))
sleep 1

click "$welcome" "$(px 146)" $((height - $(px 134)))       # the acceptance box
click "$welcome" "$(px 330)" $((height - $(px 90)))        # Install
find_window "Brimel Messenger" >/dev/null || { echo "the messenger did not start" >&2; exit 1; }
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
