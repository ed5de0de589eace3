#!/usr/bin/env bash
# Builds the project and starts RT-58 in its own working folder ./run, where
# it keeps config.ini and Log/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_BUILD_DIR:-$root/build}
"$root/scripts/build.sh"
mkdir -p "$root/run"
cd "$root/run"
exec "$build/RT-58" "$@"
