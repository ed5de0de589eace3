#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into ./build-fuzz (or
# $RT58_FUZZ_BUILD_DIR) and runs each for $RT58_FUZZ_SECONDS seconds
# (default 25) from its seed corpus. Installs clang when it is missing and
# skips the stage when that fails.
#
# A fuzz target is a CTest test labelled "fuzz" whose name is also the name of
# its executable target (built only with RT58_FUZZERS, i.e. with clang); its
# seed inputs are the files of tests/<subsystem>/corpus/<name>/. Inputs found
# during the run go to <build>/corpus/<name>, a crashing input to
# <build>/artifacts/, and the target's failure fails this script. As many
# targets run at once as there are processors. "fuzz.sh build" only builds,
# "fuzz.sh run" only runs what was built.
set -euo pipefail
step=${1:-all}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${RT58_FUZZ_SECONDS:-25}

if [ "$step" != run ]; then
    "$root/scripts/install-deps.sh" clang libclang-rt-14-dev ||
        echo "fuzz.sh: clang could not be installed" >&2
fi
if ! command -v clang++ >/dev/null; then
    echo "fuzz.sh: no clang++, fuzzing skipped"
    exit 0
fi

if [ "$step" != run ]; then
    # A unity build, as the sanitizer builds.
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRT58_FUZZERS=ON -DCMAKE_UNITY_BUILD=ON >/dev/null
fi
# Name and executable of every test labelled "fuzz"; CTest knows the
# executable only once it is built.
fuzz_tests() {
    ctest --test-dir "$build" --show-only=json-v1 | python3 -c '
import json, sys
for test in json.load(sys.stdin)["tests"]:
    labels = next((p["value"] for p in test.get("properties", []) if p["name"] == "LABELS"), [])
    if "fuzz" in labels:
        print(test["name"], test.get("command", [""])[0])
'
}
mapfile -t names < <(fuzz_tests | cut -d " " -f 1)
if [ ${#names[@]} -eq 0 ]; then
    echo "fuzz.sh: no fuzz targets configured" >&2
    exit 1
fi
if [ "$step" != run ]; then
    cmake --build "$build" -j "$(nproc)" --target "${names[@]}"
fi
[ "$step" != build ] || exit 0
mapfile -t targets < <(fuzz_tests)

# Runs one target; its output goes to <build>/<name>.log, shown when it fails
# and by its final figures otherwise.
fuzz_one() {
    local name=$1 executable=$2 seeds=$3 log=$build/$1.log
    mkdir -p "$build/corpus/$name"
    if ! "$executable" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" \
        "$build/corpus/$name" "$seeds" >"$log" 2>&1; then
        cat "$log"
        echo "fuzz.sh: $name failed" >&2
        return 1
    fi
    echo "$name: $(grep -E '^stat::number_of_executed_units' "$log" | tr -s ' ')"
}

mkdir -p "$build/artifacts"
running=()
status=0
for target in "${targets[@]}"; do
    name=${target%% *}
    seeds=$(find "$root/tests" -type d -path "*/corpus/$name" -print -quit)
    if [ -z "$seeds" ]; then
        echo "fuzz.sh: no seed corpus tests/*/corpus/$name" >&2
        exit 1
    fi
    echo "Fuzzing $name for $seconds s from ${seeds#"$root"/}"
    fuzz_one "$name" "${target#* }" "$seeds" &
    running+=($!)
    if [ ${#running[@]} -ge "$(nproc)" ]; then
        wait "${running[0]}" || status=1
        running=("${running[@]:1}")
    fi
done
for pid in "${running[@]}"; do
    wait "$pid" || status=1
done
exit "$status"
