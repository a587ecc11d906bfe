#!/usr/bin/env bash
# Benchmarks: install speed, start-up, size and memory of the installer, side
# by side with the bare limit and the NSIS reference. Not part of the tests.
#   bench/run.sh [ROUNDS]        from anywhere; ROUNDS defaults to 30
# Builds build/bench with the benchmarks, makes a fresh Wine prefix of its own
# (build/bench/bench-wine, with its own wineserver and Xvfb), and writes the
# figures to build/bench/bench/results/latest/ (summary.md, the raw .csv files).
# Where 32-bit programs cannot run (tests/harness/wine-arch.sh), the timed
# programs are the x86_64 builds of the same sources (build/bench64) under
# 64-bit Wine, and NSIS's 32-bit installer is left out of the timings; the
# sizes are always those of the i686 build, the one that is shipped.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
cd "$top"
rounds="${1:-30}"
startup_rounds="${BENCH_STARTUP_ROUNDS:-20}"
memory_rounds="${BENCH_MEMORY_ROUNDS:-5}"

if [ "$(id -u)" = 0 ]; then
    scripts/install-deps.sh
    if ! command -v makensis >/dev/null; then
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends nsis >/dev/null
    fi
fi
command -v makensis >/dev/null || { echo "bench: makensis (Debian package nsis) is needed" >&2; exit 1; }

arch="$(tests/harness/wine-arch.sh)"
export BRIMEL_WINE_ARCH="$arch"
timed_targets="BrimelSetup bench_payload bench_install bench_limit bench_launch BrimelSetupBench bench_file_ops
               welcome_paint_bench button_draw_bench"
echo "== build"
cmake -S . -B build/bench --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DBRIMEL_BENCH=ON >/dev/null
# shellcheck disable=SC2086
cmake --build build/bench -j"$(nproc)" --target $timed_targets BrimelSetupComplete >/dev/null
sizes="$top/build/bench"        # the i686 build: the shipped programs' sizes
out="$sizes/bench"
if [ "$arch" = win64 ]; then
    cmake -S . -B build/bench64 --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
          -DBRIMEL_BENCH=ON >/dev/null
    # shellcheck disable=SC2086
    cmake --build build/bench64 -j"$(nproc)" --target $timed_targets >/dev/null
    out="$top/build/bench64/bench"
fi
payload="$out/payload"
nsis="$sizes/bench/nsis"
mkdir -p "$nsis"
nsi="$top/bench/inputs/nsis-reference.nsi"
makensis -V1 -DPAYLOAD="$payload" -DCOMPRESSOR=zlib -DOUTFILE="$nsis/nsis-zlib.exe" "$nsi"
makensis -V1 -DPAYLOAD="$payload" -DEMPTY -DOUTFILE="$nsis/nsis-empty.exe" "$nsi"
# For start-up: the same installer opening on the installer's own RTF license.
makensis -V1 -DPAYLOAD="$payload" -DCOMPRESSOR=zlib -DLICENSE="$top/product/license/license.rtf" \
         -DOUTFILE="$nsis/nsis-license.exe" "$nsi"
# NSIS's installer is a 32-bit program: timed only where those run.
with_nsis=yes
[ "$arch" = win64 ] && with_nsis=no
install_programs="A B C EA EB"
startup_programs="setup shipped nsis"
memory_programs="A B C A-idle B-idle"
if [ "$with_nsis" = no ]; then
    install_programs="A B EA EB"
    startup_programs="setup shipped"
    memory_programs="A B A-idle B-idle"
fi

results="$sizes/bench/results/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$results"
ln -sfn "$(basename "$results")" "$sizes/bench/results/latest"

echo "== fresh Wine prefix"
export BRIMEL_WINE_ROOT="$top/build/bench/bench-wine"
harness="$top/tests/harness"
"$harness/wine-stop.sh" >/dev/null 2>&1 || true
rm -rf "$BRIMEL_WINE_ROOT"
trap '"$harness/wine-stop.sh" >/dev/null 2>&1 || true' EXIT
"$harness/wine-run.sh"
source "$harness/wine-env.sh"
drive_c="$WINEPREFIX/drive_c"
windows="$drive_c/windows"
bin="$drive_c/benchbin"
mkdir -p "$bin" "$drive_c/bench"
cp "$out/bench_launch.exe" "$out/bench_install.exe" "$out/bench_limit.exe" "$out/BrimelSetupBench.exe" \
   "$out/bench_file_ops.exe" "$out/welcome_paint_bench.exe" "$out/button_draw_bench.exe" \
   "$nsis/nsis-zlib.exe" "$nsis/nsis-license.exe" "$out/../BrimelSetup.exe" "$bin/"

launch() { "$harness/wine-run.sh" 'C:\benchbin\bench_launch.exe' "$@"; }

# The Windows-side command line of program A, B or C installing into the
# fresh folder C:\bench\NAME (which stands in for the Program Files folder).
command_for() {
    case "$1" in
        A) echo 'C:\benchbin\bench_install.exe' "C:\\bench\\$2\\" ;;
        B) echo 'C:\benchbin\bench_limit.exe' "C:\\bench\\$2\\" ;;
        C) echo 'C:\benchbin\nsis-zlib.exe' /S "/D=C:\\bench\\$2\\Brimel" ;;
        EA) echo 'C:\benchbin\bench_install.exe' exit ;;
        EB) echo 'C:\benchbin\bench_limit.exe' exit ;;
    esac
}

# One timed installation, then (untimed) the byte-for-byte check and the
# clean-up. Prints "milliseconds exit-code".
install_once() {
    local program="$1" name="$2" target="$drive_c/bench/$2"
    rm -rf "$target"; rm -f "$windows/Uninstall Brimel.exe"
    mkdir -p "$target"
    # shellcheck disable=SC2046
    local line; line="$(launch time $(command_for "$program" "$name"))"
    set -- $line
    if [ "${2:-x}" != 0 ]; then echo "bench: $program ($name) exited with ${2:-nothing}" >&2; exit 1; fi
    if [ "${program#E}" = "$program" ] && ! python3 "$top/bench/verify.py" "$payload" "$target" "$windows"; then
        echo "bench: $program ($name) did not install the payload exactly" >&2; exit 1
    fi
    rm -rf "$target"
    echo "$1"
}

echo "== install ($install_programs): A (installer's file set), B (limit), C (NSIS zlib),"
echo "   EA, EB (A and B started with nothing to do: the cost of a process); 1 warm-up + $rounds rounds,"
echo "   every other one in the reverse order"
echo "before install rounds: $(cut -d' ' -f1-3 /proc/loadavg)" >"$results/load.txt"
for p in $install_programs; do install_once $p "warm$p" >/dev/null; done
echo "round,program,ms" >"$results/install.csv"
for r in $(seq "$rounds"); do
    # Every other round runs the programs in the reverse order, so that a
    # load that comes and goes falls on A and B alike, whichever runs first.
    order="$install_programs"
    [ $((r % 2)) = 0 ] && order="$(printf '%s\n' $install_programs | tac | tr '\n' ' ')"
    for p in $order; do
        ms="$(install_once $p "r$r$p")"
        echo "$r,$p,$ms" >>"$results/install.csv"
    done
    printf '.'
done
echo

echo "== start-up to the first page, license shown: installer (realistic payload, and as shipped) vs NSIS; $startup_rounds rounds"
echo "round,program,visible_ms,painted_ms" >"$results/startup.csv"
startup_once() {
    case "$1" in
        setup) launch window "Welcome to Brimel Messenger" 'C:\benchbin\BrimelSetupBench.exe' ;;
        shipped) launch window "Welcome to Brimel Messenger" 'C:\benchbin\BrimelSetup.exe' ;;
        nsis) launch window "Brimel Setup: License Agreement" 'C:\benchbin\nsis-license.exe' ;;
    esac
}
for p in $startup_programs; do startup_once $p >/dev/null; done
for r in $(seq "$startup_rounds"); do
    for p in $startup_programs; do
        line="$(startup_once $p)" || { echo "bench: $p showed no window" >&2; exit 1; }
        echo "$r,$p,${line// /,}" >>"$results/startup.csv"
    done
    printf '.'
done
echo

echo "== peak working set: A, B, C installing, and A, B idle; $memory_rounds rounds"
echo "round,program,peak_working_set,peak_pagefile,samples" >"$results/memory.csv"
memory_once() {
    local program="$1" name="$2" target="$drive_c/bench/$2" line
    rm -rf "$target"; rm -f "$windows/Uninstall Brimel.exe"; mkdir -p "$target"
    case "$program" in
        A-idle) line="$(launch memory 'C:\benchbin\bench_install.exe' idle)" ;;
        B-idle) line="$(launch memory 'C:\benchbin\bench_limit.exe' idle)" ;;
        *) line="$(launch memory $(command_for "$program" "$name"))" ;;
    esac
    rm -rf "$target"
    set -- $line
    [ "${3:-x}" = 0 ] || { echo "bench: $program exited with ${3:-nothing} under the memory probe" >&2; exit 1; }
    echo "$1,$2,$4"
}
for r in $(seq "$memory_rounds"); do
    for p in $memory_programs; do
        echo "$r,$p,$(memory_once $p "m$r$p")" >>"$results/memory.csv"
    done
    printf '.'
done
echo

echo "after the last round: $(cut -d' ' -f1-3 /proc/loadavg)" >>"$results/load.txt"

echo "== per-file cost of the file operations (in-process, 200 small files, 3 runs)"
for r in 1 2 3; do
    rm -rf "$drive_c/fileops"; mkdir -p "$drive_c/fileops"
    "$harness/wine-run.sh" 'C:\benchbin\bench_file_ops.exe' 'C:\fileops' 200
done >"$results/file_ops.txt"
rm -rf "$drive_c/fileops"

echo "== drawing: the welcome dialog's repaint after a resize, each own control's redraw (200 rounds, 3 runs)"
for r in 1 2 3; do
    "$harness/wine-run.sh" 'C:\benchbin\welcome_paint_bench.exe' 200
done >"$results/drawing.txt"

echo "== size"
python3 "$top/bench/size_split.py" "$sizes/BrimelSetup.exe" "$nsis/nsis-empty.exe" \
    "$nsis/nsis-zlib.exe" "$sizes/bench/BrimelSetupBench.exe" "$sizes/bench/BrimelSetupComplete.exe" \
    >"$results/size.jsonl"

{
    echo "date: $(date -u '+%Y-%m-%d %H:%M UTC')"
    echo "cpu: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
    echo "nproc: $(nproc)"
    echo "timed builds: $([ "$arch" = win64 ] && echo "x86_64 under 64-bit Wine (32-bit programs cannot run here; NSIS not timed)" || echo "i686 under 32-bit Wine")"
    sed 's/^/load /' "$results/load.txt"
    echo "wine: $(wine --version)"
    echo "makensis: $(makensis -VERSION)"
    echo "commit: $(git -C "$top" rev-parse --short HEAD 2>/dev/null || echo unknown)"
} >"$results/machine.txt"
{
    python3 "$top/bench/report.py" "$results" "$out"
    echo
    echo "## Drawing (milliseconds; goals: repaint after a resize within one frame, 16 ms; a control 1 ms)"
    echo
    echo '```'
    cat "$results/drawing.txt"
    echo '```'
} | tee "$results/summary.md"
