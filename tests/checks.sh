# The verdicts of the end-to-end scripts. A run leaves its exit status, its
# standard output and its standard error in $work/status, out and err.
passed=0
failed=0

verdict() {
	if [ -n "$2" ]; then
		printf 'FAIL %s: %s\n' "$1" "$2"
		failed=$((failed + 1))
	else
		passed=$((passed + 1))
	fi
}

# Checks that the last run exited with 0 and wrote nothing on standard
# error, and, given a file, that its standard output was that file's bytes.
check_run() {
	problem=
	status=$(cat "$work/status")
	[ "$status" = 0 ] || problem="exit status $status"
	if [ $# -gt 1 ] && ! cmp -s "$work/out" "$2"; then
		problem="$problem; the report differs
  expected:
$(shown "$2")
  came out:
$(shown "$work/out")"
	fi
	[ -s "$work/err" ] && problem="$problem; standard error: $(head -c 300 "$work/err")"
	verdict "$1" "$problem"
}

# A report's first lines, indented, each CR shown as \r.
shown() {
	head -c 2000 "$1" | sed 's/\r/\\r/g; s/^/    /'
	[ -s "$1" ] || echo '    (nothing)'
}

# The report for the identifiers given as arguments.
report() {
	printf 'GetKeyboardLayoutList nCount: %d\r\n' $#
	index=0
	for hkl in "$@"; do
		printf 'HKL[%d]: %s\r\n' $index "$hkl"
		index=$((index + 1))
	done
}

# Runs the function "program" with the arguments given, standard output to
# a file.
run() {
	program "$@" > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
}

# Runs the function "program" with the arguments after the first to a file
# and to a pipe, expecting the report in $work/expected.
run_with() {
	description=$1
	shift
	run "$@"
	check_run "to a file, $description" "$work/expected"

	{ program "$@" 2> "$work/err"; echo $? > "$work/status"; } | cat > "$work/out"
	check_run "to a pipe, $description" "$work/expected"
}

# Arguments of every kind are ignored.
check_arguments() {
	run_with "no arguments"
	run_with "help options" /? -h --help /help -?
	run_with "an empty argument" ""
	run_with "quotes, spaces and backslashes" 'two words' '"quoted"' 'back\slash\' "it's"
	run_with "wildcards" '*' '*.*' '?'
	run_with "non-ASCII" 'é' 'Ünïcödé' '日本語'
	run_with "300 arguments" $(seq 1 300)
	run_with "a 20000-character argument" "$(head -c 20000 /dev/zero | tr '\0' x)"
}

# Runs the command given, one word list, once, and checks its report
# against the report of the identifiers after it. Arguments: a
# description, the command, the identifiers.
expect() {
	description=$1
	command=$2
	shift 2
	report "$@" > "$work/expected"
	$command > "$work/out" 2> "$work/err"
	echo $? > "$work/status"
	check_run "$description" "$work/expected"
}

# Waits, for at most 30 seconds, until the command after the first two
# arguments prints the second: the state a row needs, such as a keymap a
# daemon applies some time after it starts. Fails the first, what is
# awaited, where it never comes.
await() {
	what=$1
	wanted=$2
	shift 2
	tries=0
	until [ "$("$@" 2> /dev/null)" = "$wanted" ]; do
		tries=$((tries + 1))
		if [ $tries -gt 300 ]; then
			verdict "$what" "never came: wanted '$wanted', last '$("$@" 2>&1 | head -c 300)'"
			return 1
		fi
		sleep 0.1
	done
}

finish() {
	echo "$1: $passed passed, $failed failed"
	[ "$failed" = 0 ]
}
