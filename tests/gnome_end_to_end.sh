#!/bin/sh
# Runs the native program in GNOME sessions, as a GNOME terminal would
# run it: first with GNOME's settings alone (its buses, no shell), then in
# gnome-shell itself, headless on Wayland with a virtual keyboard, changing
# the input sources with gsettings. Checks each report byte for byte.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
. "$here/gnome.sh"
trap 'stop_gnome; stop_xvfb; rm -rf "$work"' EXIT

start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
setxkbmap -layout us
x=$DISPLAY
unset DISPLAY
start_gnome "$exe" || { echo "FAIL: cannot start the session's buses"; exit 1; }
empty=$gnome_dir/empty
mkdir "$empty"

# Runs the program in the session with the environment given.
expect_in_gnome() {
	description=$1
	environment=$2
	shift 2
	expect "$description" "$as_nobody $gnome_session $environment $gnome_dir/kblayouts" "$@"
}

# One case a line: where it runs ("alone" with the settings alone, "shell"
# in gnome-shell, or both), the session's XDG_CURRENT_DESKTOP, more of its
# environment, the input sources to set ("=" keeps the last ones, "reset"
# leaves them never set, "dconf:" writes a value of another type), and the
# identifiers expected.
cat > "$work/cases" <<END
both|GNOME||[('xkb','us')]|04090409
both|GNOME||[('xkb','de'),('xkb','fr'),('xkb','us+dvorak')]|04070407 040C040C F0020409
both|ubuntu:GNOME||=|04070407 040C040C F0020409
both|GNOME-Classic:GNOME||=|04070407 040C040C F0020409
alone|GNOME|DISPLAY=$x|=|04070407 040C040C F0020409
alone|KDE|DISPLAY=$x|=|04090409
alone|GNOMEish||=|
both|GNOME|LANG=de_DE.UTF-8|[('xkb','ru'),('xkb','se')]|04190419 041D041D
both|GNOME||[('xkb','us'),('xkb','de'),('xkb','fr'),('xkb','ru'),('xkb','it')]|04090409 04070407 040C040C 04190419 04100410
both|GNOME||reset|04090409
both|GNOME||[('xkb','de'),('ibus','hangul'),('ibus','m17n:nl:x')]|04070407 04120412 04130413
both|GNOME||[('ibus','no-such-engine'),('xkb','no-such-layout'),('other','de')]|04090409
both|GNOME||[('xkb','epo'),('xkb','brai'),('ibus','m17n:yue:x'),('xkb','epo+legacy'),('ibus','m17n:xx:y'),('xkb','brai')]|20002000 24002400 28002800 F0C02000 2C002C00
alone|GNOME|GIO_MODULE_DIR=$empty GSETTINGS_BACKEND=dconf|=|04090409
alone|GNOME||dconf:'de'|04090409
alone|GNOME|GSETTINGS_SCHEMA_DIR=$empty XDG_DATA_DIRS=$empty|=|
END

run_cases() {
	while IFS='|' read -r where desktop environment sources identifiers; do
		[ "$where" = both ] || [ "$where" = "$1" ] || continue
		[ "$sources" = = ] || set_sources "$sources"
		description="$1, $desktop, ${environment:+$environment, }$sources"
		expect_in_gnome "$description" \
			"XDG_CURRENT_DESKTOP=$desktop $2 $environment" $identifiers
	done < "$work/cases"
}

run_cases alone ""
start_gnome_shell "$here/virtual_keyboard.py" || { echo "FAIL: cannot start gnome-shell"; exit 1; }
shell="XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=$gnome_wayland"
run_cases shell "$shell"

# Where the desktop is not GNOME, the list is the shell's keymap: the
# group of at most three sources that holds the current one, and the
# locale's layout, which the shell sets a moment after the setting. The
# current source is the one before, where the new list has it, else its
# first; the shell may have skipped some of the settings above, so it
# first gets a list none of whose sources is in the next.
set_sources "[('xkb','se')]"
keymap="wayland_group_names $as_nobody $gnome_session $shell"
await "gnome-shell sets its keymap" "Swedish,English (US)" $keymap &&
	set_sources "[('xkb','de'),('xkb','fr'),('xkb','us+dvorak'),('xkb','ru')]" &&
	await "gnome-shell sets its keymap" "German,French,English (Dvorak),English (US)" $keymap &&
	expect_in_gnome "shell, KDE: the keymap" "XDG_CURRENT_DESKTOP=KDE $shell" \
		04070407 040C040C F0020409 04090409

finish end-to-end
