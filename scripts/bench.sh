#!/usr/bin/env bash
# Builds and runs the benchmarks (release build) and prints their figures.
set -euo pipefail
cd "$(dirname "$0")/.."
# "bench.sh peers": side by side with the players people already use.
if [ "${1:-}" = peers ]; then
  exec bash scripts/peers/side-by-side.sh
fi
bash scripts/deps.sh libbenchmark-dev
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOLVANE_BENCH=ON -DTOLVANE_TESTS=OFF >/dev/null
cmake --build build-bench -j "$(nproc)" --target tolvane_bench
QT_QPA_PLATFORM=offscreen build-bench/bench/tolvane_bench "$@"
