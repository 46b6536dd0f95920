#!/bin/sh
# Runs a Windows program under the Wine loader $WINE, or reports the test
# skipped (77) on a machine that cannot start that loader at all: a kernel
# without 32-bit support cannot start Wine's 32-bit one.
if ! "$WINE" --version > /dev/null 2>&1; then
	echo "SKIPPED: this machine cannot start $WINE"
	exit 77
fi
exec "$WINE" "$@"
