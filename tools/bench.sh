#!/bin/sh
# Times the native program against `setxkbmap -query` on one Xvfb display,
# and against /bin/true with no display, and prints the ratios of the means.
set -eu
exe=${1:-build/native/kblayouts}
work=$(mktemp -d)
. "$(dirname "$0")/../tests/xvfb.sh"
trap 'stop_xvfb; rm -rf "$work"' EXIT

# The mean time of the first command over the second's, from hyperfine's CSV.
ratio() {
	awk -F, 'NR == 2 { a = $2 } NR == 3 { b = $2 } END { printf "%.2f", a / b }' "$1"
}

start_xvfb
setxkbmap -layout de,fr,us -variant ,,dvorak
hyperfine -N --warmup 50 --runs 1000 --export-csv "$work/x.csv" "$exe" "setxkbmap -query"
unset DISPLAY
hyperfine -N --warmup 50 --runs 1000 --export-csv "$work/none.csv" "$exe" /bin/true

echo "kblayouts / setxkbmap -query, same display: $(ratio "$work/x.csv") (target at most 0.6)"
echo "kblayouts / /bin/true, no display:          $(ratio "$work/none.csv") (target at most 2)"
