#!/bin/sh
# Creates the Wine prefix $1 with the keyboard layouts of the .reg file $2,
# unless it exists already with those layouts. $WINE is the Wine loader.
set -eu
prefix=$1
layouts=$2
stamp=$prefix/layouts.reg
wine="sh $(dirname "$0")/wine.sh"

if [ -f "$stamp" ] && cmp -s "$layouts" "$stamp"; then
	exit 0
fi
$wine --version
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
$wine wineboot -i
$wine regedit /S "$layouts"
wineserver -w
cp "$layouts" "$stamp"
