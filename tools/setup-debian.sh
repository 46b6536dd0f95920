#!/bin/sh
# Installs on Debian 12 what the sets named as arguments need, and does
# nothing when it is all there already:
#   build     building and running the native program
#   sanitize  its build under the sanitizers, with the fuzzer
#   cross     building the Windows programs
#   wine      running them, with i386 added for 32-bit Wine
#   package   making the .deb and the RPM
#   test      the native program's tests: display servers, desktops, input
#             methods, GoogleTest, the tables' generator, package checks
#   bench     what `make bench` times the program against
# The sets test and bench also need fcitx 4, which runs unpacked from its
# packages into build/fcitx4: its fcitx-data conflicts with fcitx5-table.
set -eu

packages=
fcitx4=
for set in "$@"; do
	case $set in
	test|bench) fcitx4=build/fcitx4 ;;
	esac
	case $set in
	build) packages="$packages make cmake g++ pkg-config libglib2.0-dev libsystemd-dev" ;;
	sanitize) packages="$packages clang libclang-rt-14-dev" ;;
	cross) packages="$packages make cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64" ;;
	wine) packages="$packages wine wine32:i386 wine64" ;;
	package) packages="$packages dpkg-dev rpm" ;;
	test) packages="$packages libgtest-dev googletest strace python3 python3-icu iso-codes
		util-linux procps tini valgrind systemd libxkbcommon-dev libxkbcommon-tools xvfb x11-xkb-utils xkb-data
		sway xwayland weston gnome-shell mutter dbus-x11 dconf-cli libglib2.0-bin
		ibus ibus-hangul python3-gi fcitx5 fcitx5-mozc fcitx5-hangul fcitx5-chinese-addons
		kwin-wayland mandoc man-db lintian dpkg-dev rpm rpmlint" ;;
	bench) packages="$packages hyperfine util-linux procps tini xvfb x11-xkb-utils xkb-data sway xwayland
		gnome-shell mutter dconf-cli libglib2.0-bin python3-gi fcitx5 fcitx5-mozc ibus
		ibus-hangul" ;;
	*) echo "setup: no set $set" >&2; exit 2 ;;
	esac
done

FCITX4_PACKAGES="fcitx-bin fcitx-modules fcitx-module-dbus fcitx-module-x11 fcitx-data
	fcitx-pinyin libfcitx-core0 libfcitx-config4 libfcitx-utils0 libgettextpo0 libpresage1v5
	libtinyxml2.6.2v5"

# Downloads fcitx 4's packages and unpacks them into $fcitx4/root, with the
# links fcitx 4 looks for its files through (FCITXDIR=$fcitx4).
unpack_fcitx4() {
	work=$(mktemp -d)
	trap 'rm -rf "$work"' EXIT
	(cd "$work" && apt-get download -q -o APT::Sandbox::User=root $FCITX4_PACKAGES) ||
		{ apt-get update -q || true; (cd "$work" && apt-get download -q \
			-o APT::Sandbox::User=root $FCITX4_PACKAGES); }
	for package in "$work"/*.deb; do
		dpkg-deb -x "$package" "$work/root"
	done
	rm -rf "$work/root/usr/share/doc" "$work/root/usr/share/locale"
	ln -s root/usr/share "$work/share"
	ln -s root/usr/lib/x86_64-linux-gnu "$work/lib"
	ln -s root/usr/bin "$work/bin"
	rm "$work"/*.deb
	[ -x "$work/bin/fcitx" ] || { echo "setup: cannot unpack fcitx 4" >&2; exit 1; }
	rm -rf "$fcitx4"
	mkdir -p "$(dirname "$fcitx4")"
	mv "$work" "$fcitx4"
	chmod 755 "$fcitx4"
	trap - EXIT
}

missing=
for package in $packages; do
	case " $missing " in *" $package "*) continue ;; esac
	dpkg-query -W -f '${Status}\n' "$package" 2>/dev/null |
		grep -q 'ok installed' || missing="$missing $package"
done
[ -z "$fcitx4" ] || [ -x "$fcitx4/bin/fcitx" ] || missing="$missing (fcitx 4 unpacked)"
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
	echo "setup: run as root to install:$missing" >&2
	exit 1
fi
echo "setup: installing$missing"
missing=${missing% (fcitx 4 unpacked)}
if [ -n "$missing" ]; then
	case $missing in
	*:i386*) dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386 ;;
	esac
	# A mirror in the middle of a sync can fail one index; what matters is
	# whether the install below finds its packages.
	apt-get update -q || true
	export DEBIAN_FRONTEND=noninteractive
	# Without the i386 security index, amd64 and i386 versions of a library can
	# only be matched from the main release.
	apt-get install -y -q --no-install-recommends $missing ||
		apt-get install -y -q --no-install-recommends -t bookworm $missing
fi
[ -z "$fcitx4" ] || [ -x "$fcitx4/bin/fcitx" ] || unpack_fcitx4
