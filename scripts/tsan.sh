#!/usr/bin/env bash
# Builds the device tests and the end-to-end tests that drive the real window
# (the hostile-calibrator soak included, and the records' test, whose
# recorder writes on a thread of its own) with ThreadSanitizer into
# ./build-tsan (or $RT58_TSAN_BUILD_DIR) and runs them. Only these tests and
# what they start are built. The first report stops the program that has it,
# so its test and this script fail. Qt's own libraries are not instrumented,
# so what they do between threads (posting events, their mutexes) is not
# seen: data handed between threads by this program travels in queued
# signals by value, and the test helpers hand theirs over under standard
# mutexes, which it sees. "tsan.sh build" only builds, "tsan.sh test" only
# runs what was built.
set -euo pipefail
step=${1:-all}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_TSAN_BUILD_DIR:-$root/build-tsan}
targets=(tst_device tst_workbench tst_workbench_slow tst_records_e2e records_probe)
# Of the slow binary the soak only: the long close question just waits.
tests=(tst_device tst_workbench tst_workbench_slow_everyResultLandsInItsOwnRow tst_records_e2e)

if [ "$step" != test ]; then
    "$root/scripts/install-deps.sh" clang libclang-rt-14-dev
    # -O1 with line tables only and a unity build, as the other sanitizer
    # build.
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DRT58_TSAN=ON \
        -DRT58_FUZZERS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON >/dev/null
    cmake --build "$build" -j "$(nproc)" --target "${targets[@]}" rt58-sim
fi
[ "$step" != build ] || exit 0

# ignore_noninstrumented_modules: allocations, frees and copies made inside
# Qt's libraries (the events of queued signals, the buffers of QByteArray) are
# not taken as accesses, since the synchronisation that orders them is inside
# Qt too. Accesses made by this program's code are all checked; no report is
# suppressed.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1"
pattern=$(IFS='|' && echo "${tests[*]}")
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -R "^($pattern)\$"
