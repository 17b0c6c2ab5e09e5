#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite (the window tests on a
# pool of virtual X servers), the logic tests once more in a shuffled order, then the logic
# tests once more with AddressSanitizer and UndefinedBehaviorSanitizer, the threaded logic
# tests with ThreadSanitizer, and every fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

# A pool of virtual X servers, one window test on each at a time: a window test spends
# much of its time waiting for its X server, for events and for POV-Ray, so two on two cores
# take about half the time of one after another. PT_TEST_DISPLAYS sets the pool's size
# (default: the number of cores, at least 2).
displays=${PT_TEST_DISPLAYS:-$(( jobs > 2 ? jobs : 2 ))}
xpids=()
pool=$(mktemp -d /tmp/pelthorn3-displays.XXXXXX)
stop_displays() {
  for p in "${xpids[@]}"; do kill "$p" 2>/dev/null || true; done
  for p in "${xpids[@]}"; do wait "$p" 2>/dev/null || true; done
  xpids=()
  rm -rf "$pool"
}
trap stop_displays EXIT
ids=()
for ((i = 0; i < displays; i++)); do
  # Xvfb picks a free display number itself and writes it once it accepts clients.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$pool/$i" >"$pool/$i.log" 2>&1 &
  xpids+=($!)
done
for ((i = 0; i < displays; i++)); do
  for ((t = 0; t < 200; t++)); do
    if [ -s "$pool/$i" ] || ! kill -0 "${xpids[$i]}" 2>/dev/null; then break; fi
    sleep 0.1
  done
  n=$(tr -dc '0-9' <"$pool/$i")
  if [ -z "$n" ]; then
    echo "a virtual X server did not start:" >&2
    cat "$pool/$i.log" >&2
    exit 1
  fi
  ids+=("$n")
done
{
  printf '{"version": {"major": 1, "minor": 0}, "local": [{"xdisplay": ['
  sep=""
  for n in "${ids[@]}"; do printf '%s{"id": "%s", "slots": 1}' "$sep" "$n"; sep=", "; done
  printf ']}]}\n'
} >"$pool/resources.json"

DISPLAY=":${ids[0]}" ctest --test-dir build --output-on-failure -j"$jobs" \
  --resource-spec-file "$pool/resources.json"
stop_displays

# Each logic test program once more with its tests in a shuffled order, so a test that
# leans on what an earlier one left behind fails here. The seed is printed;
# PT_SHUFFLE_SEED=<seed> repeats that order.
bash scripts/shuffled.sh build "${PT_SHUFFLE_SEED:-0}"

# One clang build with AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzer's
# coverage hooks (build-fuzz/) serves the logic tests and the fuzz targets: each fuzz target
# runs briefly from its corpus (an input that crashes again fails the run), then the logic
# tests run once more under the sanitizers.
FUZZ_JOBS=$jobs FUZZ_TARGETS="${PT_FUZZ_TARGETS:-}" FUZZ_BUILD_TESTS=1 \
  bash scripts/fuzz.sh "${PT_FUZZ_SECONDS:-10}"
# The out-of-memory tests ask for more than any allocator can give: the sanitizer hands
# back null for them, as the system allocator does, instead of ending the run.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-fuzz --output-on-failure -j"$jobs"

# The worker threads (their shared fork-join group, snapshot reader, interpolator, depth
# sort, image writer, drawable frame evaluation, the renderer's sort and vertex workers,
# the Boolean filter's workers, the export text workers, the POV-Ray particle text
# workers) under ThreadSanitizer. Its suppressions name third-party code only, never ours.
# An allocation too large to be had returns null, as it does outside the sanitizer, so the
# tests of the out-of-memory paths run here too.
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPT_TSAN=ON -DPT_PURE_ONLY=ON -DPT_BENCH=OFF
fi
cmake --build build-tsan --target test_common test_data test_view test_filters test_scene
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 allocator_may_return_null=1 suppressions=$PWD/scripts/tsan.supp" \
  ctest --test-dir build-tsan --output-on-failure -j"$jobs" \
  -R '^(ForkJoinTest|DataSequence|ParticleData|SnapshotReader|InterpolationThread|DepthSortTest|ImageSaverWriter|SnapTest|RendererLogicTest|BooleanRegion|DataExporter|StickEngine|PovParticleText|PovDrawnParticlesTest|ObjectMeshTest)\.'
