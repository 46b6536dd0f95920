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

# The library exports its three functions and their versions alone.
exported=$(nm -D --defined-only "$root/usr/local/lib/libkblayouts.so.1" | awk '{ print $3 }' |
	paste -sd' ' -)
[ "$exported" = "KBLAYOUTS_1 KBLAYOUTS_1.1 kblayouts_active@@KBLAYOUTS_1.1 kblayouts_klid@@KBLAYOUTS_1 kblayouts_list@@KBLAYOUTS_1" ] &&
	problem= || problem="exports $exported"
verdict "nm -D shows the API alone" "$problem"

# The index of the layout in use of sway's first keyboard with layouts.
sway_in_use() {
	$as_nobody SWAYSOCK="$sway_socket" swaymsg -r -t get_inputs | python3 -c 'import json, sys
print(next(i for i in json.load(sys.stdin) if i.get("xkb_layout_names"))["xkb_active_layout_index"])'
}

# Holds an input context of the framework "$@" names with the focus, as
# input_context.py does, until release_context.
hold_context() {
	: > "$work/context"
	$in_session /usr/bin/python3 "$here/input_context.py" "$@" >> "$work/context" 2> /dev/null &
	context=$!
	await_line "$work/context" $context || { verdict "$1 takes an input context" "never"; false; }
}

release_context() {
	kill $context
	wait $context 2> /dev/null
}

# The names of the fakes that own one on the session bus, which a bus
# under load hands on to the next fake only some time after its owner
# has ended.
bus_fakes() {
	$in_session gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus \
		-m org.freedesktop.DBus.ListNames | grep -o "'\(org.fcitx\|org.deepin\|com.deepin\|org.kde\)[^']*'"
}

# Locks XKB's group $1 on the X server, as a desktop's switcher does.
lock_group() {
	python3 -c 'import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x.XOpenDisplay(None))
x.XkbLockGroup(display, 0x100, int(sys.argv[1]))
x.XSync(display, 0)
x.XCloseDisplay(display)' "$1"
}

# Starts the fake "$@" (a command line), waits until it says it is
# ready, and asks the host for the layout in use with the prefix $prefix;
# the identifier expected is $expected. The file it says so in is emptied
# first: the fake's shell may empty it only after the wait has begun.
ask_fake() {
	: > "$work/ready"
	"$@" >> "$work/ready" 2> /dev/null &
	fake=$!
	await_line "$work/ready" $fake || verdict "$description" "the fake never got ready"
	expect "$description" "$prefix $work/library_host active" $expected
	kill $fake
	wait $fake 2> /dev/null
}

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

# The layout in use: the one switched to on sway's IPC socket, and as fake
# sockets tell it, which give the first where they fail.
sway_socket=$(echo "$sway_dir"/sway-ipc.*)
$as_nobody SWAYSOCK="$sway_socket" swaymsg input type:keyboard xkb_switch_layout 1 > /dev/null
await "sway switches to the second layout" 1 sway_in_use &&
	expect "sway, the second layout in use" \
		"$as_nobody WAYLAND_DISPLAY=$sway_wayland SWAYSOCK=$sway_socket $work/library_host active" \
		F0020409
while read -r way expected; do
	description="sway's IPC, $way: the layout in use"
	prefix="$as_nobody WAYLAND_DISPLAY=$sway_wayland SWAYSOCK=$sway_dir/fake-$way"
	ask_fake $as_nobody python3 "$here/fake_sway_ipc.py" $way "$sway_dir/fake-$way"
done <<-END
valid F0020409
stall 04190419
huge-length 04190419
cut-short 04190419
deep 04190419
out-of-range 04190419
negative 04190419
string 04190419
many-layouts 04190419
END
stop_sway

start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
setxkbmap -layout de,fr,us -variant ,,dvorak
both "X" "env -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP DISPLAY=$DISPLAY" "$all" \
	04070407 040C040C F0020409
# The group locked is the layout in use; in KDE's list, whose keymap may
# hold part of it, the same layout.
for group in 2:F0020409 1:040C040C; do
	lock_group ${group%:*}
	expect "X, group ${group%:*} locked: the layout in use" \
		"env -u WAYLAND_DISPLAY -u XDG_CURRENT_DESKTOP $work/library_host active" ${group#*:}
done
mkdir "$work/kde"
printf '[Layout]\nUse=true\nLayoutList=ru,fr,de\n' > "$work/kde/kxkbrc"
lock_group 0
expect "KDE on X11, group 0 locked: the layout in use" \
	"env XDG_CURRENT_DESKTOP=KDE XDG_CONFIG_HOME=$work/kde $work/library_host active" 04070407
x=$DISPLAY
unset DISPLAY

start_gnome "$exe" || { echo "FAIL: cannot start the session's buses"; exit 1; }
in_session="$as_nobody $gnome_session DISPLAY=$x"
set_key org.gnome.desktop.input-sources sources "[('xkb', 'de'), ('xkb', 'us+dvorak')]"
both "GNOME's settings" "$in_session XDG_CURRENT_DESKTOP=GNOME" "$all glib" 04070407 F0020409
set_key org.gnome.desktop.input-sources mru-sources \
	"[('xkb', 'fr'), ('xkb', 'us+dvorak'), ('xkb', 'de')]"
expect "GNOME's settings: the layout in use" \
	"$in_session XDG_CURRENT_DESKTOP=GNOME $work/library_host active" F0020409

# Fake fcitx5, fcitx 4 and dde-daemon on the session bus: the way, the
# session's variables and the layout in use expected. fcitx 4 serves
# display 0.
fcitx="XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=fcitx"
while IFS="|" read -r way variables expected; do
	description="a fake on the bus, $way: the layout in use"
	prefix="$in_session $variables"
	ask_fake $as_nobody $gnome_session /usr/bin/python3 "$here/fake_daemons.py" $way
	await "the fake $way leaves the bus" "" bus_fakes
done <<-END
valid|$fcitx|04110411
full|$fcitx|040C040C
unknown-current|$fcitx|04070407
wrong-current|$fcitx|04070407
fcitx4|$fcitx DISPLAY=:0|08040804
dde|XDG_CURRENT_DESKTOP=DDE|04070407
dde-v20|XDG_CURRENT_DESKTOP=Deepin|F0020409
dde-unknown-current|XDG_CURRENT_DESKTOP=DDE|04090409
dde-wrong-current|XDG_CURRENT_DESKTOP=DDE|04090409
END

# A fake KWin keyboard service beside a fake compositor of German and
# French.
for way in kde:040C040C kde-wrong-type:04070407 kde-out-of-range:04070407; do
	: > "$work/compositor"
	$as_nobody python3 "$here/fake_wayland.py" two-groups "$gnome_dir/fake-wayland" \
		>> "$work/compositor" &
	compositor=$!
	await_line "$work/compositor" $compositor || verdict "$way" "no fake compositor"
	description="a fake KWin, ${way%:*}: the layout in use"
	prefix="$in_session XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=$gnome_dir/fake-wayland"
	expected=${way#*:}
	ask_fake $as_nobody $gnome_session /usr/bin/python3 "$here/fake_daemons.py" ${way%:*}
	await "the fake ${way%:*} leaves the bus" "" bus_fakes
	kill $compositor 2> /dev/null
	wait $compositor 2> /dev/null
done

start_fcitx5 "Default:keyboard-us,keyboard-de,mozc"
both "fcitx5" "$in_session XDG_CURRENT_DESKTOP=KDE XMODIFIERS=@im=fcitx" \
	"once threads systemd memcheck" \
	04090409 04070407 04110411
# With no input context, fcitx5 names no current input method; with one
# that has the focus, the one switched to.
fcitx5="$in_session XDG_CURRENT_DESKTOP=KDE XMODIFIERS=@im=fcitx"
expect "fcitx5 with no input context: the layout in use" "$fcitx5 $work/library_host active" \
	04090409
if hold_context fcitx5; then
	$in_session fcitx5-remote -s keyboard-de > /dev/null 2>&1
	await "fcitx5 switches" keyboard-de $in_session fcitx5-remote -n &&
		expect "fcitx5, switched: the layout in use" "$fcitx5 $work/library_host active" 04070407
fi
release_context
stop_input_methods

# fcitx 4 names its first input method current until it is switched,
# which with no input context it puts off until one has the focus.
cp -a "$FCITX4" "$gnome_dir/fcitx4"
DISPLAY=$x setxkbmap -layout us
start_fcitx4 fcitx-keyboard-us,pinyin,fcitx-keyboard-de
fcitx4="$in_session XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=fcitx"
expect "fcitx 4: the layout in use" "$fcitx4 $work/library_host active" 04090409
hold_context fcitx4 "${x#:}" &&
	$in_session gdbus call --session -d "org.fcitx.Fcitx-${x#:}" -o /inputmethod \
		-m org.fcitx.Fcitx.InputMethod.SetCurrentIM pinyin > /dev/null &&
	await "fcitx 4 switches" "('pinyin',)" $in_session gdbus call --session \
		-d "org.fcitx.Fcitx-${x#:}" -o /inputmethod -m org.fcitx.Fcitx.InputMethod.GetCurrentIM &&
	expect "fcitx 4, switched: the layout in use" "$fcitx4 $work/library_host active" 08040804
release_context
stop_input_methods

# KWin with two layouts and no input method serves the layout in use on
# the session bus; the one switched to there.
printf '[Layout]\nUse=true\nLayoutList=us,de\n' > "$gnome_dir/home/.config/kxkbrc"
printf '[Wayland]\nVirtualKeyboardEnabled=false\n' > "$gnome_dir/home/.config/kwinrc"
cp /usr/bin/kwin_wayland "$gnome_dir/kwin_wayland"
chown -R nobody:nogroup "$gnome_dir/home" "$gnome_dir/kwin_wayland"
launch_framework setsid "$gnome_dir/kwin_wayland" --virtual --no-lockscreen --socket kde-test
layouts="$in_session gdbus call --session -d org.kde.keyboard -o /Layouts -m org.kde.KeyboardLayouts"
if await_owner org.kde.keyboard; then
	$layouts.setLayout 1 > /dev/null
	await "KWin switches" "(uint32 1,)" $layouts.getLayout &&
		expect "KWin, switched: the layout in use" \
			"$in_session XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=kde-test $work/library_host active" \
			04070407
fi
stop_input_methods

start_ibus "['xkb:us::eng', 'xkb:de::ger', 'hangul']"
both "IBus" "$in_session XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus GTK_IM_MODULE=ibus" \
	"once threads glib memcheck" 04090409 04070407 04120412
$in_session ibus engine hangul > /dev/null 2>&1
await "IBus switches" hangul $in_session ibus engine &&
	expect "IBus, switched: the layout in use" \
		"$in_session XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus $work/library_host active" \
		04120412

finish library
