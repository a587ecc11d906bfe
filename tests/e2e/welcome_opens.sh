#!/usr/bin/env bash
# End to end: BrimelSetup.exe starts under Wine, shows the welcome dialog
# with its controls, and ends when the user presses Escape.
#   welcome_opens.sh BrimelSetup.exe SCREENSHOT.png
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
harness="$here/../harness"
setup="$1" shot="$2"
: "${BRIMEL_WINE_ROOT:?}"
"$harness/wine-run.sh" || exit 1
export DISPLAY="$(cat "$BRIMEL_WINE_ROOT/xvfb.display")"

"$harness/wine-run.sh" "$setup" &
runner=$!
window=""
for _ in $(seq 120); do
    window="$(xdotool search --name '^Welcome to Brimel Messenger$' 2>/dev/null | head -1)"
    [ -n "$window" ] && break
    sleep 0.25
done
if [ -z "$window" ]; then
    echo "FAIL: the welcome dialog did not appear"
    kill $runner 2>/dev/null
    exit 1
fi
sleep 1
import -window "$window" "$shot"
geometry="$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')"
echo "welcome dialog $window, client area $geometry, screenshot $shot"

# The dialog shows the template's controls: the Install button's caption is
# drawn in dark pixels on a light face (not an empty window).
dark="$(convert "$shot" -threshold 50% -format '%[fx:mean]' info:)"
echo "share of light pixels: $dark"
awk -v d="$dark" 'BEGIN { exit !(d > 0.5 && d < 0.999) }' || { echo "FAIL: the window looks empty"; exit 1; }

xdotool mousemove --window "$window" 5 5 windowfocus --sync "$window" key Escape
for _ in $(seq 40); do
    kill -0 $runner 2>/dev/null || break
    sleep 0.25
done
if kill -0 $runner 2>/dev/null; then
    echo "FAIL: Escape did not end the installer"
    kill $runner
    exit 1
fi
wait $runner
status=$?
echo "installer ended with $status"
exit $status
