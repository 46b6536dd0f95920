# Starts a GNOME session as the user nobody in a private directory that is
# its HOME and XDG_RUNTIME_DIR: a system bus of its own (a container has
# none) with a policy that allows everything, a session bus, and
# gnome-shell, headless on Wayland, with a virtual keyboard. Sets
# gnome_dir (which also holds a copy of the program given, readable by
# nobody), gnome_session (the buses' environment), gnome_wayland (the
# WAYLAND_DISPLAY) and as_nobody, a command prefix that runs a command as
# nobody with that HOME and XDG_RUNTIME_DIR. Each daemon gets a session of
# its own, so that stop_gnome stops whatever it started too.

# Waits for the file $1 to hold one whole line, as long as process $2 runs
# and for at most 30 seconds: gnome-shell sometimes stalls for 10 seconds
# as it starts.
await_line() {
	tries=0
	until [ -s "$1" ] && [ "$(wc -l < "$1")" -ge 1 ]; do
		tries=$((tries + 1))
		if [ $tries -gt 600 ] || ! running "$2"; then
			return 1
		fi
		sleep 0.05
	done
}

# Starts the buses; start_gnome_shell then starts the shell, given the
# path of virtual_keyboard.py.
start_gnome() {
	gnome_dir=$(mktemp -d)
	gnome_pids=
	mkdir "$gnome_dir/home"
	cp "$1" "$gnome_dir/kblayouts"
	cat > "$gnome_dir/system.conf" <<-END
	<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
	 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
	<busconfig>
	  <type>system</type>
	  <listen>unix:path=$gnome_dir/system_bus</listen>
	  <auth>EXTERNAL</auth>
	  <policy context="default">
	    <allow send_destination="*" eavesdrop="true"/>
	    <allow eavesdrop="true"/>
	    <allow own="*"/>
	  </policy>
	</busconfig>
	END
	chown -R nobody:nogroup "$gnome_dir"
	chmod 700 "$gnome_dir"
	as_nobody="setpriv --reuid=nobody --regid=nogroup --clear-groups env -i
		PATH=/usr/bin:/bin HOME=$gnome_dir/home XDG_RUNTIME_DIR=$gnome_dir
		ASAN_OPTIONS=${ASAN_OPTIONS:-} UBSAN_OPTIONS=${UBSAN_OPTIONS:-}"
	for bus in system session; do
		[ $bus = system ] && config=--config-file=$gnome_dir/system.conf || config=--session
		$as_nobody setsid dbus-daemon $config --nofork --print-address=3 \
			3> "$gnome_dir/$bus.address" > /dev/null 2>&1 &
		gnome_pids="$gnome_pids $!"
		await_line "$gnome_dir/$bus.address" $! || return 1
	done
	gnome_session="DBUS_SYSTEM_BUS_ADDRESS=$(cat "$gnome_dir/system.address")
		DBUS_SESSION_BUS_ADDRESS=$(cat "$gnome_dir/session.address")"
}

# Sets the key $2 of the schema $1 to $3, or resets it with "reset", with
# gsettings in the session (with the schemas of $schemas too, where the
# caller has some), and waits until it reads back.
set_key() {
	if [ "$3" = reset ]; then
		session_gsettings reset "$1" "$2"
		wanted="[]"
	else
		session_gsettings set "$1" "$2" "$3"
		wanted=$(echo "$3" | tr -d ' ')
	fi
	await "$1 $2 reads back" "$wanted" key_now "$1" "$2"
}

session_gsettings() {
	$as_nobody $gnome_session ${schemas:+GSETTINGS_SCHEMA_DIR=$schemas} gsettings "$@"
}

# A key's value as gsettings reads it, without spaces or a type.
key_now() {
	session_gsettings get "$1" "$2" | sed 's/^@[^ ]* //' | tr -d ' '
}

# Sets GNOME's input sources, resets them to none with "reset", or writes
# "dconf:VALUE" as it is, of whatever type, with dconf; then waits until
# they read back.
set_sources() {
	case $1 in
	dconf:*) $as_nobody $gnome_session dconf write "$sources_path" "${1#dconf:}"
		await "sources written" "${1#dconf:}" \
			$as_nobody $gnome_session dconf read "$sources_path" ;;
	*) set_key org.gnome.desktop.input-sources sources "$1" ;;
	esac
}

sources_path=/org/gnome/desktop/input-sources/sources

start_gnome_shell() {
	gnome_wayland=gnome-test
	$as_nobody $gnome_session setsid gnome-shell --headless --wayland --no-x11 \
		--virtual-monitor 1024x768 --wayland-display $gnome_wayland > /dev/null 2>&1 &
	gnome_pids="$gnome_pids $!"
	tries=0
	until [ -S "$gnome_dir/$gnome_wayland" ]; do
		tries=$((tries + 1))
		[ $tries -gt 600 ] || ! running $! && return 1
		sleep 0.05
	done
	# A seat without a keyboard gets no keymap; a real session has one.
	$as_nobody $gnome_session setsid /usr/bin/python3 "$1" \
		> "$gnome_dir/keyboard" 2> /dev/null &
	gnome_pids="$gnome_pids $!"
	await_line "$gnome_dir/keyboard" $!
}

# gnome-shell may crash as it stops; under set -e that is no failure.
stop_gnome() {
	for pid in $gnome_pids; do
		kill -- -$pid 2> /dev/null || :
	done
	for pid in $gnome_pids; do
		wait $pid 2> /dev/null || :
	done
	gnome_pids=
	[ -n "${gnome_dir:-}" ] && rm -rf "$gnome_dir"
}
