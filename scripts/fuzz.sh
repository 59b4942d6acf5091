#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang and runs each over its seed corpus for a
# while, keeping what it finds in build-fuzz/corpus:
#   bash scripts/fuzz.sh [seconds for each target, default 30]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
bash scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
for target in build-fuzz/fuzz_*; do
    name=${target##*/fuzz_}
    found=build-fuzz/corpus/$name
    mkdir -p "$found"
    if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        "$found" "fuzz/corpus/$name" > "build-fuzz/$name.log" 2>&1; then
        tail -n 40 "build-fuzz/$name.log"
        echo "fuzz_$name failed: see build-fuzz/$name.log and the crash file it names" >&2
        exit 1
    fi
    echo "fuzz_$name: $(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "build-fuzz/$name.log" | grep -Eo '[0-9]+$' || echo '?') runs in ${seconds} s, no fault"
done
