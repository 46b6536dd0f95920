# Starts input method frameworks (fcitx5, fcitx 4 unpacked in $FCITX4,
# IBus, or fcitx5 under KWin) in a session that start_gnome (gnome.sh)
# has set up, as the user nobody, on the X display $x, as a desktop
# session starts them; stop_input_methods stops them.

# Writes fcitx5's profile for groups given as
# "NAME:ITEM,ITEM/NAME:ITEM", the current group first. The groups stand in
# the file in the opposite order, as fcitx5 itself may write them: the
# current one is the one [GroupOrder] names first.
write_fcitx5_profile() {
	profile=$gnome_dir/home/.config/fcitx5/profile
	mkdir -p "${profile%/*}"
	: > "$profile"
	echo "$1" | tr '/' '\n' | tac | {
		group=0
		while IFS=: read -r name items; do
			printf '[Groups/%d]\nName=%s\nDefault Layout=us\nDefaultIM=\n\n' $group "$name"
			item=0
			for im in $(echo "$items" | tr ',' ' '); do
				printf '[Groups/%d/Items/%d]\nName=%s\nLayout=\n\n' $group $item "$im"
				item=$((item + 1))
			done
			group=$((group + 1))
		done
	} >> "$profile"
	echo "$1" | tr '/' '\n' | cut -d: -f1 | awk '{ print NR - 1 "=" $0 }' |
		{ echo '[GroupOrder]'; cat; } >> "$profile"
	chown -R nobody:nogroup "$gnome_dir/home"
}

# The keymap a test sets before it starts a framework: one that no
# framework here sets, so that a change shows the framework has set its
# own.
before_framework() {
	DISPLAY=$x setxkbmap -layout lt
}

# The current group of the fcitx5 that answers on the bus, as
# write_fcitx5_profile takes one: "NAME:ITEM,ITEM".
fcitx5_group() {
	controller="$as_nobody $gnome_session gdbus call --session -d org.fcitx.Fcitx5
		-o /controller -m org.fcitx.Fcitx.Controller1"
	group=$($controller.CurrentInputMethodGroup | sed "s/^('\(.*\)',)\$/\1/")
	$controller.InputMethodGroupInfo "$group" | grep -o "('[^']*', '[^']*')" |
		sed "s/^('\([^']*\)'.*/\1/" | paste -sd, - | sed "s/^/$group:/"
}

# Starts fcitx5 with the groups given, as write_fcitx5_profile takes them,
# and waits until it answers with the current one and has set the X
# keymap to its layout, us.
start_fcitx5() {
	write_fcitx5_profile "$1"
	before_framework
	launch_framework DISPLAY=$x setsid fcitx5 \
		--disable=wayland,waylandim,classicui,kimpanel,notificationitem,fcitx4frontend,clipboard,notifications
	await_owner org.fcitx.Fcitx5 &&
		await "fcitx5 answers with its group" "${1%%/*}" fcitx5_group &&
		await "fcitx5 sets the keymap" us x_layouts env DISPLAY=$x
}

# Starts fcitx 4 from its packages unpacked in $gnome_dir/fcitx4, with the
# input methods given ("fcitx-keyboard-us,pinyin") enabled in that order
# and no other, and waits until it answers with them on the session bus
# and has set the X keymap. It starts a bus of its own too, in a session
# of that bus's own. The X keymap must be us: fcitx 4 would enable the
# keymap's layout first were it another that the list lacks. It puts the
# first input method's layout, a keyboard without a variant, before us.
start_fcitx4() {
	profile=$gnome_dir/home/.config/fcitx/profile
	mkdir -p "${profile%/*}"
	enabled=$(echo "$1" | sed 's/,/:True,/g; s/$/:True/')
	for other in pinyin shuangpin; do
		case ,$1, in *,$other,*) ;; *) enabled=$enabled,$other:False ;; esac
	done
	printf '[Profile]\nEnabledIMList=%s\n' "$enabled" > "$profile"
	chown -R nobody:nogroup "$gnome_dir/home"
	fcitx4=$gnome_dir/fcitx4
	launch_framework DISPLAY=$x FCITXDIR=$fcitx4 LD_LIBRARY_PATH=$fcitx4/lib \
		setsid "$fcitx4/bin/fcitx" -D -s0
	first=${1%%,*}
	[ "$first" = fcitx-keyboard-us ] && keymap=us || keymap=${first#fcitx-keyboard-}+us:2
	await_owner "org.fcitx.Fcitx-${x#:}" &&
		await "fcitx 4 answers with its list" "$1" fcitx4_enabled &&
		await "fcitx 4 sets the keymap" "$keymap" x_layouts env DISPLAY=$x
}

# The input methods fcitx 4 lists as enabled, in its order.
fcitx4_enabled() {
	$as_nobody $gnome_session gdbus call --session -d "org.fcitx.Fcitx-${x#:}" \
		-o /inputmethod -m org.freedesktop.DBus.Properties.Get \
		org.fcitx.Fcitx.InputMethod IMList | grep -o "'[^']*', '[^']*', true)" |
		sed "s/^'\([^']*\)'.*/\1/" | paste -sd, -
}

# The address of fcitx 4's own bus, from its address file.
fcitx4_own_bus() {
	cat "$gnome_dir"/home/.config/fcitx/dbus/*-"${x#:}" | tr '\0' '\n' | head -n 1
}

# Starts KWin, headless on the Wayland display kde-test, with KWin itself
# starting fcitx5, with the groups given, as its input method, and waits
# until fcitx5 answers; kwinrc names
# fcitx5's .desktop file, as KDE's settings write it. KWin runs from a copy
# of its binary, named as KWin needs: the installed one carries a file
# capability, which a process that changed its user may not gain.
start_kwin() {
	write_fcitx5_profile "$1"
	printf '[Wayland]\nInputMethod=/usr/share/applications/org.fcitx.Fcitx5.desktop\n' \
		> "$gnome_dir/home/.config/kwinrc"
	cp /usr/bin/kwin_wayland "$gnome_dir/kwin_wayland"
	chown -R nobody:nogroup "$gnome_dir/home" "$gnome_dir/kwin_wayland"
	launch_framework setsid "$gnome_dir/kwin_wayland" --virtual --no-lockscreen \
		--socket kde-test --inputmethod \
		'fcitx5 --disable=classicui,kimpanel,notificationitem,fcitx4frontend,clipboard,notifications'
	await_owner org.fcitx.Fcitx5 &&
		await "fcitx5 answers with its group" "${1%%/*}" fcitx5_group
}

# Sets IBus's engines, given as "['xkb:us::eng', 'hangul']", the first a
# keyboard, and starts its daemon; waits until it has written its address
# file and its panel has set the X keymap to the first engine's layout.
start_ibus() {
	set_key org.freedesktop.ibus.general preload-engines "$1" || return 1
	before_framework
	launch_framework DISPLAY=$x setsid ibus-daemon --xim
	first=$(echo "$1" | sed "s/^\['\([^']*\)'.*/\1/")
	layout=$(echo "$first" | cut -d: -f2)
	variant=$(echo "$first" | cut -d: -f3)
	await_owner org.freedesktop.IBus &&
		await "IBus writes its address file" $im_pid ibus_address_pid &&
		await "IBus's panel sets the keymap" "$layout${variant:+($variant)}" \
			x_layouts env DISPLAY=$x
}

# The process that IBus's address file for the X display names.
ibus_address_pid() {
	sed -n 's/^IBUS_DAEMON_PID=//p' "$gnome_dir"/home/.config/ibus/bus/*-unix-"${x#:}"
}

# Whether a program owns the bus name $1.
owned() {
	$as_nobody $gnome_session gdbus call --session -d org.freedesktop.DBus \
		-o /org/freedesktop/DBus -m org.freedesktop.DBus.NameHasOwner "$1" 2> /dev/null |
		grep -q true
}

# Waits for the bus name $1 to be owned, for at most 30 seconds, while the
# framework runs.
await_owner() {
	tries=0
	until owned "$1"; do
		tries=$((tries + 1))
		if [ $tries -gt 600 ] || ! running $im_pid; then
			verdict "$1 is owned" "never"
			return 1
		fi
		sleep 0.05
	done
}

# Starts a framework, the command given after any variables of its own,
# as nobody in the session, and notes what ran before it.
launch_framework() {
	test_processes > "$work/before_framework"
	$as_nobody $gnome_session "$@" > /dev/null 2>&1 &
	im_pid=$!
}

# Stops the framework and whatever it started, in its process group or
# outside it (fcitx 4's bus and its watcher run in sessions of their own),
# and waits until all of it has ended: a process left from one row could
# answer or change the keymap in the next.
stop_input_methods() {
	[ -n "${im_pid:-}" ] || return 0
	end_processes_since "$work/before_framework"
	wait $im_pid 2> /dev/null || :
	im_pid=
}
