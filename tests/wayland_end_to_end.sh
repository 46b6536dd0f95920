#!/bin/sh
# Runs the native program in Wayland sessions: sway on its X11 backend over
# a private Xvfb, with layouts from its config and changed with swaymsg,
# asked through Wayland, Xwayland or both; and weston's headless backend,
# which has no seat. Checks each report byte for byte.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
. "$here/sway.sh"
trap 'stop_sway; [ -n "${weston_pid:-}" ] && kill $weston_pid; rm -rf "$work"' EXIT

start_sway "$exe" de,fr,us ,,dvorak || { echo "FAIL: cannot start sway"; exit 1; }
wayland="WAYLAND_DISPLAY=$sway_wayland"
x="DISPLAY=$sway_x"
await_sway_groups "German,French,English (Dvorak)"
expect_in_sway "sway, Wayland alone" "$wayland" 04070407 040C040C F0020409
expect_in_sway "sway, Wayland and X" "$wayland $x" 04070407 040C040C F0020409
swaymsg_layouts ru,gb
await_sway_groups "Russian,English (UK)"
expect_in_sway "sway after swaymsg" "$wayland" 04190419 08090809
expect_in_sway "a Wayland display with no socket: the X answer" \
	"WAYLAND_DISPLAY=no-such-socket $x" 04190419 08090809

# weston's headless backend has no seat, so no keyboard.
$as_nobody weston --backend=headless-backend.so --socket=weston-test \
	--idle-time=0 > /dev/null 2>&1 &
weston_pid=$!
await "weston listens" yes sh -c "[ -S '$sway_dir/weston-test' ] && echo yes" &&
	expect_in_sway "weston without a seat" "WAYLAND_DISPLAY=weston-test $x"

finish end-to-end
