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

# The work folder, its clean-up and the virtual screen are the end-to-end tests' own.
source "$(dirname "$0")/../../tests/e2e/virtual_screen.sh"

if [ "${3:-}" = --x11 ]; then
    start_virtual_screen
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
