#!/usr/bin/env bash
# Opens the three secondary windows of the real program from its menus, under a real window
# manager, and checks what only a window manager shows: each window's outer corner (its
# frame's) lies 200 pixels right of and 80 below the main window's, the window is tied to
# the main window as its transient, and neither Escape nor Alt+F4 closes it; its Close
# button (Return for About) does, and the program then quits as usual with exit code 0.
# Usage: secondary_windows_test.sh <path of the tindrel program>
set -euo pipefail

program=$(realpath "${1:?usage: secondary_windows_test.sh <tindrel>}")
source "$(dirname "$0")/virtual_screen.sh"

mkdir "$work/folder" "$work/runtime"
chmod 700 "$work/runtime"
printf '%s\r\n' ";scan_every=10" ";play_sound=1" ";send_email=0" ";smtp=" ";port=25" \
    ";1recipient=" ";2recipient=" >"$work/folder/IPs.td"

start_virtual_screen
(cd "$work/folder" && SDL_AUDIODRIVER=dummy XDG_RUNTIME_DIR="$work/runtime" \
    QT_QPA_PLATFORM=xcb exec "$program") >"$work/program.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

wait_for 20 has_window Tindrel || fail "the main window did not appear"
main_window=$(find_window Tindrel)

# outer_corner <window>: "x y" of the window's frame, from its inner corner and the frame
# extents the window manager reports.
outer_corner() {
    local x y left top
    x=$(xwininfo -id "$1" | awk '/Absolute upper-left X/ {print $NF}')
    y=$(xwininfo -id "$1" | awk '/Absolute upper-left Y/ {print $NF}')
    read -r left top < <(xprop -id "$1" _NET_FRAME_EXTENTS |
        sed -n 's/.* = \([0-9]*\), [0-9]*, \([0-9]*\), [0-9]*$/\1 \2/p')
    echo "$((x - ${left:-0})) $((y - ${top:-0}))"
}

# choose <menu title x> <items down>: opens a menu of the main window by a click on its
# title (pixels from the window's inner corner) and takes its n-th item by the keyboard.
choose() {
    xdotool windowactivate --sync "$main_window"
    xdotool mousemove --window "$main_window" "$1" 8 click 1
    sleep 0.3
    local step
    for ((step = 0; step < $2; step++)); do xdotool key Down; done
    xdotool key Return
}

# check_window <title> <how to close: "click x y" or "key name">
check_window() {
    local title=$1 window main_x main_y x y
    wait_for 10 has_window "$title" || fail "\"$title\" did not open"
    window=$(find_window "$title")
    wait_for 5 sh -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q ' = '" ||
        fail "\"$title\" got no frame"
    read -r main_x main_y < <(outer_corner "$main_window")
    read -r x y < <(outer_corner "$window")
    [ "$((x - main_x)) $((y - main_y))" = "200 80" ] ||
        fail "\"$title\" opened at $((x - main_x)), $((y - main_y)) from the main window"
    xprop -id "$window" WM_TRANSIENT_FOR | grep -qi "$(printf '0x%x' "$main_window")" ||
        fail "\"$title\" is not tied to the main window"

    press "$title" Escape
    press "$title" alt+F4
    sleep 0.5
    has_window "$title" || fail "\"$title\" closed on Escape or Alt+F4"

    xdotool windowactivate --sync "$window"
    case $2 in
    click) xdotool mousemove --window "$window" "$3" "$4" click 1 ;;
    key) xdotool key "$3" ;;
    esac
    wait_for 10 sh -c "! xdotool search --onlyvisible --name '^$title\$' | grep -q ." ||
        fail "\"$title\" did not close"
}

choose 55 1
check_window "SMTP settings" click 131 159
choose 55 2
check_window "Options" click 205 110
choose 99 1
check_window "About..." key Return

press Tindrel alt+F4
wait_for 10 ended "$app_pid" || fail "the program did not end after closing its window"
status=0
wait "$app_pid" || status=$?
[ "$status" -eq 0 ] || fail "exit code $status"
echo "PASS"
