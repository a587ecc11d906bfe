#!/usr/bin/env bash
# End to end: no DLL planted beside a program is loaded, with Wine told to
# prefer such DLLs to its own as Windows would. A DLL that leaves a marker
# file when loaded lies, under the names of the DLLs the programs load that
# Windows does not always take from the system folder, beside the installer,
# the messenger, the uninstaller and the uninstaller's temporary copy. Each
# program shows its window; no marker may appear. (version.dll and imm32.dll
# are not planted: Wine's own user32 loads them before the program's first
# line. host.imports checks that no program imports them.)
#   planted_dlls.sh MARKER.dll BrimelSetup.exe PRODUCT_BUILD_FOLDER
set -u
harness="$(cd "$(dirname "${BASH_SOURCE[0]}")/../harness" && pwd)"
"$harness/wine-run.sh" || exit 1
source "$harness/wine-env.sh"
export DISPLAY="$(cat "$BRIMEL_WINE_ROOT/xvfb.display")"
planted=(riched20 riched32 comctl32 olepro32 uxtheme usp10 msimg32)
unixpath() { winepath -u "$1" 2>/dev/null | tr -d '\r'; }
download="$WINEPREFIX/drive_c/download" product="$(unixpath 'C:\Program Files\Brimel')"
windows="$(unixpath 'C:\windows')" temp="$(unixpath "$(wine cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')")"
if [ -z "$product" ] || [ -e "$product" ] || [ ! -d "$windows" ] || [ ! -d "$temp" ]; then
    echo "FAIL: the test prefix lacks its folders or holds an installation the uninstaller would remove"
    exit 1
fi
cleanup() {
    wine "$product/Brimel.exe" /u.U >/dev/null 2>&1
    local name
    for name in "${planted[@]}"; do rm -f "$windows/$name.dll"* "$temp/$name.dll"*; done
    rm -rf "$download" "$product" "$windows/Uninstall Brimel.exe" "$temp"/BrimelUn*.exe
    wine reg delete 'HKCU\Software\Brimel, Inc.' /f >/dev/null 2>&1
}
trap cleanup EXIT
for folder in "$download" "$product" "$windows" "$temp"; do
    mkdir -p "$folder"
    for name in "${planted[@]}"; do cp "$1" "$folder/$name.dll"; done
done
cp "$2" "$download/"; cp "$3/Brimel.exe" "$3/BC.dll" "$product/"; cp "$3/Uninstall Brimel.exe" "$windows/"
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$(IFS=,; echo "${planted[*]}")=n,b"

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
window() { # window <title> [key]: waits for the window; presses the key in it
    local id
    for _ in $(seq 60); do
        id="$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)"
        [ -n "$id" ] && break
        sleep 0.25
    done
    [ -n "$id" ] || { fail "no window \"$1\""; return 1; }
    [ -z "${2:-}" ] || xdotool mousemove --window "$id" 5 5 windowfocus --sync "$id" key "$2"
}
run() { # run <status> <title> <key> <program> [args]: in the program's folder, as a
        # double click does; presses the key in its window; expects the status
    local expected=$1 title=$2 key=$3 status; shift 3
    (cd "$(dirname "$1")" && exec "$BRIMEL_WINE" "$@" >/dev/null 2>&1) &
    local pid=$!
    [ -z "$title" ] || window "$title" "$key" || kill $pid 2>/dev/null
    for _ in $(seq 80); do kill -0 $pid 2>/dev/null || break; sleep 0.25; done
    kill $pid 2>/dev/null && fail "$* did not end"
    wait $pid; status=$?
    [ $status = "$expected" ] || fail "$* ended with $status, not $expected"
}
run 0 'Welcome to Brimel Messenger' Escape "$download/$(basename "$2")"
(cd "$product" && exec "$BRIMEL_WINE" Brimel.exe >/dev/null 2>&1 &)
window 'Brimel Messenger'
# The uninstaller's question, answered No; then a silent run, which stops the
# messenger (started once more with /u.U) and leaves the removal of its own
# file to its temporary copy.
run 2 'Uninstall Brimel Messenger' n "$windows/Uninstall Brimel.exe"
run 0 '' '' "$windows/Uninstall Brimel.exe" /S
for _ in $(seq 40); do [ -e "$windows/Uninstall Brimel.exe" ] || break; sleep 0.25; done
[ -e "$windows/Uninstall Brimel.exe" ] && fail "the temporary copy did not remove the uninstaller"

for folder in "$download" "$product" "$windows" "$temp"; do
    for found in "$folder"/*.dll.loaded; do
        [ -e "$found" ] && fail "$found: loaded by $(tr -d '\r' <"$found" | sort -u | tr '\n' ' ')"
    done
done
[ $failures = 0 ] && echo "no planted DLL was loaded; every program showed its window"
[ $failures = 0 ]
