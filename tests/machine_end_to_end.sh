#!/bin/sh
# Runs the native program with no session named, as from a text console or
# an SSH login, on machines whose keyboard configuration is given by a
# table: each machine is a copy of /etc, bound over it in a private mount
# namespace. Needs root; checks each report byte for byte.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
trap 'rm -rf "$work"' EXIT

[ "$(id -u)" = 0 ] || { echo "SKIP: a mount namespace needs root"; exit 77; }
cp -a /etc "$work/etc"
mkdir -p "$work/etc/X11/xorg.conf.d"

# Writes $2 into the copy's file $1, with printf's escapes; "-" leaves the
# file out, "FIFO" makes it a named pipe nobody writes.
machine_file() {
	rm -f "$work/etc/$1"
	case $2 in
	-) ;;
	FIFO) mkfifo "$work/etc/$1" ;;
	*) printf '%b' "$2" > "$work/etc/$1" ;;
	esac
}

program() {
	unshare --mount sh -c 'mount --bind "$1" /etc && exec env -i "$2"' sh "$work/etc" "$exe"
}

long=$(head -c 30000 /dev/zero | tr '\0' x)
longer=$(head -c 70000 /dev/zero | tr '\0' x)
many=$(seq 70 | sed 's/.*/us/' | paste -sd, -)

# One machine a line: /etc/default/keyboard, /etc/vconsole.conf,
# /etc/X11/xorg.conf.d/00-keyboard.conf, and the identifiers expected.
while IFS='|' read -r default vconsole xorg identifiers; do
	machine_file default/keyboard "$default"
	machine_file vconsole.conf "$vconsole"
	machine_file X11/xorg.conf.d/00-keyboard.conf "$xorg"
	report $identifiers > "$work/expected"
	run
	check_run "keyboard $default, vconsole $vconsole, xorg $(echo "$xorg" | cut -c1-60)" \
		"$work/expected"
done <<END
XKBMODEL="pc105"\nXKBLAYOUT="de,us"\nXKBVARIANT="nodeadkeys,"\nXKBOPTIONS=""\n|-|-|04070407 04090409
XKBLAYOUT=fr,us\n|-|-|040C040C 04090409
-|KEYMAP=us\nXKBLAYOUT=us,ru\nXKBVARIANT=dvorak,\n|-|F0020409 04190419
-|-|Section "InputClass"\n\tIdentifier "system-keyboard"\n\tMatchIsKeyboard "on"\n\tOption "XkbLayout" "pl"\nEndSection\n|04150415
-|KEYMAP=de-latin1-nodeadkeys\n|-|04070407
XKBLAYOUT=""\n|XKBLAYOUT=it|Section "InputClass"\n\tOption "XkbLayout" "pl"\nEndSection\n|04100410
-|-|Section "InputDevice"\n\tOption "XkbLayout" "de"\nEndSection\nSection "InputClass"\n\toption "xkb_layout" "fr"\nEndSection\n|040C040C
# XKBLAYOUT=ru\nXKBLAYOUT="de"\n  XKBLAYOUT='fr' # ru\n|-|-|040C040C
XKBLAYOUT='de',"us"\nexport XKBVARIANT=",dvorak"|-|-|04070407 F0020409
XKBMODEL=$long\nXKBLAYOUT=de\n|-|-|04070407
XKBLAYOUT=de\nXKBLAYOUT=$longer|-|-|
XKBLAYOUT="d\0e,\0303\0274,de"\n|-|-|20002000 24002400 04070407
XKBLAYOUT=no-such-layout,,de\n|-|-|20002000 04070407
XKBLAYOUT=$many|-|-|04090409 $(seq 192 254 | xargs printf 'F0%02X0409 ')
-|KEYMAP=no-such-keymap\n|-|
FIFO|FIFO|FIFO|
-|-|-|
END

finish end-to-end
