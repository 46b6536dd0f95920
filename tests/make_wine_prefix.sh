#!/bin/sh
# Creates the Wine prefix $1 with the keyboard layouts of the .reg file $2,
# unless it exists already with those layouts.
set -eu
prefix=$1
layouts=$2
stamp=$prefix/layouts.reg

if [ -f "$stamp" ] && cmp -s "$layouts" "$stamp"; then
	exit 0
fi
rm -rf "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i
wine regedit /S "$layouts"
wineserver -w
cp "$layouts" "$stamp"
