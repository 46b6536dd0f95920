# Starts sway on its X11 backend over a private Xvfb, both as the user
# nobody (sway refuses to run as root, and Xwayland refuses clients of
# another user), with the layouts and variants given in its config. Sets
# sway_dir (its XDG_RUNTIME_DIR, which also holds a copy of the program
# given, readable by nobody), sway_wayland (its WAYLAND_DISPLAY) and
# sway_x (the DISPLAY of its Xwayland), and as_nobody, a command prefix
# that runs a command as nobody in that session. stop_sway stops both.
# Needs xvfb.sh; expect_in_sway and await_sway_groups need checks.sh.

start_sway() {
	sway_dir=$(mktemp -d)
	as_nobody="setpriv --reuid=nobody --regid=nogroup --clear-groups env -i
		PATH=/usr/bin:/bin XDG_RUNTIME_DIR=$sway_dir
		ASAN_OPTIONS=${ASAN_OPTIONS:-} UBSAN_OPTIONS=${UBSAN_OPTIONS:-}"
	cp "$1" "$sway_dir/kblayouts"
	cat > "$sway_dir/config" <<-END
	input * xkb_layout "$2"
	input * xkb_variant "$3"
	xwayland enable
	exec sh -c 'echo "\$WAYLAND_DISPLAY \$DISPLAY" > $sway_dir/ready.new && mv $sway_dir/ready.new $sway_dir/ready'
	END
	chown -R nobody:nogroup "$sway_dir"
	chmod 700 "$sway_dir"
	start_xvfb $as_nobody || return 1
	$as_nobody DISPLAY="$DISPLAY" WLR_BACKENDS=x11 WLR_RENDERER=pixman \
		WLR_LIBINPUT_NO_DEVICES=1 sway -c "$sway_dir/config" > /dev/null 2>&1 &
	sway_pid=$!
	tries=0
	until [ -s "$sway_dir/ready" ]; do
		tries=$((tries + 1))
		[ $tries -gt 200 ] || ! running $sway_pid && return 1
		sleep 0.05
	done
	read -r sway_wayland sway_x < "$sway_dir/ready"
}

stop_sway() {
	[ -n "${sway_pid:-}" ] && kill $sway_pid 2> /dev/null && wait $sway_pid 2> /dev/null
	sway_pid=
	stop_xvfb
	[ -n "${sway_dir:-}" ] && rm -rf "$sway_dir"
}

# Runs the program as nobody in the session with the environment given.
# Arguments: a description, the environment, the identifiers.
expect_in_sway() {
	description=$1
	environment=$2
	shift 2
	expect "$description" "$as_nobody $environment $sway_dir/kblayouts" "$@"
}

# Waits until sway's keymap has the groups named, joined by commas, as a
# Wayland client and as an X client of Xwayland, which learns the keymap
# a moment after sway has it.
await_sway_groups() {
	await "sway's keymap" "$1" wayland_group_names $as_nobody WAYLAND_DISPLAY=$sway_wayland &&
		await "Xwayland's keymap" "$1" x_group_names $as_nobody DISPLAY=$sway_x
}

# Sets sway's layouts at run time.
swaymsg_layouts() {
	$as_nobody SWAYSOCK="$(echo "$sway_dir"/sway-ipc.*)" \
		swaymsg "input * xkb_layout \"$1\"" > /dev/null
}
