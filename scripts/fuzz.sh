#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang and runs each over its seed corpus for a
# while, keeping what it finds in build-fuzz/corpus/<name> and each input that faults
# (crash, hang of more than a second, memory) in build-fuzz/findings/<name>:
#   bash scripts/fuzz.sh [seconds for each target, default 30] [target names, default all]
# Prints the executions and the findings of each target; fails when any target found
# something. FUZZ_RUNS ends a target earlier, after that many executions. FUZZ_TIMEOUT
# (seconds, default 1) is how long one input may take: a machine busy with other work
# makes every input slow, so give more there and replay the corpus with the default
# afterwards (0 seconds runs each target over its corpus once).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift $(($# > 0 ? 1 : 0))
bash scripts/deps.sh clang libclang-rt-14-dev
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
# Caches of system libraries that live as long as the process are no leak of ours.
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"

names=("$@")
if [ ${#names[@]} -eq 0 ]; then
    for target in build-fuzz/fuzz_*; do
        [ -f "$target" ] && [ -x "$target" ] && names+=("${target##*/fuzz_}")
    done
fi

faulty=()
for name in "${names[@]}"; do
    target=build-fuzz/fuzz_$name
    found=build-fuzz/corpus/$name
    findings=build-fuzz/findings/$name
    log=build-fuzz/$name.log
    mkdir -p "$found" "$findings"
    status=0
    "$target" -max_total_time="$seconds" ${FUZZ_RUNS:+-runs="$FUZZ_RUNS"} -timeout="${FUZZ_TIMEOUT:-1}" -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$found" "fuzz/corpus/$name" > "$log" 2>&1 || status=$?
    runs=$(grep -Eo 'stat::number_of_executed_units: *[0-9]+' "$log" | grep -Eo '[0-9]+$' | tail -n 1)
    [ -n "$runs" ] || runs=$(grep -Eo '^#[0-9]+' "$log" | tail -n 1 | tr -d '#')
    if [ "$status" -eq 0 ]; then
        echo "fuzz_$name: ${runs:-?} runs in $seconds s, no findings"
        continue
    fi
    faulty+=("$name")
    kind=$(grep -Eo -m 1 'ERROR: (libFuzzer|[A-Za-z]+Sanitizer): .*|runtime error: .*' "$log" |
        sed -E 's/^ERROR: //; s/ on (address|unknown address).*//' || true)
    artifact=$(grep -Eo 'Test unit written to .*' "$log" | sed 's/^Test unit written to //' | tail -n 1)
    echo "fuzz_$name: ${runs:-?} runs, FOUND ${kind:-exit status $status}: ${artifact:-no input saved} (log: $log)"
done

if [ ${#faulty[@]} -gt 0 ]; then
    echo "findings in: ${faulty[*]}; reproduce with build-fuzz/fuzz_<name> <input>" >&2
    exit 1
fi
