#!/bin/sh
# Installs on Debian 12 what the sets named as arguments need, and does
# nothing when it is all there already:
#   build     building and running the native program
#   sanitize  its build under the sanitizers, with the fuzzer
#   cross     building the Windows programs
#   wine      running them, with i386 added for 32-bit Wine
#   package   making the .deb
#   test      the native program's tests: display servers, desktops, input
#             methods, GoogleTest, the tables' generator, package checks
#   bench     what `make bench` times the program against
set -eu

packages=
for set in "$@"; do
	case $set in
	build) packages="$packages make cmake g++ pkg-config
		libxcb1-dev libxau-dev libxdmcp-dev libxcb-xkb-dev libglib2.0-dev libsystemd-dev" ;;
	sanitize) packages="$packages clang libclang-rt-14-dev" ;;
	cross) packages="$packages make cmake g++-mingw-w64-i686 g++-mingw-w64-x86-64" ;;
	wine) packages="$packages wine wine32:i386 wine64" ;;
	package) packages="$packages dpkg-dev" ;;
	test) packages="$packages libgtest-dev googletest strace python3 python3-icu iso-codes
		util-linux systemd libxkbcommon-dev libxkbcommon-tools xvfb x11-xkb-utils xkb-data
		sway xwayland weston gnome-shell mutter dbus-x11 dconf-cli libglib2.0-bin
		ibus ibus-hangul python3-gi fcitx5 fcitx5-mozc fcitx5-hangul fcitx5-chinese-addons
		kwin-wayland mandoc man-db lintian dpkg-dev" ;;
	bench) packages="$packages hyperfine util-linux xvfb x11-xkb-utils xkb-data sway xwayland
		gnome-shell mutter dconf-cli libglib2.0-bin python3-gi fcitx5 fcitx5-mozc ibus
		ibus-hangul" ;;
	*) echo "setup: no set $set" >&2; exit 2 ;;
	esac
done

missing=
for package in $packages; do
	case " $missing " in *" $package "*) continue ;; esac
	dpkg-query -W -f '${Status}\n' "$package" 2>/dev/null |
		grep -q 'ok installed' || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
	echo "setup: run as root to install:$missing" >&2
	exit 1
fi
echo "setup: installing$missing"
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
