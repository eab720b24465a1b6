#!/usr/bin/env bash
# The program's processor time during a scan of three loopback targets (127.0.0.1 to
# 127.0.0.3) every 10 seconds, against the wall time (target: under 1 %), first from
# inside the program (getrusage), then for the whole process with /usr/bin/time.
# Usage: measure_scan_cpu.sh <build dir> [seconds, default 60] [--x11]
# With --x11 it runs under its own Xvfb and openbox; otherwise on Qt's offscreen platform.
# The probes need ICMP: run as root, give the program cap_net_raw, or allow datagram ICMP.
set -euo pipefail

build=$(cd "${1:?usage: measure_scan_cpu.sh <build dir> [seconds] [--x11]}" && pwd)
seconds=${2:-60}
program=$build/bench/scan/bench_scan_cpu
[ -x "$program" ] || { echo "missing $program: build bench_scan_cpu first" >&2; exit 2; }

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

if [ "${3:-}" = --x11 ]; then
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    exec 3>&-
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$work/display")
    openbox >/dev/null 2>&1 &
    pids+=($!)
    sleep 0.5
    export QT_QPA_PLATFORM=xcb
    echo "platform: xcb on Xvfb $DISPLAY with openbox"
else
    export QT_QPA_PLATFORM=offscreen
    echo "platform: offscreen"
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
echo "sound driver: $SDL_AUDIODRIVER; scan of $seconds s"

printf '%s\r\n' ";scan_every=10" ";play_sound=1" ";send_email=0" ";smtp=" ";port=25" \
    ";1recipient=" ";2recipient=" 127.0.0.1 127.0.0.2 127.0.0.3 >"$work/IPs.td"
cd "$work"
/usr/bin/time -f "whole process: %e s wall, %U s user + %S s system, %P of one processor" \
    "$program" "$seconds"
