#!/usr/bin/env bash
# Usage: leak-check.sh <sanitizer build folder> <test name>...
# Runs the named CTest tests of a build configured with RT58_SANITIZE=ON, one
# after the other, with LeakSanitizer on. Leaks of the libraries listed in
# scripts/lsan.supp are suppressed; any other leak fails the test, and so this
# script. Child processes (rt58-sim) are checked too.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 2 ]; then
    echo "usage: $0 <sanitizer build folder> <test name>..." >&2
    exit 2
fi
build=$1
shift
if ! grep -q '^RT58_SANITIZE:BOOL=ON$' "$build/CMakeCache.txt" 2>/dev/null; then
    echo "leak-check.sh: $build is not a build with RT58_SANITIZE=ON" >&2
    exit 2
fi

# The fast unwinder stops at the first frame of a library built without frame
# pointers (Qt), which would hide both the caller and the library to match.
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:fast_unwind_on_malloc=0:detect_stack_use_after_return=1
export LSAN_OPTIONS=suppressions=$root/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
echo "Leak check: $*"
pattern=$(IFS='|' && echo "$*")
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$(nproc)" -R "^($pattern)\$"
