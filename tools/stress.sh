#!/bin/sh
# Runs the end-to-end tests of the presets given three times more, as a
# small, a busy or a container's machine runs them: on one processor;
# beside a busy loop on every processor; and in a PID namespace whose PID
# 1 never reaps an orphan, beside zombies and live processes named like the
# tests' daemons. A test that relies on a daemon not having acted yet, or
# judges processes by name or takes a zombie for a running process, fails
# here.
set -eu
loops=
trap '[ -z "$loops" ] || kill $loops' EXIT
for preset; do
	taskset -c 0 ctest --preset "$preset" -R _end_to_end
done
for processor in $(seq 0 $(($(nproc) - 1))); do
	taskset -c "$processor" sh -c 'while :; do :; done' &
	loops="$loops $!"
done
for preset; do
	ctest --preset "$preset" -R _end_to_end
done
kill $loops
loops=
each=
for preset; do
	each="$each ctest --preset $preset -R _end_to_end &&"
done
unshare --pid --fork --mount-proc python3 "$(dirname "$0")/never_reaping_init.py" \
	sh -c "$each :"
