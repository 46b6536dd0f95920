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
. "$here/xvfb.sh"
. "$here/sway.sh"
trap 'stop_sway; [ -n "${weston_pid:-}" ] && kill $weston_pid; rm -rf "$work"' EXIT

# Runs the program as nobody in the session with the environment given,
# until its report is the one expected or it has had a few seconds:
# Xwayland learns the keymap a moment after its first client.
expect_report() {
	description=$1
	environment=$2
	shift 2
	report "$@" > "$work/expected"
	tries=0
	while :; do
		$as_nobody $environment "$sway_dir/kblayouts" > "$work/out" 2> "$work/err"
		echo $? > "$work/status"
		cmp -s "$work/out" "$work/expected" || [ $tries -gt 50 ] || {
			tries=$((tries + 1))
			sleep 0.1
			continue
		}
		break
	done
	check_run "$description" "$work/expected"
}

start_sway "$exe" de,fr,us ,,dvorak || { echo "FAIL: cannot start sway"; exit 1; }
wayland="WAYLAND_DISPLAY=$sway_wayland"
x="DISPLAY=$sway_x"
expect_report "sway, Wayland alone" "$wayland" 04070407 040C040C 04090409
expect_report "sway, Wayland and X" "$wayland $x" 04070407 040C040C 04090409
$as_nobody SWAYSOCK="$(echo "$sway_dir"/sway-ipc.*)" swaymsg 'input * xkb_layout "ru,gb"' > /dev/null
expect_report "sway after swaymsg" "$wayland" 04190419 08090809
expect_report "a Wayland display with no socket: the X answer" \
	"WAYLAND_DISPLAY=no-such-socket $x" 04190419 08090809

# weston's headless backend has no seat, so no keyboard.
$as_nobody weston --backend=headless-backend.so --socket=weston-test \
	--idle-time=0 > /dev/null 2>&1 &
weston_pid=$!
tries=0
until [ -S "$sway_dir/weston-test" ] || [ $tries -gt 100 ]; do
	tries=$((tries + 1))
	sleep 0.05
done
expect_report "weston without a seat" "WAYLAND_DISPLAY=weston-test $x"

finish end-to-end
