#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# ./build-asan (or $RT58_ASAN_BUILD_DIR), runs the suite but for the tests
# labelled "slow", then runs the end-to-end tests leak-checked. The first
# finding stops the program that has it, so its test and this script fail.
# Leaks are checked only in the end-to-end run (scripts/leak-check.sh):
# checking them well needs the slow unwinder, too slow for the whole suite;
# they run beside the rest of the suite. "sanitize.sh build" only builds,
# "sanitize.sh test" only runs what was built.
set -euo pipefail
step=${1:-all}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_ASAN_BUILD_DIR:-$root/build-asan}
leak_checked_tests=(tst_device tst_workbench tst_records_e2e)

if [ "$step" != test ]; then
    "$root/scripts/install-deps.sh"
    # -O1 with line tables only: quicker to build than -O2 -g, and the
    # reports still name file and line. Sources are compiled in batches (a
    # unity build), which parses the Qt headers once a batch: the build
    # takes less than half the time. The plain build keeps every source on
    # its own, so a missing include still shows there.
    cmake -S "$root" -B "$build" -G Ninja -DRT58_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" -DCMAKE_UNITY_BUILD=ON >/dev/null
    cmake --build "$build" -j "$(nproc)"
fi
[ "$step" != build ] || exit 0

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The leak-checked tests run once, with leak detection, beside the others.
"$root/scripts/leak-check.sh" "$build" "${leak_checked_tests[@]}" &
leak_check=$!
pattern=$(IFS='|' && echo "${leak_checked_tests[*]}")
status=0
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE slow -E "^($pattern)\$" || status=$?
wait "$leak_check" || status=$?
exit "$status"
