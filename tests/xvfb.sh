# Starts a private Xvfb server on a free display, sets DISPLAY to it, and
# stops it with stop_xvfb. Any arguments are a command to start it with,
# such as one that changes the user; xvfb_options, more of the server's
# own. Without -noreset the server would forget the keymap each time its
# last client disconnects.
start_xvfb() {
	displayfile=$(mktemp)
	"$@" Xvfb -displayfd 3 -noreset -nolisten tcp ${xvfb_options:-} \
		3> "$displayfile" 2> /dev/null &
	xvfb_pid=$!
	tries=0
	# Xvfb writes the number and a newline; reading before the newline
	# could cut the number short.
	until grep -q '^[0-9]*$' "$displayfile" && [ "$(wc -l < "$displayfile")" = 1 ]; do
		tries=$((tries + 1))
		if [ $tries -gt 200 ] || ! running $xvfb_pid; then
			rm -f "$displayfile"
			return 1
		fi
		sleep 0.05
	done
	DISPLAY=:$(cat "$displayfile")
	export DISPLAY
	rm -f "$displayfile"
}

stop_xvfb() {
	[ -n "${xvfb_pid:-}" ] && kill $xvfb_pid 2> /dev/null && wait $xvfb_pid 2> /dev/null
	xvfb_pid=
}

# What an X server's keymap holds, as xkbcomp reads it, for tests to wait
# for: the layouts of its symbols name ("us(dvorak)" of
# "pc+us(dvorak)+inet(evdev)"), or its group names joined by commas
# ("German,French"). The arguments are a command prefix that runs xkbcomp
# as the server's client, with DISPLAY among them.
x_layouts() {
	"$@" sh -c 'xkbcomp -xkb "$DISPLAY" - 2> /dev/null' |
		sed -n 's/^xkb_symbols "[^+]*+\(.*\)+[^+]*" {$/\1/p'
}

x_group_names() {
	"$@" sh -c 'xkbcomp -xkb "$DISPLAY" - 2> /dev/null' |
		sed -n 's/^ *name\[group[0-9]*\] *= *"\(.*\)";$/\1/Ip' | paste -sd, -
}

# The same of a Wayland compositor's keymap, as a client of its own reads
# it; the arguments are a command prefix with WAYLAND_DISPLAY among them.
wayland_group_names() {
	"$@" /usr/bin/python3 "$(dirname "$0")/wayland_groups.py"
}
