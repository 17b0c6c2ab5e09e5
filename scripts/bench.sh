#!/usr/bin/env bash
# Builds and runs the benchmarks. Each reports its speed beside a plain baseline
# measured in the same run; compare ratios, not absolute times.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --build build --target pt_bench
./build/bench/pt_bench --benchmark_counters_tabular=true "$@"
