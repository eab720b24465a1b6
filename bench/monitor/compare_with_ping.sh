#!/usr/bin/env bash
# Times one probe of 127.0.0.1 by the monitor's prober against `ping -c 1 -W 1 127.0.0.1`,
# each as a whole process, with hyperfine. Only loopback is ever probed.
#   compare_with_ping.sh [build folder]   (default: build/release)
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$here/build/release}
probe="$build/bench/monitor/probe_loopback_once"
[ -x "$probe" ] || { echo "build $probe first" >&2; exit 2; }
command -v ping >/dev/null || { echo "ping is missing (package iputils-ping)" >&2; exit 2; }

hyperfine --warmup 20 --runs 300 -N \
    --export-markdown "$build/bench/monitor/probe_vs_ping.md" \
    "$probe" "ping -c 1 -W 1 127.0.0.1"
