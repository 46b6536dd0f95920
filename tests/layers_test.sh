#!/bin/sh
# Checks that platform/'s includes run one way: the session's files may
# include any source's and the shared ones, a source's its own and the
# shared ones, a shared folder's its own, another shared folder's and
# base/'s, and base/'s only its own; query.h, which includes nothing,
# anyone may. The shared folders must not include one another in a
# circle.
set -u
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
trap 'rm -rf "$work"' EXIT
cd "$here/../platform"

# A file's folder, and its folder's layer.
folder() {
	case $1 in session/*) echo session ;; *) echo "$1" | cut -d/ -f1,2 ;; esac
}
layer() {
	case $1 in session) echo 3 ;; sources/*) echo 2 ;; shared/base) echo 0 ;; *) echo 1 ;; esac
}

for header in $(find session sources shared -name '*.h'); do
	echo "${header##*/} $(folder "$header")"
done > "$work/headers"
for file in $(find session sources shared -name '*.h' -o -name '*.cpp'); do
	from=$(folder "$file")
	for header in $(sed -n 's/^#include "\(.*\)"$/\1/p' "$file"); do
		[ "$header" = query.h ] && continue
		to=$(awk -v h="$header" '$1 == h { print $2 }' "$work/headers")
		[ -n "$to" ] || { echo "$file includes $header, which is nowhere"; continue; }
		[ "$to" = "$from" ] && continue
		if [ "$(layer "$to")" -gt "$(layer "$from")" ] ||
			{ [ "$(layer "$to")" = "$(layer "$from")" ] && [ "$(layer "$to")" != 1 ]; }; then
			echo "$file includes $header of $to"
		else
			echo "$from $to" >> "$work/edges"
		fi
	done
done > "$work/wrong"
[ -s "$work/wrong" ] && problem=$(cat "$work/wrong") || problem=
verdict "every include goes to its own folder or one it may use" "$problem"

# tsort reports a circle.
grep '^shared.* shared' "$work/edges" | sort -u | tsort > /dev/null 2> "$work/circle"
[ -s "$work/circle" ] && problem=$(cat "$work/circle") || problem=
verdict "no includes in a circle" "$problem"

finish layers
