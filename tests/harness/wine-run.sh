#!/usr/bin/env bash
# Runs a Windows program under this build's own Wine prefix and display:
#   wine-run.sh PROGRAM.exe [ARGS...]
# The prefix, a persistent wineserver and an Xvfb are made on first use and
# shared by every test of the run; wine-stop.sh ends them.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
: "${BRIMEL_WINE_ROOT:=$(cd "$here/../.." && pwd)/build/wine}"
export BRIMEL_WINE_ROOT
source "$here/wine-env.sh"
mkdir -p "$BRIMEL_WINE_ROOT" "$HOME"

start_display() {
    local pidfile="$BRIMEL_WINE_ROOT/xvfb.pid" dispfile="$BRIMEL_WINE_ROOT/xvfb.display"
    if [ -f "$pidfile" ] && kill -0 "$(cat "$pidfile")" 2>/dev/null; then return; fi
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 9>&- &
        local pid=$!
        for _ in $(seq 50); do
            [ -e "/tmp/.X11-unix/X$n" ] && break
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if kill -0 "$pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$n" ]; then
            echo "$pid" >"$pidfile"; echo ":$n" >"$dispfile"; return
        fi
        # Too slow to come up: end it rather than leave it running unknown.
        kill "$pid" 2>/dev/null
    done
    echo "wine-run: no free display for Xvfb" >&2; exit 1
}

make_prefix() {
    "$here/make-prefix.sh" 9>&- && touch "$WINEPREFIX/.brimel-ready"
}

# The socket of this prefix's wineserver, present while it runs. Wine keeps
# its server folder under a temporary folder that the prefix names.
server_socket() {
    local base="/tmp/.wine-$(id -u)"
    [ -f "$WINEPREFIX/wineserver" ] && base="/tmp/$(cat "$WINEPREFIX/wineserver")"
    printf '%s/server-%x-%x/socket' "$base" \
        "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")"
}

start_server() {
    [ -S "$(server_socket)" ] && return
    wineserver -p >/dev/null 2>&1 </dev/null 9>&-
    # Boot the background services once, with their output going nowhere, so
    # that later programs' output pipes close when the programs end.
    wine cmd /c exit >/dev/null 2>&1 </dev/null 9>&-
}

# Every long-lived child closes the lock descriptor (9>&-): a daemon that
# inherited it would hold the lock for good.
(
    flock 9
    start_display
    export DISPLAY="$(cat "$BRIMEL_WINE_ROOT/xvfb.display")"
    [ -f "$WINEPREFIX/.brimel-ready" ] || make_prefix
    start_server
) 9>"$BRIMEL_WINE_ROOT/.lock" || exit 1

export DISPLAY="$(cat "$BRIMEL_WINE_ROOT/xvfb.display")"
[ $# -gt 0 ] || exit 0
# Output goes through files, not pipes: Wine's background processes (the
# desktop, the RPC service) start on first use and would inherit a pipe and
# keep it open after the program ended. Windows programs end their lines
# with CR LF; test listings must not.
out="$(mktemp "$BRIMEL_WINE_ROOT/out.XXXXXX")"
err="$(mktemp "$BRIMEL_WINE_ROOT/err.XXXXXX")"
trap 'rm -f "$out" "$err"' EXIT
wine "$@" >"$out" 2>"$err"
status=$?
tr -d '\r' <"$out"
cat "$err" >&2
exit $status
