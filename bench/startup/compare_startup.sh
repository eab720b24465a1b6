#!/usr/bin/env bash
# Times start-up until the main window is on screen, with hyperfine:
#   bare    a Qt window that does nothing (the yardstick)
#   text    the same window with one label: what loading the font database costs
#   empty   the program with an empty IPs.td (the target: within 1.5 times the bare window)
#   no-resources  the same without its resources: no sound device, pictures, clip or icon
#   large   the program with 100 000 hosts in IPs.td (load and fill of the host list)
# Usage: compare_startup.sh <build dir> [--x11]
# With --x11 it runs under its own Xvfb and openbox; otherwise on Qt's offscreen platform.
set -euo pipefail

build=$(cd "${1:?usage: compare_startup.sh <build dir> [--x11]}" && pwd)
program=$build/bench/startup/bench_startup_until_shown
bare=$build/bench/startup/bench_bare_window_until_shown
for binary in "$program" "$bare"; do
    [ -x "$binary" ] || { echo "missing $binary: build the bench targets first" >&2; exit 2; }
done

# The work folder, its clean-up and the virtual screen are the end-to-end tests' own.
source "$(dirname "$0")/../../tests/e2e/virtual_screen.sh"

if [ "${2:-}" = --x11 ]; then
    start_virtual_screen
    export QT_QPA_PLATFORM=xcb
    echo "platform: xcb on Xvfb $DISPLAY with openbox"
else
    export QT_QPA_PLATFORM=offscreen
    echo "platform: offscreen"
fi
export SDL_AUDIODRIVER=dummy
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR" "$work/empty" "$work/large" "$work/bare"

python3 - "$work/large/IPs.td" <<'PY'
import sys
lines = [";scan_every=10", ";play_sound=1", ";send_email=0", ";smtp=", ";port=25",
         ";1recipient=", ";2recipient="]
lines += [f"10.{i >> 16 & 255}.{i >> 8 & 255}.{i & 255}" if i % 4 else f"@host-{i}.example"
          for i in range(100000)]
with open(sys.argv[1], "wb") as f:
    f.write(("\r\n".join(lines) + "\r\n").encode())
PY

hyperfine --warmup 3 --runs "${RUNS:-30}" --export-json "$work/times.json" \
    --command-name bare "cd '$work/bare' && '$bare'" \
    --command-name text "cd '$work/bare' && '$bare' --with-text" \
    --command-name empty --prepare ": > '$work/empty/IPs.td'" "cd '$work/empty' && '$program'" \
    --command-name no-resources "cd '$work/empty' && '$program' --without-resources" \
    --command-name large "cd '$work/large' && '$program'"

python3 - "$work/times.json" <<'PY'
import json, sys
times = {r["command"]: r["mean"] for r in json.load(open(sys.argv[1]))["results"]}
print(f"empty / bare = {times['empty'] / times['bare']:.2f} (target: at most 1.5)")
print(f"large / bare = {times['large'] / times['bare']:.2f}")
print(f"empty / no-resources = {times['empty'] / times['no-resources']:.2f} "
      f"(+{(times['empty'] - times['no-resources']) * 1000:.1f} ms for the resources)")
print(f"empty / text = {times['empty'] / times['text']:.2f} (against a window that also shows text)")
PY
