#!/bin/sh
# Installs the build in $1 into a temporary DESTDIR, builds library_host.c
# from the installed header, library and .pc file alone, and checks that
# the library gives the list the program $2 reports: on an X server with
# no session named, in sway, in GNOME's settings, under fcitx5 and IBus,
# and with no session at all; asked once, by 8 threads at a time, from a
# host that uses GLib or libsystemd itself or holds a Wayland socket, with
# bad arguments, under memcheck, and from a setuid host.
set -u
build=$1
exe=$2
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
. "$here/sway.sh"
. "$here/gnome.sh"
. "$here/input_methods.sh"
trap 'stop_input_methods; stop_gnome; stop_sway; stop_xvfb; rm -rf "$work"' EXIT

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr/local > /dev/null
flags=$(PKG_CONFIG_SYSROOT_DIR=$root PKG_CONFIG_PATH=$root/usr/local/lib/pkgconfig \
	pkg-config --cflags --libs kblayouts) ||
	{ echo "FAIL: pkg-config knows no kblayouts"; exit 1; }
cc -std=c99 -D_GNU_SOURCE -Wall -Werror -o "$work/library_host" "$here/library_host.c" \
	$flags -Wl,-rpath,"$root/usr/local/lib" -pthread -ldl ||
	{ echo "FAIL: cannot build library_host.c from the installed files"; exit 1; }
cp "$exe" "$work/kblayouts"
chmod -R a+rX "$work"
mkdir -m 1777 "$work/memcheck"

# The library exports its two functions and their version alone.
exported=$(nm -D --defined-only "$root/usr/local/lib/libkblayouts.so.1" | awk '{ print $3 }' |
	paste -sd' ' -)
[ "$exported" = "KBLAYOUTS_1 kblayouts_klid@@KBLAYOUTS_1 kblayouts_list@@KBLAYOUTS_1" ] &&
	problem= || problem="exports $exported"
verdict "nm -D shows the API alone" "$problem"

memcheck="valgrind -q --leak-check=full --errors-for-leak-kinds=definite --error-exitcode=3
	--log-file=$work/memcheck/%p"

# Runs the program and the host each way given (once, threads, arguments,
# glib, memcheck), after the command prefix given, and checks each report
# against the identifiers. Arguments: a description, the prefix, the ways,
# the identifiers.
both() {
	session=$1
	prefix=$2
	ways=$3
	shift 3
	expect "$session: the program" "$prefix $work/kblayouts" "$@"
	for way in $ways; do
		case $way in
		memcheck) command="$memcheck $work/library_host once" ;;
		*) command="$work/library_host $way" ;;
		esac
		expect "$session: the library, $way" "$prefix $command" "$@"
	done
	if [ -n "$(cat "$work"/memcheck/* 2> /dev/null)" ]; then
		verdict "$session: memcheck" "$(head -c 1500 "$work"/memcheck/*)"
	fi
	rm -f "$work"/memcheck/*
}

all="once threads arguments memcheck"

# No session: the machine's configuration, whatever it names.
env -i PATH=/usr/bin:/bin "$work/kblayouts" > "$work/machine"
set -- $(sed -n 's/^HKL\[[0-9]*\]: \([0-9A-F]*\)\r$/\1/p' "$work/machine")
both "no session" "env -i PATH=/usr/bin:/bin" "$all" "$@"

# A privileged process reads no environment: a setuid copy of the host,
# run by nobody and named a KDE session whose list only root may read,
# answers with the machine's configuration; the same host, not
# privileged, with that list.
mkdir -m 700 "$work/secret"
printf '[Layout]\nUse=true\nLayoutList=ru,fr\n' > "$work/secret/kxkbrc"
cp "$work/library_host" "$work/setuid_host"
chmod 4755 "$work/setuid_host"
kde="env -i PATH=/usr/bin:/bin XDG_CURRENT_DESKTOP=KDE XDG_CONFIG_HOME=$work/secret"
expect "a setuid host run by nobody" \
	"setpriv --reuid=nobody --regid=nogroup --clear-groups $kde $work/setuid_host secure" "$@"
expect "the same host, not privileged" "$kde $work/library_host once" 04190419 040C040C

start_sway "$exe" ru,us ,dvorak || { echo "FAIL: cannot start sway"; exit 1; }
await_sway_groups "Russian,English (Dvorak)"
both "sway" "$as_nobody WAYLAND_DISPLAY=$sway_wayland" "once threads socket" 04190419 F0020409
stop_sway

start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
setxkbmap -layout de,fr,us -variant ,,dvorak
both "X" "env -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP DISPLAY=$DISPLAY" "$all" \
	04070407 040C040C F0020409
x=$DISPLAY
unset DISPLAY

start_gnome "$exe" || { echo "FAIL: cannot start the session's buses"; exit 1; }
in_session="$as_nobody $gnome_session DISPLAY=$x"
set_key org.gnome.desktop.input-sources sources "[('xkb', 'de'), ('xkb', 'us+dvorak')]"
both "GNOME's settings" "$in_session XDG_CURRENT_DESKTOP=GNOME" "$all glib" 04070407 F0020409

start_fcitx5 "Default:keyboard-us,keyboard-de,mozc"
both "fcitx5" "$in_session XDG_CURRENT_DESKTOP=KDE XMODIFIERS=@im=fcitx" \
	"once threads systemd memcheck" \
	04090409 04070407 04110411
stop_input_methods

start_ibus "['xkb:us::eng', 'xkb:de::ger', 'hangul']"
both "IBus" "$in_session XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus GTK_IM_MODULE=ibus" \
	"once threads glib memcheck" 04090409 04070407 04120412

finish library
