#!/usr/bin/env bash
# Drives an RT-58 as a technician would on the current X display (with a
# window manager): starts the program given as arguments, adds the default
# test point with the keyboard, presses Export, cancels the save dialog,
# closes the box that reports the export and ends the program with SIGTERM.
# Exits with 0 when every step showed what it should; where the report
# landed is for the caller to check.
set -euo pipefail
"$@" >/dev/null 2>&1 &
program=$!
trap 'kill -TERM "$program" 2>/dev/null || true' EXIT
# Waits at most 20 s for a visible window matching the xdotool search options
# and prints it. A search fails when a window goes while it looks, as a
# closing dialog does, and is then tried again.
await() {
    local deadline=$((SECONDS + 20)) found
    while [ "$SECONDS" -lt "$deadline" ]; do
        found=$(xdotool search --onlyvisible "$@" 2>/dev/null | head -n 1 || true)
        [ -z "$found" ] || { echo "$found"; return; }
        sleep 0.1
    done
}
window=$(await --class '^RT-58$')
[ -n "$window" ] || { echo "export-cancelled.sh: no RT-58 window" >&2; exit 1; }
xdotool windowactivate --sync "$window"
# Focus starts on the port list; five steps on is Add, one back from it Export.
xdotool key --delay 50 Tab Tab Tab Tab Tab space shift+Tab space
[ -n "$(await --name '保存文件对话框')" ] || { echo "export-cancelled.sh: no save dialog" >&2; exit 1; }
xdotool key Escape
[ -n "$(await --name '提示信息')" ] || { echo "export-cancelled.sh: no box after the export" >&2; exit 1; }
xdotool key Return
kill -TERM "$program"
wait "$program"
