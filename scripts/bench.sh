#!/usr/bin/env bash
# Builds and runs the benchmarks. Each reports its speed beside a plain baseline
# measured in the same run; compare ratios, not absolute times.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --build build --target pt_bench
./build/bench/pt_bench --benchmark_counters_tabular=true "$@"

# The GL benchmarks open a window: under Xvfb when there is no display.
for gl in pt_bench_gl pt_bench_view; do
  if cmake --build build --target "$gl" 2>/dev/null; then
    if [ -n "${DISPLAY:-}" ]; then
      "./build/bench/$gl" "$@"
    else
      xvfb-run -a -s "-screen 0 1280x1024x24" "./build/bench/$gl" "$@"
    fi
  fi
done
