#!/bin/bash
# Smoke test of the built product under Wine.
#
#   product/tests/smoke.sh <folder holding Brimel.exe, BC.dll and "Uninstall Brimel.exe">
#
# Lays out an installation by hand in a fresh Wine prefix (own Xvfb display,
# scratch HOME; 32-bit, or 64-bit with BRIMEL_WINE_ARCH=win64 for the x86_64
# build), then checks:
#   - the messenger opens its window, paints the 1024x768 skin and the
#     version text of BC.dll, and a second start leaves one window;
#   - its program file cannot be opened for writing while it runs;
#   - "Brimel.exe /u.U" makes the running copy exit within 10 s, after which
#     the file is writable and the window position is in the settings key;
#   - without BC.dll the window says so (a longer status text);
#   - on an 800x600 screen it shows the 800x600 skin at the saved position,
#     moved as far as needed to lie wholly on the screen, and the skin's
#     close button closes it;
#   - the uninstaller rejects an unknown switch and removes nothing;
#   - "Uninstall Brimel.exe /S", with the messenger running, has it quit
#     ("/u.U"), removes the 44 product files, the skin folders, the three
#     shortcuts and the uninstall key, keeps the user's file (and so the
#     product folder) and the settings key, exits 0, and its temporary copy
#     then deletes the installed uninstaller;
#   - a second silent run, from a copy outside the Windows folder and with
#     nothing registered, removes the product folder left empty.
# Exit code 0 when every check passed. Takes about 30 seconds (Wine prefix
# creation included).
# KEEP=1 keeps the scratch folder (printed at the end) for inspection.

set -u

BIN=${1:?usage: smoke.sh <folder with the built product>}
BIN=$(cd "$BIN" && pwd) || exit 2
HERE=$(cd "$(dirname "$0")" && pwd)
SKINS="$HERE/../skins"
for f in Brimel.exe BC.dll "Uninstall Brimel.exe"; do
    [ -f "$BIN/$f" ] || { echo "missing $BIN/$f" >&2; exit 2; }
done

WORK=$(mktemp -d /tmp/brimel-smoke.XXXXXX)
source "$HERE/../../tests/harness/wine-loader.sh"
export WINEPREFIX="$WORK/prefix" WINEDEBUG=-all HOME="$WORK/home"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
unset TZ
mkdir -p "$HOME"

XVFB_PID=
cleanup() {
    wineserver -k >/dev/null 2>&1
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    if [ "${KEEP:-0}" = 1 ]; then echo "scratch kept: $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

FAILURES=0
pass() { echo "ok   - $*"; }
fail() { echo "FAIL - $*"; FAILURES=$((FAILURES + 1)); }
check() { # check <description> <command...>
    local what=$1; shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}

# A display of our own.
for n in $(seq 57 99); do
    if [ ! -e /tmp/.X$n-lock ] && [ ! -e /tmp/.X11-unix/X$n ]; then DISPLAY_NUM=$n; break; fi
done
[ -n "${DISPLAY_NUM:-}" ] || { echo "no free X display" >&2; exit 2; }
Xvfb ":$DISPLAY_NUM" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
export DISPLAY=":$DISPLAY_NUM"
sleep 1

wineboot -i >/dev/null 2>&1
wineserver -p >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1

regval() { # regval <key> <value>: prints the data, empty when missing
    wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
        awk -v v="$2" 'index($0, "    " v "    REG_") == 1 { sub(/^    [^\t]*    REG_[A-Z_]+    /, ""); print }'
}
haskey() { wine reg query "$1" >/dev/null 2>&1; }
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }

PF_WIN=$(regval 'HKLM\Software\Microsoft\Windows\CurrentVersion' ProgramFilesDir)
PRODUCT_WIN="${PF_WIN%\\}\\Brimel"
PRODUCT=$(unixpath "$PRODUCT_WIN")
WINDIR=$(unixpath 'C:\windows')
UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brimel'
SETTINGS_KEY='HKCU\Software\Brimel, Inc.\Brimel'
SHELL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders'

SHARED="bold italic underline font help close settings voice_video minimize find_friends import_friends my_profile send smiley decline action accept"
lay_out_installation() {
    local res
    for res in 800x600 1024x768; do
        local dir="$PRODUCT/Skins/Default - $res"
        mkdir -p "$dir"
        cp "$SKINS/$res/main.bmp" "$SKINS/$res/left_panel.bmp" "$SKINS/$res/accept_decline.bmp" \
           "$BIN/skins/$res/skin.ini" "$dir/"
        for name in $SHARED; do cp "$SKINS/common/$name.bmp" "$dir/"; done
    done
    cp "$BIN/Brimel.exe" "$BIN/BC.dll" "$PRODUCT/"
    cp "$BIN/Uninstall Brimel.exe" "$WINDIR/"
    wine reg add "$UNINSTALL_KEY" /v DisplayName /d "Brimel Messenger" /f >/dev/null
    wine reg add "$UNINSTALL_KEY" /v DisplayVersion /d "2.0, Build # 040" /f >/dev/null
    wine reg add "$UNINSTALL_KEY" /v Publisher /d "Brimel, Inc." /f >/dev/null
    wine reg add "$UNINSTALL_KEY" /v UninstallString /d 'C:\windows\Uninstall Brimel.exe' /f >/dev/null
    wine reg add "$UNINSTALL_KEY" /v URLInfoAbout /d "http://www.brimel.example/" /f >/dev/null
    local value
    for value in Desktop "Start Menu" Programs; do
        local folder
        folder=$(unixpath "$(regval "$SHELL_KEY" "$value")")
        mkdir -p "$folder"
        echo "link" > "$folder/Brimel Messenger.lnk"
    done
}
shortcut_count() {
    local value n=0
    for value in Desktop "Start Menu" Programs; do
        [ -e "$(unixpath "$(regval "$SHELL_KEY" "$value")")/Brimel Messenger.lnk" ] && n=$((n + 1))
    done
    echo $n
}

window_ids() { xdotool search --onlyvisible --name '^Brimel Messenger$' 2>/dev/null; }
wait_for_window() {
    local i
    for i in $(seq 1 60); do
        [ -n "$(window_ids)" ] && return 0
        sleep 0.25
    done
    return 1
}
wait_for_no_window() {
    local i
    for i in $(seq 1 60); do
        [ -z "$(window_ids)" ] && return 0
        sleep 0.25
    done
    return 1
}
# Can Windows open the file for appending? (Fails while the program runs.)
writable() { wine cmd /c "type nul >> \"$1\"" >/dev/null 2>&1; }
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }
# Rightmost pixel in the status text colour near the bottom of the window,
# i.e. where the status text ends.
status_text_right() { # <shot> <x> <window bottom y> <width>
    convert "$1" -crop "${4}x20+${2}+$(($3 - 30))" +repage -fill black +opaque '#1E283C' \
        -fill white -opaque '#1E283C' -trim -format '%[fx:page.x + w]' info: 2>/dev/null
}
start_messenger() { (cd "$PRODUCT" && wine "$PRODUCT_WIN\\Brimel.exe" "$@" >/dev/null 2>&1 &) }

lay_out_installation
echo "keep me" > "$PRODUCT/notes.txt"
wine reg add "$SETTINGS_KEY" /v Nickname /d "tester" /f >/dev/null

# --- the messenger ---------------------------------------------------------
start_messenger
check "messenger window appears" wait_for_window
WID=$(window_ids | head -1)
sleep 1
SHOT="$WORK/messenger.png"
import -window root "$SHOT"
eval "$(xdotool getwindowgeometry --shell "$WID")"   # X, Y, WIDTH, HEIGHT of the client area
check "window is the size of the 1024x768 skin (got ${WIDTH}x${HEIGHT})" \
    test "$WIDTH" = 716 -a "$HEIGHT" = 735
check "skin picture painted (history area white)" test "$(pixel "$SHOT" $((X + 358)) $((Y + 300)))" = FFFFFF
check "skin caption painted (navy at the left of the caption)" test "$(pixel "$SHOT" $((X + 3)) $((Y + 28)))" = 2A3F6B
check "close button drawn from the skin, key colour left out" \
    test "$(pixel "$SHOT" $((X + 716 - 32 + 12)) $((Y + 7 + 8)))" = FFFFFF -a \
         "$(pixel "$SHOT" $((X + 716 - 32)) $((Y + 7)))" != FF00FF
RIGHT=$(status_text_right "$SHOT" "$X" $((Y + 735)) 716)
check "status line shows the short library version text (text ends at x=$RIGHT)" \
    test -n "$RIGHT" -a "${RIGHT:-999}" -gt 40 -a "${RIGHT:-999}" -lt 150

start_messenger
sleep 3
check "a second start leaves one window" test "$(window_ids | wc -l)" = 1
check "program file is locked while the messenger runs" bash -c "! $(declare -f writable); writable '$PRODUCT_WIN\\Brimel.exe'"

T0=$(date +%s)
(cd "$PRODUCT" && wine "$PRODUCT_WIN\\Brimel.exe" /u.U >/dev/null 2>&1); RC=$?
T1=$(date +%s)
check "/u.U exits with 0 (got $RC)" test "$RC" = 0
check "/u.U took at most 10 s ($((T1 - T0)) s)" test $((T1 - T0)) -le 10
check "messenger window gone after /u.U" wait_for_no_window
check "program file writable after /u.U" writable "$PRODUCT_WIN\\Brimel.exe"
check "window position saved as REG_BINARY" bash -c "wine reg query '$SETTINGS_KEY' /v WindowPos 2>/dev/null | grep -q REG_BINARY"

(cd "$PRODUCT" && wine "$PRODUCT_WIN\\Brimel.exe" /U.u >/dev/null 2>&1); RC=$?
check "/U.u with nothing running exits with 0 (got $RC)" test "$RC" = 0

mv "$PRODUCT/BC.dll" "$WORK/BC.dll"
start_messenger
wait_for_window
sleep 1
import -window root "$SHOT"
WID=$(window_ids | head -1)
eval "$(xdotool getwindowgeometry --shell "$WID")"
RIGHT=$(status_text_right "$SHOT" "$X" $((Y + 735)) 716)
check "without BC.dll the status line shows the longer notice (ends at x=$RIGHT)" \
    test -n "$RIGHT" -a "${RIGHT:-0}" -gt 200
(cd "$PRODUCT" && wine "$PRODUCT_WIN\\Brimel.exe" /u.U >/dev/null 2>&1)
wait_for_no_window
mv "$WORK/BC.dll" "$PRODUCT/BC.dll"

# --- an 800x600 screen ------------------------------------------------------
# Wine takes the screen size from the X display, so the display is restarted.
wineserver -k >/dev/null 2>&1
kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null
Xvfb ":$DISPLAY_NUM" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
XVFB_PID=$!
sleep 1
wineserver -p >/dev/null 2>&1
SAVED=$(regval "$SETTINGS_KEY" WindowPos)
start_messenger
check "messenger window appears on 800x600" wait_for_window
WID=$(window_ids | head -1)
eval "$(xdotool getwindowgeometry --shell "$WID")"
check "window is the size of the 800x600 skin (got ${WIDTH}x${HEIGHT})" test "$WIDTH" = 650 -a "$HEIGHT" = 570
# WindowPos holds two little-endian 32-bit numbers: left, top. The window
# saved on the larger screen goes there as far as it stays wholly on this one.
le32() { echo $((16#${1:6:2}${1:4:2}${1:2:2}${1:0:2})); }
SX=$(le32 "${SAVED:0:8}") SY=$(le32 "${SAVED:8:8}")
EX=$((SX < 800 - 650 ? SX : 800 - 650)) EY=$((SY < 600 - 570 ? SY : 600 - 570))
check "window placed at the saved position kept on the screen ($X,$Y; saved $SX,$SY)" \
    test "$X,$Y" = "$EX,$EY"
xdotool mousemove $((X + 650 - 32 + 12)) $((Y + 7 + 8)); sleep 0.3; xdotool click 1
check "the skin's close button closes the window" wait_for_no_window
sleep 1
check "program file writable after closing" writable "$PRODUCT_WIN\\Brimel.exe"

# --- the uninstaller -------------------------------------------------------
wine "C:\\windows\\Uninstall Brimel.exe" /S /bogus >/dev/null 2>&1; RC=$?
check "unknown switch: exit code 5 (got $RC)" test "$RC" = 5
check "unknown switch: nothing removed" test -f "$PRODUCT/Brimel.exe" -a -f "$PRODUCT/Skins/Default - 800x600/main.bmp"

start_messenger
wait_for_window
sleep 1
T0=$(date +%s)
wine "C:\\windows\\Uninstall Brimel.exe" /S >/dev/null 2>&1; RC=$?
T1=$(date +%s)
check "silent uninstall exits with 0 (got $RC, $((T1 - T0)) s)" test "$RC" = 0
check "running messenger was asked to quit" wait_for_no_window
check "Brimel.exe and BC.dll removed" test ! -e "$PRODUCT/Brimel.exe" -a ! -e "$PRODUCT/BC.dll"
check "Skins folder removed" test ! -e "$PRODUCT/Skins"
check "user's file kept, product folder kept" test -f "$PRODUCT/notes.txt"
check "shortcuts removed" test "$(shortcut_count)" = 0
check "uninstall key removed" bash -c "! wine reg query '$UNINSTALL_KEY' >/dev/null 2>&1"
check "settings key kept" test "$(regval "$SETTINGS_KEY" Nickname)" = tester
gone=1
for i in $(seq 1 40); do [ -e "$WINDIR/Uninstall Brimel.exe" ] || { gone=0; break; }; sleep 0.25; done
check "uninstaller removed its own file" test $gone = 0

# A second run, from elsewhere: the installed uninstaller is gone, and so
# are the registration and the shortcuts; only the emptied folder is left.
rm -f "$PRODUCT/notes.txt"
cp "$BIN/Uninstall Brimel.exe" "$WORK/"
wine "$(winepath -w "$WORK/Uninstall Brimel.exe" | tr -d '\r')" /S >/dev/null 2>&1; RC=$?
check "second silent run exits with 0 (got $RC)" test "$RC" = 0
check "empty product folder removed" test ! -e "$PRODUCT"

echo
if [ "$FAILURES" -eq 0 ]; then echo "all checks passed"; else echo "$FAILURES check(s) failed"; fi
[ "$FAILURES" -eq 0 ]
