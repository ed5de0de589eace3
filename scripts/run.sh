#!/usr/bin/env bash
# Builds the project and starts RT-58 in its own working folder ./run, where
# it keeps config.ini and Log/, against the simulated calibrator rt58-sim.
# The simulator publishes its port under $RT58_SIM_LINK (default
# /tmp/ttyRT58), which RT-58 lists through RT58_EXTRA_PORTS; extra simulator
# options (faults, sensor model; see rt58-sim --help) go in RT58_SIM_OPTIONS.
# Closing RT-58 stops the simulator, which removes its link.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${RT58_BUILD_DIR:-$root/build}
link=${RT58_SIM_LINK:-/tmp/ttyRT58}
read -r -a sim_options <<< "${RT58_SIM_OPTIONS:-}"
"$root/scripts/build.sh" --target RT-58 rt58-sim

coproc SIM { exec "$build/sim/rt58-sim" --link "$link" "${sim_options[@]}"; }
sim_pid=$SIM_PID
stop_simulator() {
    kill -TERM "$sim_pid" 2>/dev/null || true
    wait "$sim_pid" 2>/dev/null || true
}
trap stop_simulator EXIT
if ! read -r -t 10 -u "${SIM[0]}" published; then
    echo "run.sh: rt58-sim did not start" >&2
    exit 1
fi
echo "Simulated calibrator on $published"

mkdir -p "$root/run"
cd "$root/run"
RT58_EXTRA_PORTS="$published${RT58_EXTRA_PORTS:+:$RT58_EXTRA_PORTS}" "$build/RT-58" "$@"
