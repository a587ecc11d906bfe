#!/usr/bin/env bash
# Makes a fresh Wine prefix for the tests at $WINEPREFIX, with the Wine of
# BRIMEL_WINE_ARCH: Windows' dialog faces (prefix-fonts.sh), profile folders
# as real folders inside the prefix (not links into $HOME, so that shortcuts
# land in the prefix) and no crash dialog.
#   WINEPREFIX=... make-prefix.sh
set -u
: "${WINEPREFIX:?}"
source "$(dirname "${BASH_SOURCE[0]}")/wine-loader.sh"
rm -rf "$WINEPREFIX"
wineboot -i >/dev/null 2>&1 </dev/null
wineserver -w
for d in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$d" ]; then rm -f "$d"; mkdir -p "$d"; fi
done
"$(dirname "${BASH_SOURCE[0]}")/prefix-fonts.sh" || exit 1
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
wineserver -w
[ -d "$WINEPREFIX/drive_c/users" ]
