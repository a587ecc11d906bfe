# Sourced by scripts that need a display of their own: starts an Xvfb on a
# free display (141-190), of BRIMEL_SCREEN's size (default 1024x768),
# exports DISPLAY, and on exit ends it and the prefix's wineserver.
for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 "${BRIMEL_SCREEN:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
own_xvfb=$!
trap 'wineserver -k 2>/dev/null; kill $own_xvfb 2>/dev/null' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
