#!/bin/sh
# Installs what building, running and testing kblayouts needs on Debian 12,
# and does nothing when it is all there already.
set -eu

packages="make cmake g++ pkg-config libgtest-dev googletest strace python3 python3-icu util-linux
libxcb1-dev libxau-dev libxdmcp-dev libxcb-xkb-dev libwayland-dev libxkbcommon-dev xvfb x11-xkb-utils xkb-data iso-codes
hyperfine sway xwayland weston libxkbcommon-tools
libglib2.0-dev libsystemd-dev libglib2.0-bin gnome-shell mutter dbus-x11 dconf-cli ibus ibus-hangul python3-gi
fcitx5 fcitx5-mozc fcitx5-hangul fcitx5-chinese-addons systemd kwin-wayland
clang libclang-rt-14-dev mandoc man-db lintian dpkg-dev
g++-mingw-w64-i686 g++-mingw-w64-x86-64 wine wine32:i386 wine64"

missing=
for package in $packages; do
	dpkg-query -W -f '${Status}\n' "$package" 2>/dev/null |
		grep -q 'ok installed' || missing="$missing $package"
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" != 0 ]; then
	echo "setup: run as root to install:$missing" >&2
	exit 1
fi
echo "setup: installing$missing"
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
# A mirror in the middle of a sync can fail one index; what matters is
# whether the install below finds its packages.
apt-get update -q || true
export DEBIAN_FRONTEND=noninteractive
# Without the i386 security index, amd64 and i386 versions of a library can
# only be matched from the main release.
apt-get install -y -q --no-install-recommends $missing ||
	apt-get install -y -q --no-install-recommends -t bookworm $missing
