#!/bin/sh
# Builds every libFuzzer target of the portable core with clang and runs each
# for N inputs, one after the other.
#
#   fuzz/run.sh N [name ...]     e.g. fuzz/run.sh 10000000, fuzz/run.sh 100000 text
#
# The seeds in fuzz/corpus/<name>/ are read, never written: what the fuzzer
# learns goes to build/fuzz/work/<name>/, findings to build/fuzz/findings/.
# A finding is minimised (the target binary with -minimize_crash=1), added to
# fuzz/corpus/<name>/ and becomes a unit test in tests/unit.
set -eu
[ $# -ge 1 ] || { sed -n '2,11p' "$0"; exit 2; }
runs=$1; shift
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BRIMEL_FUZZ_BUILD:-$root/build/fuzz}

CXX=${CXX:-clang++} cmake -S "$root/fuzz" -B "$build" >/dev/null
cmake --build "$build" -j2 >/dev/null

if [ $# -eq 0 ]; then
    set -- $(cd "$root/fuzz" && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//')
fi
mkdir -p "$build/findings"
for name in "$@"; do
    mkdir -p "$build/work/$name" "$root/fuzz/corpus/$name"
    start=$(date +%s)
    "$build/${name}_fuzz" -runs="$runs" -print_final_stats=1 \
        -artifact_prefix="$build/findings/$name-" \
        "$build/work/$name" "$root/fuzz/corpus/$name" >"$build/$name.log" 2>&1 || {
        echo "$name: FINDING after $(( $(date +%s) - start )) s, see $build/$name.log"
        tail -n 30 "$build/$name.log"
        exit 1
    }
    echo "$name: $(grep -o 'stat::number_of_executed_units: *[0-9]*' "$build/$name.log" |
        grep -o '[0-9]*$') inputs in $(( $(date +%s) - start )) s," \
        "$(grep -o 'cov: [0-9]* ft: [0-9]*' "$build/$name.log" | tail -n 1)"
done
