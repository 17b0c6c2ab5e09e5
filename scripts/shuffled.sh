#!/usr/bin/env bash
# Runs each logic test program of a build folder once with its tests in a shuffled order:
# a test that only passes after (or before) another one fails here.
#   bash scripts/shuffled.sh [build folder] [seed]
# Without a seed one is drawn (1 to 99999, GoogleTest's range) and printed; passing it
# repeats that order. The programs run side by side: most of their time
# is spent waiting for their worker threads, not computing.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
seed=${2:-0}
if [ "$seed" = 0 ]; then seed=$(( (RANDOM * 32768 + RANDOM) % 99999 + 1 )); fi
echo "Shuffled logic tests, seed $seed (bash scripts/shuffled.sh $build $seed repeats the order)"
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT

pids=()
names=()
for sub in platform common timeline data filters scene view app tools; do
  program="$build/tests/test_$sub"
  [ -x "$program" ] || continue
  "$program" --gtest_shuffle --gtest_random_seed="$seed" --gtest_brief=1 >"$logs/$sub" 2>&1 &
  pids+=($!)
  names+=("$sub")
done

status=0
for i in "${!pids[@]}"; do
  sub=${names[$i]}
  ok=1
  wait "${pids[$i]}" || ok=0
  if [ $ok = 1 ]; then
    echo "test_$sub: passed"
  else
    cat "$logs/$sub"
    echo "test_$sub: FAILED with seed $seed"
    status=1
  fi
done
exit $status
