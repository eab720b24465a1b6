#!/usr/bin/env bash
# The real program's two start-up warnings, on a virtual screen of their own:
#  - without a sound device, "Warning !" comes before the main window, which then opens;
#  - without ICMP (an unprivileged user in a fresh network namespace, where datagram ICMP
#    is off and raw sockets are not allowed), "Warning !" comes, the cause goes to standard
#    error, no window opens, IPs.td is not created, and the exit code is 0.
# Usage: startup_warnings_test.sh <path of the tindrel program>
set -euo pipefail

program=$(realpath "${1:?usage: startup_warnings_test.sh <tindrel>}")
here=$(dirname "$(realpath "$0")")
source "$here/virtual_screen.sh"

start_virtual_screen
mkdir -m 700 "$work/runtime"
default_lines=$(printf '%s\r\n' ";scan_every=10" ";play_sound=1" ";send_email=0" ";smtp=" \
    ";port=25" ";1recipient=" ";2recipient=")

# --- No sound device: SDL finds no driver that works.
mkdir "$work/no-sound"
printf '%s' "$default_lines" >"$work/no-sound/IPs.td"
(cd "$work/no-sound" && SDL_AUDIODRIVER=no-such-driver XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb exec "$program") >"$work/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

wait_for 20 has_window "Warning !" || fail "no warning without a sound device"
has_window Tindrel && fail "the main window opened before the no-sound warning"
press "Warning !" Return
wait_for 10 has_window Tindrel || fail "the main window did not open after the warning"
press Tindrel alt+F4
wait_for 10 ended "$app_pid" || fail "the program did not end after closing its window"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after the no-sound run"

# --- No ICMP: needs root to make the namespace and to become another user.
if [ "$(id -u)" -ne 0 ] || ! unshare -n true 2>/dev/null; then
    echo "PASS (network failure path skipped: needs root and network namespaces)"
    exit 0
fi
nobody=65534
mkdir -p "$work/no-network/folder" "$work/no-network/home" "$work/no-network/runtime"
cp "$program" "$work/no-network/tindrel"
chmod 755 "$work" "$work/no-network" "$work/no-network/tindrel"
chmod 700 "$work/no-network/runtime"
chown -R "$nobody:$nobody" "$work/no-network/folder" "$work/no-network/home" \
    "$work/no-network/runtime"

(cd "$work/no-network/folder" &&
    exec unshare -n setpriv --reuid=$nobody --regid=$nobody --clear-groups -- \
        env HOME="$work/no-network/home" XDG_RUNTIME_DIR="$work/no-network/runtime" \
        SDL_AUDIODRIVER=dummy QT_QPA_PLATFORM=xcb "$work/no-network/tindrel") \
    >"$work/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

wait_for 20 has_window "Warning !" || fail "no warning without ICMP"
has_window Tindrel && fail "the main window opened despite the network failure"
grep -q "datagram ICMP socket: Permission denied" "$work/program.log" ||
    fail "the cause is not on standard error"
press "Warning !" Return
wait_for 10 ended "$app_pid" || fail "the program did not end after the network warning"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status after the network warning"
[ -z "$(ls -A "$work/no-network/folder")" ] || fail "the program left files: $(ls -A "$work/no-network/folder")"
echo "PASS"
