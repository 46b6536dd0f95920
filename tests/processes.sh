# What the end-to-end tests know of processes. A zombie has ended, whether
# or not its parent has reaped it yet, and a test judges only the
# processes it started: its own descendants, and those it orphaned, which
# tini -s, the reaper each end-to-end test runs under, takes in. Some
# machines' PID 1 reaps orphans late, or never.
[ "$(cat /proc/$PPID/comm 2> /dev/null)" = tini ] && reaper=$PPID || reaper=$$

# Whether process $1 can still act.
running() {
	state=$(ps -o stat= -p "$1" 2> /dev/null) && [ "${state#Z}" = "$state" ]
}

# This test's processes that can still act, "PID NAME" a line, but for
# the pipeline that lists them: the child of this shell that ps runs in.
test_processes() {
	sh -c 'echo "$$"; exec ps -e -o pid=,ppid=,stat=,comm=' |
		awk -v root="$reaper" -v shell=$$ '
		NR == 1 { lister = $1; next }
		{ parent[$1] = $2; live[$1] = $3 !~ /^Z/; name[$1] = $4 }
		END {
			for (pipeline = lister; parent[pipeline] + 0 > 1 &&
			    parent[pipeline] != shell; pipeline = parent[pipeline])
				;
			for (pid in parent) {
				up = pid + 0
				while (up > 1 && up != root + 0 && up != pipeline + 0)
					up = parent[up] + 0
				if (up == root + 0 && live[pid])
					print pid, name[pid]
			}
		}'
}

# Those of this test's processes that can still act and are not in the
# file $1, which test_processes wrote.
processes_since() {
	test_processes | awk 'NR == FNR { known[$1]; next } !($1 in known)' "$1" -
}

# Ends the processes given by PID, with SIGTERM, then, those still running
# after 10 seconds, with SIGKILL.
end_processes() {
	[ $# -gt 0 ] || return 0
	kill "$@" 2> /dev/null || :
	tries=0
	for pid; do
		while running $pid && [ $tries -lt 200 ]; do
			tries=$((tries + 1))
			sleep 0.05
		done
	done
	for pid; do
		! running $pid || kill -KILL $pid 2> /dev/null || :
	done
}

# Ends this test's processes that are not in the file $1, which
# test_processes wrote: all a framework or a row started since.
end_processes_since() {
	end_processes $(processes_since "$1" | cut -d' ' -f1)
}
