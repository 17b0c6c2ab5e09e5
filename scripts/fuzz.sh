#!/usr/bin/env bash
# Builds the libFuzzer targets (tests/<sub>/fuzz/fuzz_<Name>.cpp) with clang in build-fuzz/
# and runs each for the given seconds (default 60), seeded from the corpus kept beside it
# (tests/<sub>/fuzz/corpus_<Name>/, only read). New inputs collect in build-fuzz/corpus/;
# a crash or a broken property leaves its input in build-fuzz/artifacts/<Name>/ and makes
# the script fail. FUZZ_JOBS targets run at once (default 1); FUZZ_TARGETS picks targets
# by name (blank-separated); FUZZ_BUILD_TESTS=1 also builds the logic tests of build-fuzz.
# Each target's execution count is printed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
jobs=${FUZZ_JOBS:-1}

# Debian's clang carries libFuzzer and the sanitizer runtimes.
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in clang libclang-rt-14-dev llvm; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  if [[ "$status" != *"install ok installed"* ]]; then missing+=("$p"); fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPT_FUZZ=ON
fi
# The same build holds the logic tests under the sanitizers (scripts/test.sh runs them):
# FUZZ_BUILD_TESTS=1 builds those too.
if [ -n "${FUZZ_BUILD_TESTS:-}" ]; then
  cmake --build build-fuzz
else
  cmake --build build-fuzz --target pt_fuzz_targets
fi

# A small quarantine and short allocation stacks: the settings readers allocate much, and
# the default quarantine spends most of a run in page faults.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=8:malloc_context_size=4:abort_on_error=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

targets=()
for src in tests/*/fuzz/fuzz_*.cpp; do
  name=$(basename "$src" .cpp)
  name=${name#fuzz_}
  if [ -n "${FUZZ_TARGETS:-}" ] && [[ " $FUZZ_TARGETS " != *" $name "* ]]; then continue; fi
  targets+=("$(dirname "$src")|$name")
done

run_one() {
  local dir=$1 name=$2
  local work=build-fuzz/corpus/$name art=build-fuzz/artifacts/$name log=build-fuzz/logs/$name.log
  mkdir -p "$work" "$art" build-fuzz/logs
  if build-fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$art/" "$work" "$dir/corpus_$name" >"$log" 2>&1; then
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    echo "fuzz_$name: ${runs:-?} executions in ${seconds} s, no crash"
  else
    echo "fuzz_$name: FAILED (see $log; input in $art/)"
    grep -m5 -E "ERROR|property violated|runtime error" "$log" || true
    return 1
  fi
}

status=0
pids=()
for t in "${targets[@]}"; do
  run_one "${t%%|*}" "${t##*|}" &
  pids+=($!)
  if [ ${#pids[@]} -ge "$jobs" ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[@]:1}")
  fi
done
for p in "${pids[@]}"; do wait "$p" || status=1; done
exit $status
