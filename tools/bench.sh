#!/bin/sh
# Times the native program against `setxkbmap -query` on one Xvfb display,
# against /bin/true with no display, and in a sway session against
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
trap 'stop_xvfb; stop_sway; stop_gnome; rm -rf "$work"' EXIT

# The mean time of the command in row $2 over the one in row $3 of
# hyperfine's CSV $1.
ratio() {
	awk -F, -v a="$2" -v b="$3" 'NR == a + 1 { x = $2 } NR == b + 1 { y = $2 }
		END { printf "%.2f", x / y }' "$1"
}

runs="-N --warmup 50 --runs 1000"
start_xvfb
setxkbmap -layout de,fr,us -variant ,,dvorak
hyperfine $runs --export-csv "$work/x.csv" "$exe" "setxkbmap -query"
unset DISPLAY
hyperfine $runs --export-csv "$work/none.csv" "$exe" /bin/true
stop_xvfb

start_sway "$exe" de,fr,us ,,dvorak
$as_nobody WAYLAND_DISPLAY="$sway_wayland" SWAYSOCK="$(echo "$sway_dir"/sway-ipc.*)" \
	hyperfine $runs --export-csv "$sway_dir/wayland.csv" \
	"$sway_dir/kblayouts" "swaymsg -t get_inputs" /bin/true
cp "$sway_dir/wayland.csv" "$work"
stop_sway

# As a GNOME terminal runs them.
start_gnome "$exe"
start_gnome_shell "$(dirname "$0")/../tests/virtual_keyboard.py"
set_sources "[('xkb','de'),('xkb','fr'),('xkb','us+dvorak')]"
$as_nobody $gnome_session XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_TYPE=wayland \
	WAYLAND_DISPLAY=$gnome_wayland hyperfine $runs --export-csv "$gnome_dir/gnome.csv" \
	"$gnome_dir/kblayouts" "gsettings get org.gnome.desktop.input-sources sources"
cp "$gnome_dir/gnome.csv" "$work"

echo "kblayouts / setxkbmap -query, same display: $(ratio "$work/x.csv" 1 2) (target at most 0.6)"
echo "kblayouts / /bin/true, no display:          $(ratio "$work/none.csv" 1 2) (target at most 1.5)"
echo "kblayouts / swaymsg -t get_inputs, sway:    $(ratio "$work/wayland.csv" 1 2) (target at most 1.3)"
echo "kblayouts / /bin/true, sway:                $(ratio "$work/wayland.csv" 1 3)"
echo "kblayouts / gsettings get, GNOME:           $(ratio "$work/gnome.csv" 1 2) (target at most 1.0)"
