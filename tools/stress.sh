#!/bin/sh
# Runs the end-to-end tests of the presets given twice more, as a small or
# a busy machine runs them: on one processor, then beside a busy loop on
# every processor. A test that relies on a daemon not having acted yet
# fails here.
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
