#!/usr/bin/env bash
# Installs what is missing, builds the Release tree and times the main chains (median of ten runs each).
# Extra arguments go to the benchmark, e.g. --benchmark_filter=openCompany.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DHOJINZEI_TESTS=OFF
cmake --build build-release --target hojinzei_bench
export QT_QPA_PLATFORM=offscreen
exec ./build-release/bench/hojinzei_bench --benchmark_repetitions=10 --benchmark_report_aggregates_only=true "$@"
