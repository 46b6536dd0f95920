#!/bin/sh
# Runs the Windows program under Wine, in the prefix made from layouts.reg,
# with standard output to a file and to a pipe and with arguments of every
# kind, and checks the report byte for byte.
set -u
exe=$1
here=$(dirname "$0")
sh "$here/wine.sh" --version || exit
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/checks.sh"

# The locale's own layout (C gives US English), then the keys of
# layouts.reg in key order.
report 04090409 00000407 0000040C 00000809 0000100C F0020409 F014041F \
	> "$work/expected"

program() {
	"$WINE" "$exe" "$@"
}

check_arguments

# Seven short lines fit the 512-byte buffer: a file gets them in one write.
strace -f -qq -e trace=write -e signal=none -o "$work/trace" \
	"$WINE" "$exe" > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "to a file under strace" "$work/expected"
# Wine hands standard output to the program under another descriptor.
writes=$(grep -cE 'write\([0-9]+, "(GetKeyboardLayoutList|HKL\[)' "$work/trace")
[ "$writes" = 1 ] && problem= || problem="$writes writes to standard output"
verdict "one write-out to a file" "$problem"

finish end-to-end
