#!/bin/sh
# Runs the native program in KDE Plasma sessions as Konsole would run it:
# on X11, where kxkbrc lists the layouts and KDE's keyboard daemon puts
# only the first ones in the keymap, with good and bad files; and on
# Wayland, with the real KWin starting fcitx5 as its input method, which
# no variable names. Checks each report byte for byte.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
. "$here/gnome.sh"
. "$here/input_methods.sh"
trap 'stop_input_methods; stop_gnome; stop_xvfb; rm -rf "$work"' EXIT

start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
x=$DISPLAY
unset DISPLAY
# The keymap KDE's daemon sets for the spare layouts' first two.
setxkbmap -display "$x" -layout us,de
start_gnome "$exe" || { echo "FAIL: cannot start the session's buses"; exit 1; }
user=$gnome_dir/home/.config
system=$gnome_dir/xdg
mkdir -p "$user" "$system"
chown nobody:nogroup "$user" "$system"

# Writes kxkbrc in the folder $1 from $2, with printf's escapes; "-"
# leaves it out, and FIFO, DIR and UNREADABLE put a named pipe, a folder
# or a file nobody may read in its place.
kxkbrc() {
	rm -rf "$1/kxkbrc"
	case $2 in
	-) ;;
	FIFO) mkfifo "$1/kxkbrc" ;;
	DIR) mkdir "$1/kxkbrc" ;;
	UNREADABLE) printf '[Layout]\nUse=true\nLayoutList=fr\n' > "$1/kxkbrc" && chmod 000 "$1/kxkbrc" ;;
	*) printf '%b' "$2" > "$1/kxkbrc" ;;
	esac
}

long=$(head -c 300000 /dev/zero | tr '\0' a)
many=$(seq 200 | sed 's/.*/us/' | paste -sd, -)
on=[Layout]\\nUse=true\\n

# One case a line: the user's kxkbrc, the system's, and the identifiers
# expected. The keymap is us,de: 04090409 04070407.
while IFS='|' read -r mine theirs identifiers; do
	kxkbrc "$user" "$mine"
	kxkbrc "$system" "$theirs"
	report $identifiers > "$work/expected"
	$as_nobody DISPLAY=$x XDG_CURRENT_DESKTOP=KDE XDG_CONFIG_DIRS=$system \
		"$gnome_dir/kblayouts" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	check_run "kxkbrc $(printf '%.60s' "$mine"), system $theirs" "$work/expected"
done <<END
${on}LayoutList=us,de,fr,ru,gb\nVariantList=,,,,\nLayoutLoopCount=2\n|-|04090409 04070407 040C040C 04190419 08090809
${on}LayoutList=us,de,fr,ru,it\nVariantList=dvorak,,,,\nLayoutLoopCount=2\n|-|F0020409 04070407 040C040C 04190419 04100410
${on}LayoutList=us(dvorak),ch(fr)\n|-|F0020409 100C100C
[Layout]\nUse=false\nLayoutList=fr\n|-|04090409 04070407
[Layout]\nLayoutList=fr\n|-|04090409 04070407
${on}LayoutList=\n|-|04090409 04070407
-|-|04090409 04070407
[Layout]\nLayoutList=de\n|${on}LayoutList=fr\n|04070407
[Layout]\nLayoutList=de\n|[Layout][\$i]\nUse=true\nLayoutList=fr\n|040C040C
${on}LayoutList=fr\n|[\$i]\n[Layout]\nUse=false\n|04090409 04070407
${on}LayoutList=us,d\\\\x65,f\\\\,r\n|-|04090409 04070407 20002000
${on}LayoutList=fr\n[Other]\nLayoutList=ru\n[Layout]\nLayoutList=it\nLayoutList[de]=ru\n|-|04100410
${on}LayoutList=it\n[Other\nLayoutList=ru\n|-|04190419
${on}LayoutList=$many\n|-|04090409 $(seq 192 254 | xargs printf 'F0%02X0409 ')
${on}LayoutList=us,de\nVariantList=dvorak,nodeadkeys,x,y\n|-|F0020409 04070407
${on}LayoutList=us,de,fr\nVariantList=dvorak\n|-|F0020409 04070407 040C040C
${on}LayoutList=fr,d\0e,\0377\0376\n$long\n|-|040C040C 20002000 24002400
$long\n${on}LayoutList=fr\n|-|04090409 04070407
FIFO|-|04090409 04070407
DIR|-|04090409 04070407
UNREADABLE|-|04090409 04070407
END

# KWin starts fcitx5, which sets KWin's keymap to its group's layout
# alone, us.
kxkbrc "$user" -
if start_kwin Default:keyboard-de,keyboard-fr,mozc; then
	kde="XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=kde-test"
	expect "KWin starts fcitx5" "$as_nobody $gnome_session $kde $gnome_dir/kblayouts" \
		04070407 040C040C 04110411
	printf '[Wayland]\nInputMethod=org.fcitx.Fcitx5.desktop\nVirtualKeyboardEnabled=false\n' \
		> "$user/kwinrc"
	await "KWin's keymap" "English (US)" wayland_group_names $as_nobody $kde &&
		expect "KWin with no input method: the keymap" \
			"$as_nobody $gnome_session $kde $gnome_dir/kblayouts" 04090409
else
	verdict "KWin starts fcitx5" "cannot start it"
fi

finish end-to-end
