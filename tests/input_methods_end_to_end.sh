#!/bin/sh
# Runs the native program in X sessions with an input method framework,
# fcitx5 or IBus, or a desktop that keeps its own list in GSettings
# (Cinnamon, Budgie, Pantheon, Unity, GNOME), as their terminals would run
# it, and checks each report byte for byte. The frameworks are the real
# daemons, as nobody on a private bus; the desktops' lists are their
# settings alone.
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
start_gnome "$exe" || { echo "FAIL: cannot start the session's buses"; exit 1; }
[ -x "${FCITX4:-}/bin/fcitx" ] ||
	{ echo "FAIL: no fcitx 4 in '${FCITX4:-}': make test's set-up unpacks it"; exit 1; }
cp -a "$FCITX4" "$gnome_dir/fcitx4"
# Cinnamon's schema, which Debian does not ship, beside the installed ones.
schemas=$gnome_dir/schemas
mkdir "$schemas"
cp "$here/org.cinnamon.desktop.input-sources.gschema.xml" "$schemas"
glib-compile-schemas "$schemas"
chown -R nobody:nogroup "$schemas"

fcitx="XMODIFIERS=@im=fcitx QT_IM_MODULE=fcitx GTK_IM_MODULE=fcitx"
kde="XDG_CURRENT_DESKTOP=KDE $fcitx"
xfce="XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus GTK_IM_MODULE=ibus"

# Sets "gnome:VALUE" or "cinnamon:VALUE" as the desktop's input sources,
# and waits until they read back.
set_setting() {
	set_key "org.${1%%:*}.desktop.input-sources" sources "${1#*:}"
}

# A machine without libsystemd, whose sd-bus the program asks the bus
# through: the library is hidden in a mount namespace of the program's own.
printf 'mount --bind /dev/null "%s" && exec "$@"\n' \
	"$(ldconfig -p | awk '/libsystemd.so.0 / { print $NF; exit }')" > "$work/no_libsystemd.sh"

# IBus address files that tell nothing: one of a process that is not
# IBus's, one of a process that has ended, and a named pipe.
printf 'IBUS_ADDRESS=unix:path=/x\nIBUS_DAEMON_PID=1\n' > "$work/address-init"
printf 'IBUS_ADDRESS=unix:path=/x\nIBUS_DAEMON_PID=4194304\n' > "$work/address-ended"
mkfifo "$work/address-fifo"
chmod 755 "$work"

# What the row started, where no framework runs: a name owned on the bus,
# or a process, such as a daemon the bus starts (which runs before it owns
# its name) or the bus dbus-launch starts for an autolaunch: address.
started_since_row() {
	owned org.fcitx.Fcitx5 || owned org.freedesktop.IBus && echo "a name is owned"
	processes_since "$work/before_row" | cut -d' ' -f2 | sed 's/$/ was started/'
}

# The check above sees a daemon the bus starts: a call that lets it start
# fcitx5.
test_processes > "$work/before_row"
$as_nobody $gnome_session gdbus call --session --timeout 10 -d org.fcitx.Fcitx5 \
	-o /controller -m org.freedesktop.DBus.Peer.Ping > /dev/null 2>&1
started=$(started_since_row | paste -sd, -)
case ,$started, in
*",fcitx5 was started,"*) verdict "a started daemon is seen" "" ;;
*) verdict "a started daemon is seen" "not seen: $started" ;;
esac
end_processes_since "$work/before_row"

# One case a line: the framework that runs ("fcitx5" with its groups, the
# current one first, "fcitx4" with its input methods, "ibus" with its
# engines, "=" the last one still, "-" none), more of the session's
# environment (first "no-libsystemd" for a machine without it), the
# desktop's input sources to set, if any, and the identifiers expected.
# Where no framework runs the keymap is us; fcitx5 sets it to its group's
# layout, us, IBus's panel to its first engine's, and fcitx 4 puts its
# first input method's before us.
while IFS='|' read -r framework argument environment setting identifiers; do
	case $environment in
	no-libsystemd*) prefix="unshare --mount sh $work/no_libsystemd.sh" ;;
	*) prefix= ;;
	esac
	if [ "$framework" != = ]; then
		stop_input_methods
		case $framework in
		fcitx5) start_fcitx5 "$argument" ;;
		fcitx4) DISPLAY=$x setxkbmap -layout us; start_fcitx4 "$argument" ;;
		ibus) start_ibus "$argument" ;;
		-) DISPLAY=$x setxkbmap -layout us ;;
		esac || verdict "$framework $argument" "cannot start it"
	fi
	[ -z "$setting" ] || set_setting "$setting"
	test_processes > "$work/before_row"
	expect "$framework $argument, $environment, $setting" \
		"$prefix $as_nobody $gnome_session DISPLAY=$x ${environment#no-libsystemd} $gnome_dir/kblayouts" \
		$identifiers
	[ "$framework" != - ] ||
		verdict "$environment, nothing started" "$(started_since_row | paste -sd, -)"
done <<END
fcitx5|Default:keyboard-us,keyboard-de,mozc|$kde||04090409 04070407 04110411
fcitx5|Chinese:keyboard-de-nodeadkeys,pinyin,hangul/Default:keyboard-us|$kde||04070407 08040804 04120412
fcitx5|Default:keyboard-us-dvorak,keyboard-fr,keyboard-ru,keyboard-tw|$kde||F0020409 040C040C 04190419 04040404
=||no-libsystemd $kde||04090409
=||XDG_CURRENT_DESKTOP=GNOME INPUT_METHOD=fcitx5|gnome:[('xkb','de')]|F0020409 040C040C 04190419 04040404
=||XDG_CURRENT_DESKTOP=GNOME XMODIFIERS=@im=ibus QT_IM_MODULE=ibus||F0020409 040C040C 04190419 04040404
=||XDG_CURRENT_DESKTOP=KDE GSETTINGS_SCHEMA_DIR=$schemas|gnome:[('xkb','de')]|04090409
-||$kde||04090409
-||$kde DBUS_SESSION_BUS_ADDRESS=autolaunch:||04090409
ibus|['xkb:us::eng', 'xkb:de::ger', 'hangul']|$xfce||04090409 04070407 04120412
ibus|['xkb:us:dvorak:eng', 'xkb:ca::fra', 'xkb:jp::jpn']|$xfce||F0020409 10090C0C 04110411
=||no-libsystemd $xfce||F0020409 10090C0C 04110411
=||$xfce IBUS_ADDRESS_FILE=$work/address-init||F0020409 10090C0C 04110411
=||$xfce IBUS_ADDRESS_FILE=$work/address-ended||F0020409 10090C0C 04110411
=||no-libsystemd $xfce IBUS_ADDRESS_FILE=$work/address-fifo||F0020409
=||XDG_CURRENT_DESKTOP=GNOME XMODIFIERS=@im=ibus|gnome:[('xkb','fr')]|040C040C
-||$xfce||04090409
-||XDG_CURRENT_DESKTOP=X-Cinnamon GSETTINGS_SCHEMA_DIR=$schemas|cinnamon:[('xkb','fr'),('xkb','de'),('xkb','us'),('xkb','ru'),('xkb','it')]|040C040C 04070407 04090409 04190419 04100410
-||XDG_CURRENT_DESKTOP=X-Cinnamon GSETTINGS_SCHEMA_DIR=$schemas|cinnamon:[('xkb','se'),('ibus','hangul')]|041D041D 04120412
-||XDG_CURRENT_DESKTOP=X-Cinnamon GSETTINGS_SCHEMA_DIR=$schemas|cinnamon:[]|04090409
-||XDG_CURRENT_DESKTOP=X-Cinnamon|cinnamon:[('xkb','fr')]|04090409
-||XDG_CURRENT_DESKTOP=Budgie|gnome:[('xkb','fr'),('xkb','de')]|040C040C 04070407
-||XDG_CURRENT_DESKTOP=Pantheon|gnome:[('xkb','fr'),('ibus','hangul')]|040C040C 04120412
-||XDG_CURRENT_DESKTOP=Unity:Unity7:ubuntu|gnome:[('xkb','ru'),('xkb','us+dvorak')]|04190419 F0020409
-||XDG_CURRENT_DESKTOP=GNOME|gnome:[('ibus','xkb:us:dvorak:eng'),('ibus','xkb:ca::fra')]|F0020409 10090C0C
fcitx4|fcitx-keyboard-us,pinyin,fcitx-keyboard-de|XDG_CURRENT_DESKTOP=XFCE $fcitx||04090409 08040804 04070407
=||XDG_CURRENT_DESKTOP=GNOME $fcitx|gnome:[('xkb','fr')]|04090409 08040804 04070407
=||$kde||04090409 08040804 04070407
=||$kde DBUS_SESSION_BUS_ADDRESS=unix:path=$work/no-bus||04090409 08040804 04070407
=||no-libsystemd $kde||04090409
=||XDG_CURRENT_DESKTOP=XFCE XMODIFIERS=@im=ibus||04090409
=||$kde INPUT_METHOD=fcitx5 XMODIFIERS= QT_IM_MODULE= GTK_IM_MODULE=||04090409
fcitx4|fcitx-keyboard-fr,fcitx-keyboard-us-dvorak,fcitx-keyboard-ru|$kde||040C040C F0020409 04190419
END

# fcitx 4's own bus, named to its clients, with neither a session bus nor
# the address file.
expect "fcitx 4 on the bus FCITX_DBUS_ADDRESS names" \
	"$as_nobody DISPLAY=$x $kde XDG_CONFIG_HOME=$work FCITX_DBUS_ADDRESS=$(fcitx4_own_bus)
		$gnome_dir/kblayouts" 040C040C F0020409 04190419
expect "FCITX_DBUS_ADDRESS of no bus: the keymap fcitx 4 set" \
	"$as_nobody $gnome_session DISPLAY=$x $kde FCITX_DBUS_ADDRESS=unix:path=$work/no-bus $gnome_dir/kblayouts" \
	040C040C 04090409

finish end-to-end
