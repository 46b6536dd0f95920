#!/bin/sh
# Runs the native program against fake X servers and Wayland compositors
# that lie about lengths, cut replies short, send errors, hang up, or stay
# silent at each step, and checks that it always exits with 0, writes
# nothing on standard error, and reports byte for byte what is expected
# within the deadline and a margin.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
trap 'kill $fake 2> /dev/null; rm -rf "$work"' EXIT

deadline_ms=3000
margin_ms=1500

program() {
	"$exe" "$@"
}

# Starts the fake server of kind $1 ("x" or "wayland") answering in way
# $2, and sets session to the environment that names it.
start_fake() {
	: > "$work/ready"
	if [ "$1" = x ]; then
		python3 "$here/fake_x_server.py" "$2" > "$work/ready" &
	else
		python3 "$here/fake_wayland.py" "$2" "$work/wayland-$2" > "$work/ready" &
	fi
	fake=$!
	tries=0
	until grep -q . "$work/ready" && [ "$(wc -l < "$work/ready")" = 1 ]; do
		tries=$((tries + 1))
		[ $tries -gt 200 ] && break
		sleep 0.05
	done
	case $1:$2 in
	x:tcp-no-answer) session="DISPLAY=127.0.0.1:$(cat "$work/ready")" ;;
	x:*) session="DISPLAY=:$(cat "$work/ready")" ;;
	*) session="WAYLAND_DISPLAY=$work/wayland-$2" ;;
	esac
}

# The kind of fake, its way, and the identifiers expected.
while read -r kind way identifiers; do
	start_fake "$kind" "$way"
	report $identifiers > "$work/expected"
	started=$(date +%s%N)
	env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET \
		$session "$exe" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	elapsed=$((($(date +%s%N) - started) / 1000000))
	echo "$kind $way: $elapsed ms" >> "$work/times"
	check_run "$kind $way" "$work/expected"
	[ $elapsed -le $((deadline_ms + margin_ms)) ] && problem= ||
		problem="took $elapsed ms"
	verdict "$kind $way, within the deadline" "$problem"
	kill $fake 2> /dev/null
	wait $fake 2> /dev/null
done <<-END
x valid 04070407 040C040C
x at-connect
x silent-setup
x silent-extension
x no-xkb
x silent-names
x x-error
x names-no-data
x truncated
x huge-length
x close-mid-query
x silent-atoms
x atom-length-lie
x tcp-no-answer
wayland valid 04070407
wayland silent
wayland close-mid-query
wayland no-seat
wayland no-keyboard
wayland silent-keyboard
wayland not-xkb
wayland size-zero
wayland size-past-file
wayland size-huge
wayland keymap-pipe
wayland protocol-error
wayland bind-in-round-trip 04070407
END

cat "$work/times"
finish end-to-end
