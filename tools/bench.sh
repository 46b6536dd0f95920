#!/bin/sh
# Times the native program against `setxkbmap -query` on one Xvfb display,
# against /bin/true with no session (reading the machine's configuration), and in a sway session against
# `swaymsg -t get_inputs`, which answers the same question over sway's own
# IPC; and in a GNOME session against `gsettings get` of its input sources,
# which is where the program finds them there; prints the ratios of the
# means.
set -eu
exe=${1:-build/native/kblayouts}
work=$(mktemp -d)
. "$(dirname "$0")/../tests/xvfb.sh"
. "$(dirname "$0")/../tests/sway.sh"
. "$(dirname "$0")/../tests/gnome.sh"
. "$(dirname "$0")/../tests/input_methods.sh"
trap 'stop_input_methods; stop_xvfb; stop_sway; stop_gnome; rm -rf "$work"' EXIT

# Times the commands given, run by the prefix in $prefix, in 20 rounds of
# 50 runs each, so that a machine whose speed drifts within a minute slows
# them all alike; hyperfine's rows of every round go to the CSV $1, which
# must be in a directory the prefix can write. The commands take turns at
# running first, which costs a command about 7% here.
rounds() {
	csv=$1
	shift
	for round in $(seq 20); do
		$prefix hyperfine -N --warmup 5 --runs 50 --export-csv "$csv.$round" "$@" > /dev/null 2>&1
		tail -n +2 "$csv.$round" >> "$csv"
		first=$1
		shift
		set -- "$@" "$first"
	done
	[ "$csv" -ef "$work/${csv##*/}" ] || cp "$csv" "$work"
}

# The mean time of command $2 over that of command $3, numbered as they
# were given to rounds, of $4 commands, in the rounds of CSV $1 in $work.
ratio() {
	awk -F, -v a="$2" -v b="$3" -v n="$4" 'NR <= n { name[NR] = $1 }
		$1 == name[a] { x += $2 } $1 == name[b] { y += $2 }
		END { printf "%.2f", x / y }' "$work/$1"
}

prefix=
start_xvfb
setxkbmap -layout de,fr,us -variant ,,dvorak
rounds "$work/x.csv" "$exe" "setxkbmap -query"
unset DISPLAY
# Without a session, on a machine configured as Debian's installer does.
mkdir "$work/default"
printf 'XKBMODEL="pc105"\nXKBLAYOUT="de,us"\nXKBVARIANT="nodeadkeys,"\nXKBOPTIONS=""\n' \
	> "$work/default/keyboard"
printf 'mount --bind "%s" /etc/default && exec "$@"\n' "$work/default" > "$work/machine.sh"
prefix="unshare --mount sh $work/machine.sh"
rounds "$work/none.csv" "$exe" /bin/true
prefix=
stop_xvfb

start_sway "$exe" de,fr,us ,,dvorak
prefix="$as_nobody WAYLAND_DISPLAY=$sway_wayland SWAYSOCK=$(echo "$sway_dir"/sway-ipc.*)"
rounds "$sway_dir/wayland.csv" "$sway_dir/kblayouts" "swaymsg -t get_inputs" /bin/true
stop_sway

# As a GNOME terminal runs them.
start_gnome "$exe"
start_gnome_shell "$(dirname "$0")/../tests/virtual_keyboard.py"
set_sources "[('xkb','de'),('xkb','fr'),('xkb','us+dvorak')]"
prefix="$as_nobody $gnome_session XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland
	WAYLAND_DISPLAY=$gnome_wayland"
rounds "$gnome_dir/gnome.csv" "$gnome_dir/kblayouts" "gsettings get org.gnome.desktop.input-sources sources"
stop_gnome

# As a terminal in a KDE session with fcitx5, and in an Xfce one with IBus.
start_xvfb
x=$DISPLAY
unset DISPLAY
start_gnome "$exe"
start_fcitx5 Default:keyboard-us,keyboard-de,mozc
prefix="$as_nobody $gnome_session DISPLAY=$x XDG_CURRENT_DESKTOP=KDE XMODIFIERS=@im=fcitx"
rounds "$gnome_dir/fcitx5.csv" "$gnome_dir/kblayouts" "gdbus call --session -d org.fcitx.Fcitx5 -o /controller -m org.fcitx.Fcitx.Controller1.InputMethodGroupInfo Default"
stop_input_methods
start_ibus "['xkb:us::eng', 'xkb:de::ger', 'hangul']"
prefix="$as_nobody $gnome_session DISPLAY=$x XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus"
rounds "$gnome_dir/ibus.csv" "$gnome_dir/kblayouts" "gsettings get org.freedesktop.ibus.general preload-engines"

echo "kblayouts / setxkbmap -query, same display: $(ratio x.csv 1 2 2) (target at most 0.6)"
echo "kblayouts / /bin/true, no display:          $(ratio none.csv 1 2 2) (target at most 1.5)"
echo "kblayouts / swaymsg -t get_inputs, sway:    $(ratio wayland.csv 1 2 3) (target at most 1.3)"
echo "kblayouts / /bin/true, sway:                $(ratio wayland.csv 1 3 3)"
echo "kblayouts / gsettings get, GNOME:           $(ratio gnome.csv 1 2 2) (target at most 1.0)"
echo "kblayouts / gdbus call, fcitx5:             $(ratio fcitx5.csv 1 2 2) (target at most 1.0)"
echo "kblayouts / gsettings get, IBus:            $(ratio ibus.csv 1 2 2) (target at most 1.0)"
