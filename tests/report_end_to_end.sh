#!/bin/sh
# Runs the Windows program under Wine, in the prefix made from layouts.reg,
# with standard output to a file and to a pipe and with arguments of every
# kind, and checks the report byte for byte.
set -u
exe=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0
failed=0

# The locale's own layout (C gives US English), then the keys of
# layouts.reg in key order.
printf '%s\r\n' 'GetKeyboardLayoutList nCount: 7' \
	'HKL[0]: 04090409' 'HKL[1]: 00000407' 'HKL[2]: 0000040C' \
	'HKL[3]: 00000809' 'HKL[4]: 0000100C' 'HKL[5]: F0020409' \
	'HKL[6]: F014041F' > "$work/expected"

verdict() {
	if [ -n "$2" ]; then
		echo "FAIL $1: $2"
		failed=$((failed + 1))
	else
		passed=$((passed + 1))
	fi
}

# Checks the status, standard output and standard error of the last run.
check() {
	problem=
	[ "$(cat "$work/status")" = 0 ] || problem="exit status $(cat "$work/status")"
	cmp -s "$work/out" "$work/expected" || problem="$problem; report differs:
$(od -c "$work/out" | head -20)"
	[ -s "$work/err" ] && problem="$problem; standard error: $(head -c 300 "$work/err")"
	verdict "$1" "$problem"
}

run_with() {
	description=$1
	shift
	wine "$exe" "$@" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	check "to a file, $description"

	{ wine "$exe" "$@" 2> "$work/err"; echo $? > "$work/status"; } | cat > "$work/out"
	check "to a pipe, $description"
}

many=$(seq 1 300)
long=$(head -c 20000 /dev/zero | tr '\0' 'x')

run_with "no arguments"
run_with "help options" /? -h --help /help -?
run_with "an empty argument" ""
run_with "quotes, spaces and backslashes" 'two words' '"quoted"' 'back\slash\' "it's"
run_with "wildcards" '*' '*.*' '?'
run_with "non-ASCII" 'é' 'Ünïcödé' '日本語'
run_with "300 arguments" $many
run_with "a 20000-character argument" "$long"

# Seven short lines fit the 512-byte buffer: a file gets them in one write.
if command -v strace > /dev/null; then
	strace -f -qq -e trace=write -e signal=none -o "$work/trace" \
		wine "$exe" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	check "to a file under strace"
	# Wine hands standard output to the program under another descriptor.
	writes=$(grep -cE 'write\([0-9]+, "(GetKeyboardLayoutList|HKL\[)' "$work/trace")
	[ "$writes" = 1 ] && problem= || problem="$writes writes to standard output"
	verdict "one write-out to a file" "$problem"
fi

echo "end to end: $passed passed, $failed failed"
[ "$failed" = 0 ]
