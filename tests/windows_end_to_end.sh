#!/bin/sh
# Runs the Windows program under Wine, in the prefix made from layouts.reg,
# with standard output to a file, a pipe and a terminal and with arguments
# of every kind, and checks the report byte for byte and its writes.
set -u
exe=$1
here=$(dirname "$0")
sh "$here/wine.sh" --version > /dev/null || exit
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$here/checks.sh"

# The locale's own layout (C gives US English), then each key of
# layouts.reg in key order, as Wine makes its identifier: the key, or with
# a "Layout Id" F000 + that id in the high word.
identifiers() {
	awk -F'\\' '/^\[/ { key = substr($NF, 1, 8); keys[key] = key }
		/^"Layout Id"/ { split($0, v, "\""); keys[key] = "F" substr(v[4], 2) substr(key, 5) }
		END { for (k in keys) print k, keys[k] }' "$here/layouts.reg" | sort | cut -d' ' -f2
}
report 04090409 $(identifiers) > "$work/expected"

# The report's lines as strace shows written bytes, one a line.
shown_lines() {
	tr -d '\r' < "$1" | sed 's/$/\\r\\n/'
}

program() {
	"$WINE" "$exe" "$@"
}

check_arguments

# A file gets the report in write-outs of the 512-byte buffer, in which a
# line end counts as one byte: whole lines, as many as fit.
strace -f -qq -s 1024 -e trace=write -e signal=none -o "$work/trace" \
	"$WINE" "$exe" > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "to a file under strace" "$work/expected"
tr -d '\r' < "$work/expected" | awk '{ n = length($0) + 1
	if (used + n > 512) { print wire; used = wire = 0 }
	used += n; wire += n + 1 } END { print wire }' > "$work/want"
# Wine hands standard output to the program under another descriptor.
grep -E 'write\([0-9]+, "(GetKeyboardLayoutList|HKL\[)' "$work/trace" |
	sed 's/.*, \([0-9]*\)) *= .*/\1/' > "$work/got"
cmp -s "$work/got" "$work/want" && problem= || problem="write sizes $(echo $(cat "$work/got"))"
verdict "write-outs of whole lines to a file" "$problem"

# On a terminal each line is its own write, which Wine passes to its
# console as one request of the program's.
script -qec "strace -f -qq -s 1024 -e trace=writev -e signal=none -o $work/trace $WINE $exe" \
	/dev/null < /dev/null > /dev/null 2> "$work/err"
program=$(grep -m 1 'iov_base="GetKeyboardLayoutList' "$work/trace" | cut -d' ' -f1)
grep "^$program " "$work/trace" |
	grep -oE 'iov_base="(GetKeyboardLayoutList|HKL\[)[^"]*"' |
	sed 's/^iov_base="//; s/"$//' > "$work/got"
shown_lines "$work/expected" > "$work/want"
cmp -s "$work/got" "$work/want" && problem= || problem="writes were:
$(head -5 "$work/got")"
verdict "a terminal gets one write a line" "$problem"

finish end-to-end
