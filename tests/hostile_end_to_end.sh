#!/bin/sh
# Runs the native program against fake X servers, Wayland compositors,
# fcitx5 and fcitx 4 daemons and dde-daemons that lie about lengths and
# types, cut replies short, send errors, hang up, or stay silent at each
# step, and against bad address files of fcitx 4's, and checks that it
# always exits with 0, writes nothing on standard error, and reports byte
# for byte what is expected within the deadline and a margin.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
trap 'kill $fake $bus_pid 2> /dev/null; rm -rf "$work"' EXIT

deadline_ms=3000
margin_ms=1500

program() {
	"$exe" "$@"
}

# Waits for the file $1 to hold one whole line, for at most 30 seconds.
await_line() {
	tries=0
	until grep -qs . "$1" && [ "$(wc -l < "$1")" = 1 ]; do
		tries=$((tries + 1))
		[ $tries -gt 600 ] && return 1
		sleep 0.05
	done
}

# A private session bus for the fake fcitx5 daemons and dde-daemons.
dbus-daemon --session --nofork --print-address=3 3> "$work/bus" > /dev/null 2>&1 &
bus_pid=$!
await_line "$work/bus" || { echo "FAIL: cannot start a session bus"; exit 1; }
bus=$(cat "$work/bus")

# fcitx 4's address file for display 0 in the folder the sessions below
# name as the user's configuration: "good" names the private bus and the
# fake fcitx 4 on it; the others are cut short, name processes that have
# ended or another program, are a named pipe, or are too large.
machine=$(cat /var/lib/dbus/machine-id 2> /dev/null || cat /etc/machine-id)
mkdir -p "$work/config/fcitx/dbus"
fcitx4_file() {
	file=$work/config/fcitx/dbus/$machine-0
	rm -f "$file"
	case $1 in
	good) address_file "$bus" $bus_pid $fake > "$file" ;;
	truncated) address_file "$bus" $bus_pid $fake | head -c -1 > "$file" ;;
	ended) true & first=$!; true & wait $first $!; address_file "$bus" $first $! > "$file" ;;
	other-program) address_file "$bus" $bus_pid 1 > "$file" ;;
	fifo) mkfifo "$file" ;;
	large) address_file "$bus,$(head -c 2000 /dev/zero | tr '\0' x)" $bus_pid $fake > "$file" ;;
	esac
}

address_file() {
	python3 -c 'import struct, sys
sys.stdout.buffer.write(sys.argv[1].encode() + b"\0" +
    struct.pack("=ii", int(sys.argv[2]), int(sys.argv[3])))' "$@"
}

# Starts the fake server of kind $1 ("x", "wayland", "fcitx5", "fcitx4",
# "fcitx4-file" or "dde") answering in way $2, and sets session to the
# environment that names it. The fcitx sessions are GNOME's too, with no
# settings, whose list is "us"; the dde-daemon's is Deepin's, v20's for
# dde-v20. fcitx 4 is reached on the session bus, or for "fcitx4-file"
# through its address file of way $2 alone.
start_fake() {
	: > "$work/ready"
	case $1 in
	x) python3 "$here/fake_x_server.py" "$2" > "$work/ready" & ;;
	wayland) python3 "$here/fake_wayland.py" "$2" "$work/wayland-$2" > "$work/ready" & ;;
	fcitx5|fcitx4|dde) DBUS_SESSION_BUS_ADDRESS=$bus /usr/bin/python3 \
		"$here/fake_daemons.py" "$2" "$work/bus-$2" > "$work/ready" 2> /dev/null & ;;
	fcitx4-file) DBUS_SESSION_BUS_ADDRESS=$bus /usr/bin/python3 \
		"$here/fake_daemons.py" fcitx4 > "$work/ready" 2> /dev/null & ;;
	esac
	fake=$!
	await_line "$work/ready" || return 1
	fcitx="XMODIFIERS=@im=fcitx XDG_CURRENT_DESKTOP=GNOME GSETTINGS_BACKEND=memory
		XDG_CONFIG_HOME=$work/config"
	case $1:$2 in
	x:tcp-no-answer) session="DISPLAY=127.0.0.1:$(cat "$work/ready")" ;;
	x:*) session="DISPLAY=:$(cat "$work/ready")" ;;
	wayland:*) session="WAYLAND_DISPLAY=$work/wayland-$2" ;;
	fcitx5:silent-bus) session="DBUS_SESSION_BUS_ADDRESS=unix:path=$work/bus-$2 $fcitx" ;;
	fcitx5:*|fcitx4:*) session="DBUS_SESSION_BUS_ADDRESS=$bus $fcitx" ;;
	fcitx4-file:*) session="DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus $fcitx"
		fcitx4_file "$2" ;;
	dde:dde-v20) session="DBUS_SESSION_BUS_ADDRESS=$bus XDG_CURRENT_DESKTOP=Deepin" ;;
	dde:*) session="DBUS_SESSION_BUS_ADDRESS=$bus XDG_CURRENT_DESKTOP=DDE" ;;
	esac
}

# The kind of fake, its way, and the identifiers expected; where two
# reports may come, as "A|B", either.
while read -r kind way identifiers; do
	if ! start_fake "$kind" "$way"; then
		verdict "$kind $way" "the fake never got ready"
		kill $fake 2> /dev/null
		wait $fake 2> /dev/null
		continue
	fi
	report ${identifiers%|*} > "$work/expected"
	started=$(date +%s%N)
	env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET \
		$session "$exe" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	elapsed=$((($(date +%s%N) - started) / 1000000))
	report ${identifiers#*|} > "$work/other"
	cmp -s "$work/out" "$work/other" && cp "$work/other" "$work/expected"
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
wayland shrinking 04070407|
fcitx5 valid 04070407 04110411 042A042A
fcitx5 full 042A042A 040C040C
fcitx5 stall
fcitx5 wrong-group 04090409
fcitx5 wrong-items 04090409
fcitx5 wrong-available 04070407 04110411
fcitx5 wrong-full 04090409
fcitx5 errors 04090409
fcitx5 many-items 04110411 $(seq 192 254 | xargs printf 'F0%02X0411 ')
fcitx5 unknown-items 04110411
fcitx5 silent-bus
fcitx4 fcitx4 04070407 08040804
fcitx4 fcitx4-stall
fcitx4 fcitx4-wrong-type 04090409
fcitx4 fcitx4-many 04110411 $(seq 192 254 | xargs printf 'F0%02X0411 ')
fcitx4 fcitx4-long-names 04110411 F0C00411
fcitx4-file good 04070407 08040804
fcitx4-file truncated 04090409
fcitx4-file ended 04090409
fcitx4-file other-program 04090409
fcitx4-file fifo 04090409
fcitx4-file large 04090409
dde dde 04090409 04070407 040C040C 20002000
dde dde-v20 04190419 F0020409
dde dde-stall
dde dde-wrong-type
dde dde-many 04090409 $(seq 192 254 | xargs printf 'F0%02X0409 ')
END

cat "$work/times"
finish end-to-end
