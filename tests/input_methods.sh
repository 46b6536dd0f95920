# Starts input method frameworks in a session that start_gnome (gnome.sh)
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

# Starts fcitx5 with the groups given, as write_fcitx5_profile takes them.
start_fcitx5() {
	write_fcitx5_profile "$1"
	$as_nobody $gnome_session DISPLAY=$x setsid fcitx5 \
		--disable=wayland,waylandim,classicui,kimpanel,notificationitem,fcitx4frontend,clipboard,notifications \
		> /dev/null 2>&1 &
	im_pid=$!
	await_owner org.fcitx.Fcitx5
}

# Starts KWin, headless on the Wayland display kde-test, with KWin itself
# starting fcitx5, with the groups given, as its input method; kwinrc names
# fcitx5's .desktop file, as KDE's settings write it. KWin runs from a copy
# of its binary, named as KWin needs: the installed one carries a file
# capability, which a process that changed its user may not gain.
start_kwin() {
	write_fcitx5_profile "$1"
	printf '[Wayland]\nInputMethod=/usr/share/applications/org.fcitx.Fcitx5.desktop\n' \
		> "$gnome_dir/home/.config/kwinrc"
	cp /usr/bin/kwin_wayland "$gnome_dir/kwin_wayland"
	chown -R nobody:nogroup "$gnome_dir/home" "$gnome_dir/kwin_wayland"
	$as_nobody $gnome_session setsid "$gnome_dir/kwin_wayland" --virtual --no-lockscreen \
		--socket kde-test --inputmethod \
		'fcitx5 --disable=classicui,kimpanel,notificationitem,fcitx4frontend,clipboard,notifications' \
		> /dev/null 2>&1 &
	im_pid=$!
	await_owner org.fcitx.Fcitx5
}

# Sets IBus's engines, given as "['xkb:us::eng', 'hangul']", and starts
# its daemon.
start_ibus() {
	$as_nobody $gnome_session gsettings set org.freedesktop.ibus.general preload-engines "$1"
	$as_nobody $gnome_session DISPLAY=$x setsid ibus-daemon --xim > /dev/null 2>&1 &
	im_pid=$!
	await_owner org.freedesktop.IBus
}

# Whether a program owns the bus name $1.
owned() {
	$as_nobody $gnome_session gdbus call --session -d org.freedesktop.DBus \
		-o /org/freedesktop/DBus -m org.freedesktop.DBus.NameHasOwner "$1" 2> /dev/null |
		grep -q true
}

# Waits for the bus name $1 to be owned, for at most 10 seconds.
await_owner() {
	tries=0
	until owned "$1"; do
		tries=$((tries + 1))
		[ $tries -gt 200 ] || ! kill -0 $im_pid 2> /dev/null && return 1
		sleep 0.05
	done
}

stop_input_methods() {
	[ -n "${im_pid:-}" ] && { kill -- -$im_pid 2> /dev/null; wait $im_pid 2> /dev/null || :; }
	im_pid=
}
