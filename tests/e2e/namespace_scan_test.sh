#!/usr/bin/env bash
# A real scan, end to end, inside a network namespace that this test makes: the program
# probes 127.0.0.1, which answers, and 192.0.2.2, which sits silent at the end of a veth
# pair, and sends its alert mails to an SMTP sink on the namespace's own loopback. After
# two passes only the silent target has been mailed. Stop, then the close box, end the
# program with exit code 0. Nothing leaves the namespace.
# Usage: namespace_scan_test.sh <path of the tindrel program> <path of smtp_sink.py>
set -euo pipefail

program=$(realpath "${1:?usage: namespace_scan_test.sh <tindrel> <smtp_sink.py>}")
sink=$(realpath "${2:?usage: namespace_scan_test.sh <tindrel> <smtp_sink.py>}")
here=$(dirname "$(realpath "$0")")
source "$here/virtual_screen.sh"

if [ "$(id -u)" -ne 0 ] || ! unshare -n true 2>/dev/null; then
    echo "SKIP: needs root and network namespaces"
    exit 77
fi
/usr/bin/python3 -c "import aiosmtpd" 2>/dev/null || { echo "SKIP: python3-aiosmtpd is missing"; exit 77; }

start_virtual_screen
mkdir -m 700 "$work/runtime"
mkdir "$work/folder" "$work/mails"
mkfifo "$work/sink-input"

# Inside the namespace: the silent neighbour, the sink (it stops when its input closes,
# that is when this test ends) and then the program, with a data file naming the sink.
cat >"$work/inside.sh" <<INSIDE
set -e
ip link set lo up
ip link add v0 type veth peer name v1
ip addr add 192.0.2.1/24 dev v0
ip link set v0 up
ip link set v1 up
/usr/bin/python3 "$sink" "$work/mails" <"$work/sink-input" >"$work/sink.out" 2>&1 &
for _ in \$(seq 100); do grep -q '^PORT' "$work/sink.out" && break; sleep 0.1; done
port=\$(sed -n 's/^PORT //p' "$work/sink.out")
printf '%s\r\n' ";scan_every=1" ";play_sound=1" ";send_email=1" ";smtp=127.0.0.1" \
    ";port=\$port" ";1recipient=ops@example.com" ";2recipient=" 127.0.0.1 192.0.2.2 \
    >"$work/folder/IPs.td"
cd "$work/folder"
exec "$program"
INSIDE
SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb \
    unshare -n bash "$work/inside.sh" >"$work/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
exec 4>"$work/sink-input" # held open until the test ends

wait_for 20 has_window Tindrel || fail "the main window did not appear"
main_window=$(find_window Tindrel)
# Start (button 5) stands at 320,310 to 420,330 below the menu bar.
xdotool windowactivate --sync "$main_window" mousemove --window "$main_window" 370 338 click 1

mails() { find "$work/mails" -name '*.eml' | wc -l; }
wait_for 30 sh -c "[ \$(find '$work/mails' -name '*.eml' | wc -l) -ge 2 ]" ||
    fail "$(mails) alert mails within 30 s, 2 expected (did Start get clicked?)"
for mail in "$work/mails"/*.eml; do
    grep -q "^192.0.2.2 not responding !!!" "$mail" || fail "unexpected alert: $(cat "$mail")"
done

xdotool mousemove --window "$main_window" 370 338 click 1 # Stop
# The click may wait behind a probe or an alert mail in progress, and a close request that
# arrives while the scan still runs is dropped; so the close is asked again until it lands.
for _ in $(seq 8); do
    xdotool windowactivate --sync "$main_window" key alt+F4 2>/dev/null || true
    wait_for 2 ended "$app_pid" && break
done
ended "$app_pid" || fail "the program did not end after Stop and closing"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
