#!/usr/bin/env bash
# Configures and builds the project into ./build (or $RT58_BUILD_DIR); any
# arguments go to `cmake --build`, e.g. `--target RT-58`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_BUILD_DIR:-$root/build}
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=${RT58_BUILD_TYPE:-RelWithDebInfo} >/dev/null
cmake --build "$build" -j "$(nproc)" "$@"
