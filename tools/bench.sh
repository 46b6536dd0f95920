#!/bin/sh
# Times the native program in each kind of session against the tool a user
# would otherwise run there, in the same session: `setxkbmap -query` on an
# Xvfb display; /bin/true with no session (the machine's configuration);
# `swaymsg -t get_inputs` in sway; `gsettings get` of the input sources in
# GNOME, with and without the input method variables gnome-session sets
# where IBus is installed; `fcitx5-remote -n` and a `gdbus call` of the
# current group in a KDE session with fcitx5; a `gdbus call` of fcitx 4's
# list in an Xfce session with fcitx 4; `ibus engine` and `gsettings get`
# of its engines in an Xfce session with IBus; and in each of these
# sessions, one in-process call of the library's kblayouts_list against a
# run of the program, and one of kblayouts_active against one of
# kblayouts_list. Prints the ratios of the means. Given a second program, an earlier build, it
# times that too in the same rounds and prints its ratios beside.
set -eu
exe=${1:-build/native/kblayouts}
before=${2:-}
work=$(mktemp -d)
. "$(dirname "$0")/../tests/checks.sh"
. "$(dirname "$0")/../tests/processes.sh"
. "$(dirname "$0")/../tests/xvfb.sh"
. "$(dirname "$0")/../tests/sway.sh"
. "$(dirname "$0")/../tests/gnome.sh"
. "$(dirname "$0")/../tests/input_methods.sh"
trap 'stop_input_methods; stop_xvfb; stop_sway; stop_gnome; rm -rf "$work"' EXIT

# Times the programs, at $program and, given one, $before_program, and the
# peers given, run by the prefix in $prefix, in 20 rounds of 50 runs each,
# so that a machine whose speed drifts within a minute slows them all
# alike; hyperfine's rows of every round go to the CSV $1, which must be in
# a directory the prefix can write. The commands take turns at running
# first, which costs a command about 7% here.
rounds() {
	csv=$1
	shift
	set -- "$program" ${before:+"$before_program"} "$@"
	for round in $(seq 20); do
		$prefix hyperfine -N --warmup 5 --runs 50 --export-csv "$csv.$round" "$@" > /dev/null 2>&1
		tail -n +2 "$csv.$round" >> "$csv"
		first=$1
		shift
		set -- "$@" "$first"
	done
	[ "$csv" -ef "$work/${csv##*/}" ] || cp "$csv" "$work"
}

# The mean time of the program over that of the peer command $2, in the
# rounds of CSV $1 in $work; with an earlier build, that build's beside.
# The first round's rows name the program, then the earlier build.
ratio() {
	awk -F, -v peer="$2" -v earlier="$before" '
		NR == 1 { program = $1 } NR == 2 && earlier != "" { before = $1 }
		$1 == program { x += $2 } $1 == before { b += $2 } $1 == peer { y += $2 }
		END { printf "%.2f", x / y; if (before != "") printf " (before: %.2f)", b / y }' "$work/$1"
}

# Copies the programs where the user nobody may run them.
copy_for_nobody() {
	cp "$exe" "$1/kblayouts"
	program=$1/kblayouts
	if [ -n "$before" ]; then
		cp "$before" "$1/kblayouts-before"
		before_program=$1/kblayouts-before
	fi
	chown nobody:nogroup "$1"/kblayouts*
}

# One in-process call of kblayouts_list over one run of the program, and
# one of kblayouts_active over one of kblayouts_list, in the session the
# prefix runs them in; the program's mean from the CSV $1 in $work, the
# calls' from library_bench.c, built beside the library and copied with it
# into the folder $2. Appends a line, named $3, to $work/in_process.
in_process() {
	cp "$work/library_bench" "$(dirname "$exe")/libkblayouts.so.1" "$2"
	chown nobody:nogroup "$2/library_bench" "$2/libkblayouts.so.1"
	calls=$($prefix "$2/library_bench" 1000)
	awk -F, -v calls="$calls" -v name="$3" '
		NR == 1 { program = $1 } $1 == program { x += $2; n++ }
		END { split(calls, call, " ")
			printf "%-8s list / run %.3f (%.1f us a call, %.0f us a run); active / list %.2f (%.1f us; target at most 1.5)\n",
				name, call[1] / (x / n), call[1] * 1e6, x / n * 1e6, call[2] / call[1],
				call[2] * 1e6 }' "$work/$1" >> "$work/in_process"
}

cc -O2 -o "$work/library_bench" "$(dirname "$0")/library_bench.c" \
	-I "$(dirname "$0")/../library" -L "$(dirname "$exe")" -lkblayouts -Wl,-rpath,'$ORIGIN'
program=$exe
before_program=$before
prefix=
start_xvfb
setxkbmap -layout de,fr,us -variant ,,dvorak
rounds "$work/x.csv" "setxkbmap -query"
mkdir -m 755 "$work/x"
in_process x.csv "$work/x" X
unset DISPLAY
# Without a session, on a machine configured as Debian's installer does.
mkdir "$work/default"
printf 'XKBMODEL="pc105"\nXKBLAYOUT="de,us"\nXKBVARIANT="nodeadkeys,"\nXKBOPTIONS=""\n' \
	> "$work/default/keyboard"
printf 'mount --bind "%s" /etc/default && exec "$@"\n' "$work/default" > "$work/machine.sh"
prefix="unshare --mount sh $work/machine.sh"
rounds "$work/none.csv" /bin/true
prefix=
stop_xvfb

start_sway "$exe" de,fr,us ,,dvorak
copy_for_nobody "$sway_dir"
prefix="$as_nobody WAYLAND_DISPLAY=$sway_wayland SWAYSOCK=$(echo "$sway_dir"/sway-ipc.*)"
rounds "$sway_dir/wayland.csv" "swaymsg -t get_inputs" /bin/true
in_process wayland.csv "$sway_dir" sway
stop_sway

# As a GNOME terminal runs them; gnome-shell starts ibus-daemon.
start_gnome "$exe"
copy_for_nobody "$gnome_dir"
start_gnome_shell "$(dirname "$0")/../tests/virtual_keyboard.py"
set_sources "[('xkb','de'),('xkb','fr'),('xkb','us+dvorak')]"
gnome="$as_nobody $gnome_session XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
	WAYLAND_DISPLAY=$gnome_wayland"
gsettings_sources="gsettings get org.gnome.desktop.input-sources sources"
prefix=$gnome
rounds "$gnome_dir/gnome.csv" "$gsettings_sources"
in_process gnome.csv "$gnome_dir" GNOME
prefix="$gnome XMODIFIERS=@im=ibus QT_IM_MODULE=ibus"
rounds "$gnome_dir/gnome-ibus.csv" "$gsettings_sources"
stop_gnome

# As a terminal in a KDE session with fcitx5, and in an Xfce one with IBus.
start_xvfb
x=$DISPLAY
unset DISPLAY
start_gnome "$exe"
copy_for_nobody "$gnome_dir"
start_fcitx5 Default:keyboard-us,keyboard-de,mozc
prefix="$as_nobody $gnome_session DISPLAY=$x XDG_CURRENT_DESKTOP=KDE XMODIFIERS=@im=fcitx"
rounds "$gnome_dir/fcitx5.csv" "fcitx5-remote -n" \
	"gdbus call --session -d org.fcitx.Fcitx5 -o /controller -m org.fcitx.Fcitx.Controller1.InputMethodGroupInfo Default"
in_process fcitx5.csv "$gnome_dir" fcitx5
stop_input_methods
cp -a build/fcitx4 "$gnome_dir/fcitx4"
DISPLAY=$x setxkbmap -layout us
start_fcitx4 fcitx-keyboard-us,pinyin,fcitx-keyboard-de
prefix="$as_nobody $gnome_session DISPLAY=$x XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=fcitx"
fcitx4_list="gdbus call --session -d org.fcitx.Fcitx-${x#:} -o /inputmethod -m org.freedesktop.DBus.Properties.Get org.fcitx.Fcitx.InputMethod IMList"
rounds "$gnome_dir/fcitx4.csv" "$fcitx4_list"
in_process fcitx4.csv "$gnome_dir" "fcitx 4"
stop_input_methods
start_ibus "['xkb:us::eng', 'xkb:de::ger', 'hangul']"
prefix="$as_nobody $gnome_session DISPLAY=$x XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus"
rounds "$gnome_dir/ibus.csv" "ibus engine" "gsettings get org.freedesktop.ibus.general preload-engines"
in_process ibus.csv "$gnome_dir" IBus

echo "kblayouts / setxkbmap -query, same display:   $(ratio x.csv "setxkbmap -query") (target at most 0.5)"
echo "kblayouts / /bin/true, no display:            $(ratio none.csv /bin/true) (target at most 1.2)"
echo "kblayouts / swaymsg -t get_inputs, sway:      $(ratio wayland.csv "swaymsg -t get_inputs") (target at most 1.0)"
echo "kblayouts / /bin/true, sway:                  $(ratio wayland.csv /bin/true)"
echo "kblayouts / gsettings get, GNOME:             $(ratio gnome.csv "$gsettings_sources") (target at most 1.0)"
echo "kblayouts / gsettings get, GNOME with IBus's variables: $(ratio gnome-ibus.csv "$gsettings_sources") (target at most 1.0)"
echo "kblayouts / fcitx5-remote -n, fcitx5:         $(ratio fcitx5.csv "fcitx5-remote -n") (target at most 1.0)"
echo "kblayouts / gdbus call, fcitx5:               $(ratio fcitx5.csv "gdbus call --session -d org.fcitx.Fcitx5 -o /controller -m org.fcitx.Fcitx.Controller1.InputMethodGroupInfo Default") (target at most 0.6)"
echo "kblayouts / gdbus call, fcitx 4:             $(ratio fcitx4.csv "$fcitx4_list") (target at most 0.6)"
echo "kblayouts / ibus engine, IBus:                $(ratio ibus.csv "ibus engine") (target at most 1.0)"
echo "kblayouts / gsettings get, IBus:              $(ratio ibus.csv "gsettings get org.freedesktop.ibus.general preload-engines") (target at most 1.5)"
echo "In process, a library call:"
cat "$work/in_process"
