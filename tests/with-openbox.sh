#!/usr/bin/env bash
# Runs a command on the current X display under the openbox window manager,
# as a desktop would: starts openbox, waits until it manages the screen, runs
# the command and stops openbox again. Used as a test launcher inside
# xvfb-run, so that a window gets a real frame. The command's exit status is
# this script's.
set -euo pipefail
scratch=$(mktemp -d)
ready=$scratch/ready
mkfifo "$ready"
# Opened for reading and writing, so that neither side blocks on the open.
exec 3<>"$ready"
# openbox keeps its session files in a scratch cache, not in the user's.
XDG_CACHE_HOME=$scratch openbox --sm-disable --startup "sh -c 'echo up > $ready'" \
    >"$scratch/openbox.log" 2>&1 &
openbox_pid=$!
stop_openbox() {
    kill "$openbox_pid" 2>/dev/null || true
    wait "$openbox_pid" 2>/dev/null || true
    rm -rf "$scratch"
}
trap stop_openbox EXIT
# openbox runs its start-up command once it has taken over the screen.
if ! read -r -t 20 -u 3 _; then
    echo "with-openbox.sh: openbox did not come up" >&2
    cat "$scratch/openbox.log" >&2
    exit 1
fi
exec 3>&-
"$@"
