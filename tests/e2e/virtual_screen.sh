# Shared by the end-to-end tests (sourced, not run): a work folder that is removed on exit,
# a virtual screen of its own (Xvfb with openbox), bounded waits, window look-ups.
# Every process a test starts goes into `pids`; all of them are ended on the way out.

for tool in Xvfb openbox xdotool xprop; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
end_everything() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap end_everything EXIT

# fail <why>: says why, shows what the program wrote, and ends the test.
fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/program.log" ] && sed 's/^/program: /' "$work/program.log" >&2
    exit 1
}

# wait_for <seconds> <command...>: tries the command every tenth of a second.
wait_for() {
    local tries=$(($1 * 10))
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# start_virtual_screen: Xvfb on a display it picks itself (so parallel tests never collide)
# with openbox, and DISPLAY pointing at it.
start_virtual_screen() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    pids+=($!)
    exec 3>&-
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$work/display")
    openbox >/dev/null 2>&1 &
    pids+=($!)
    wait_for 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
        fail "openbox did not start"
}

# find_window <title>: the id of the visible window with exactly that title.
find_window() { xdotool search --onlyvisible --name "^$1\$" | head -n1; }
has_window() { [ -n "$(find_window "$1")" ]; }

# press <title> <key>: brings the window to the front and sends it a key.
press() {
    local window
    window=$(find_window "$1")
    [ -n "$window" ] || fail "no window \"$1\" to press $2 in"
    xdotool windowactivate --sync "$window" key "$2"
}

# ended <pid>: true once the process has gone.
ended() { ! kill -0 "$1" 2>/dev/null; }
