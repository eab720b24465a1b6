#!/usr/bin/env bash
# Installs what is missing, builds the monitor and starts it in the current directory.
# Without a display it starts a virtual one (Xvfb) with a window manager and says so.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

"$here/scripts/install-deps.sh" run
"$here/scripts/build.sh" release
program="$here/build/release/src/tindrel"

# The reachability probe sends ICMP echo requests; this capability lets a user who is not
# root do so (README, "Running").
as_root=()
[ "$(id -u)" -eq 0 ] || ! command -v sudo >/dev/null || as_root=(sudo)
"${as_root[@]}" setcap cap_net_raw+ep "$program" 2>/dev/null ||
    echo "note: could not give the program cap_net_raw; see \"Running\" in README.md" >&2

if [ -z "${DISPLAY:-}" ]; then
    echo "No display found: starting the monitor under Xvfb on display :99 (a virtual screen)."
    Xvfb :99 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $wm_pid $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY=:99
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    # A window mapped while the window manager is still starting may never be shown.
    for _ in $(seq 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.1
    done
fi
"$program"
