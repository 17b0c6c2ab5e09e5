#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite under one X server,
# the logic tests once more in a shuffled order, then the logic tests once more with
# AddressSanitizer and UndefinedBehaviorSanitizer, the threaded logic tests with
# ThreadSanitizer, and every fuzz target for a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
jobs=$(nproc)

xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir build --output-on-failure -j"$jobs"

# Each logic test program once more with its tests in a shuffled order, so a test that
# leans on what an earlier one left behind fails here. The seed is printed;
# PT_SHUFFLE_SEED=<seed> repeats that order.
bash scripts/shuffled.sh build "${PT_SHUFFLE_SEED:-0}"

if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPT_SANITIZE=ON -DPT_PURE_ONLY=ON -DPT_BENCH=OFF
fi
cmake --build build-asan
# The out-of-memory tests ask for more than any allocator can give: the sanitizer hands
# back null for them, as the system allocator does, instead of ending the run.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

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

# Each fuzz target briefly from its corpus: an input that crashes again fails the run.
FUZZ_JOBS=$jobs FUZZ_TARGETS="${PT_FUZZ_TARGETS:-}" \
  bash scripts/fuzz.sh "${PT_FUZZ_SECONDS:-10}"
