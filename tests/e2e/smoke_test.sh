#!/usr/bin/env bash
# Starts the real program in an empty folder on its own virtual screen (Xvfb with openbox)
# and checks the first-run path: the window appears with the program's icon in its four
# sizes, IPs.td receives the seven default lines, the not-found warning can be dismissed,
# closing the window ends the program with exit code 0. First it checks that without any
# display the program also ends with 0.
# Every wait is bounded; every process started here is ended on the way out.
# Usage: smoke_test.sh <path of the tindrel program>
set -euo pipefail

program=$(realpath "${1:?usage: smoke_test.sh <tindrel>}")
for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
xvfb_pid= wm_pid= app_pid=
cleanup() {
    for pid in $app_pid $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in $app_pid $wm_pid $xvfb_pid; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

# Tries `check` every tenth of a second for at most `seconds`.
wait_for() {
    local seconds=$1
    shift
    local tries=$((seconds * 10))
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

mkdir "$work/folder" "$work/runtime"
chmod 700 "$work/runtime"

status=0
(cd "$work/folder" && env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb timeout 20 "$program") >"$work/program.log" 2>&1 || status=$?
[ "$status" -eq 0 ] || fail "exit code $status without a display"
[ ! -e "$work/folder/IPs.td" ] || fail "IPs.td was created without a display"

# Xvfb picks a free display itself, so parallel tests never collide.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
openbox >/dev/null 2>&1 &
wm_pid=$!
wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    fail "openbox did not start"

(cd "$work/folder" && SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb exec "$program") >"$work/program.log" 2>&1 &
app_pid=$!

find_window() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }
wait_for 20 find_window Tindrel || fail "the main window did not appear"
wait_for 10 find_window "Warning !" || fail "the not-found warning did not appear"
main_window=$(find_window Tindrel)
warning=$(find_window "Warning !")
[ -n "$main_window" ] && [ -n "$warning" ] || fail "the windows vanished"
icons=$(xprop -id "$main_window" _NET_WM_ICON | grep -o "Icon ([0-9]* x [0-9]*)" | tr '\n' ' ')
[ "$icons" = "Icon (16 x 16) Icon (32 x 32) Icon (48 x 48) Icon (64 x 64) " ] ||
    fail "the window's icons are: $icons"

expected=$(printf '%s\r\n' ";scan_every=10" ";play_sound=1" ";send_email=0" ";smtp=" \
    ";port=25" ";1recipient=" ";2recipient=" | od -c)
[ "$(od -c <"$work/folder/IPs.td")" = "$expected" ] || fail "IPs.td does not hold the default lines"

xdotool windowactivate --sync "$warning" key Return
wait_for 10 sh -c "! xdotool search --onlyvisible --name '^Warning !\$' | grep -q ." ||
    fail "the warning did not go away"

# Alt+F4 makes openbox ask the window to close, as its close box does.
xdotool windowactivate --sync "$main_window" key alt+F4
wait_for 10 sh -c "! kill -0 $app_pid" || fail "the program did not end after closing its window"
status=0
wait "$app_pid" || status=$?
app_pid=
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
