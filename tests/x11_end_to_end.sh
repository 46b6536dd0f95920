#!/bin/sh
# Runs the native program against a private Xvfb server with layouts set by
# setxkbmap, and checks the report byte for byte and its writes on a file,
# a pipe and a terminal; then without a server, and with standard output
# closed, full, or a pipe nobody reads.
set -u
exe=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
. "$here/sway.sh"
trap 'stop_sway; rm -rf "$work"' EXIT

program() {
	"$exe" "$@"
}

# The writes to standard output that strace saw, one a line, as strace
# shows them: write(1, "HKL[0]: 04070407\r\n", 18) = 18
writes() {
	grep '^write(1,' "$work/trace" | sed 's/) *= /) = /'
}

# How strace shows one write of the lines given, each ending in CR LF.
shown_write() {
	size=$(printf '%s\r\n' "$@" | wc -c)
	printf 'write(1, "%s", %d) = %d\n' "$(printf '%s\\r\\n' "$@")" $size $size
}

# A leak checker, where the program has one, cannot work under strace.
no_leak_check=detect_leaks=0:${ASAN_OPTIONS:-}
traced() {
	ASAN_OPTIONS=$no_leak_check strace -qq -s 1024 -e trace=write -e signal=none \
		-o "$work/trace" "$@"
}

start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
setxkbmap -model pc105 -layout de,fr,us -variant ,,dvorak
report 04070407 040C040C F0020409 > "$work/expected"
check_arguments

# The expected lines, without their CR, become the positional arguments.
set --
while IFS= read -r line; do
	set -- "$@" "${line%?}"
done < "$work/expected"

traced "$exe" > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "to a file under strace" "$work/expected"
shown_write "$@" > "$work/want"
writes > "$work/got"
cmp -s "$work/got" "$work/want" && problem= || problem="writes were:
$(cat "$work/got")"
verdict "a file gets the report in one write" "$problem"

# On a terminal each line is written as soon as it is formed.
script -qec "ASAN_OPTIONS=$no_leak_check $(command -v strace) -qq -s 1024 -e trace=write -e signal=none -o $work/trace $exe" \
	/dev/null < /dev/null > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "to a terminal"
for line; do shown_write "$line"; done > "$work/want"
writes > "$work/got"
cmp -s "$work/got" "$work/want" && problem= || problem="writes were:
$(cat "$work/got")"
verdict "a terminal gets one write a line" "$problem"

# Keymaps set by setxkbmap, with models, variants and options: its
# arguments, then the identifiers expected.
while IFS='|' read -r arguments identifiers; do
	setxkbmap -option "" $arguments
	report $identifiers > "$work/expected"
	run
	check_run "setxkbmap $arguments" "$work/expected"
done <<-END
-model macintosh -layout de|04070407
-model sun_type6_euro_usb -layout de,fr|04070407 040C040C
-model pc105 -layout epo,epo -variant ,legacy|20002000 F0C02000
-model pc105 -layout kh|04530453
-model pc105 -layout epo,ch,us,brai -variant ,fr,intl,|20002000 100C100C F0010409 24002400
-model pc105 -layout us,kr -option korean:ralt_hangul|04090409 04120412
-model pc105 -layout jp -option japan:hztg_escape|04110411
-model pc105 -layout tw,ca|04040404 10090C0C
-model pc105 -layout ro,bg,in -variant ,phonetic,tam_tamilnet|F0A60418 F0AF0402 F0C80449
-model pc105 -layout bg,de,de -variant bas_phonetic,e1,T3|F0A30402 F0D00407 04070407
END

# A first group whose layout the registry lacks: a copy of "de" with its
# group name, loaded from a private directory, over three groups whose
# third name the server keeps.
setxkbmap -model pc105 -layout de,fr,us -variant ,,dvorak
mkdir -p "$work/xkb/symbols"
cp /usr/share/X11/xkb/symbols/de "$work/xkb/symbols/mine"
setxkbmap -model pc105 -layout de,fr -print | sed 's/+de+/+mine+/' |
	xkbcomp -I"$work/xkb" - "$DISPLAY" 2> /dev/null
report 04070407 040C040C > "$work/expected"
run
check_run "a private layout in the first group" "$work/expected"

# A keymap written out by xkbcomp and loaded back.
setxkbmap -model pc105 -option "" -layout de,fr,us -variant ,,dvorak
xkbcomp -xkb "$DISPLAY" "$work/keymap.xkb" 2> /dev/null
setxkbmap -model pc105 -layout us
xkbcomp "$work/keymap.xkb" "$DISPLAY" 2> /dev/null
report 04070407 040C040C F0020409 > "$work/expected"
run
check_run "a keymap loaded back by xkbcomp" "$work/expected"

# A server that asks for a cookie, reached as DISPLAY names it in each way
# libxcb knows (by this machine's name too, where the resolver knows it),
# with the user's X authority file holding the entry given: one for any
# display, one for this host's display, one for another display, one with
# a wrong cookie, or none.
stop_xvfb
cookie=00112233445566778899aabbccddeeff
authority() {
	python3 -c 'import struct, sys
def counted(text):
    data = bytes.fromhex(text[1:]) if text.startswith("=") else text.encode()
    return struct.pack(">H", len(data)) + data
family, *fields = sys.argv[1:]
sys.stdout.buffer.write(struct.pack(">H", int(family)) + b"".join(map(counted, fields)))' "$@"
}
authority 65535 "" "" MIT-MAGIC-COOKIE-1 "=$cookie" > "$work/server.auth"
xvfb_options="-auth $work/server.auth -listen tcp"
if start_xvfb; then
	n=${DISPLAY#:}
	XAUTHORITY=$work/server.auth setxkbmap -layout fr,de
	mkdir "$work/home"
	while IFS='|' read -r display entry identifiers; do
		[ -n "$display" ] || continue
		case $entry in
		wild) authority 65535 "" "" MIT-MAGIC-COOKIE-1 "=$cookie" ;;
		this) authority 256 "$(hostname)" "$n" MIT-MAGIC-COOKIE-1 "=$cookie" ;;
		other) authority 256 "$(hostname)" "$((n + 1))" MIT-MAGIC-COOKIE-1 "=$cookie" ;;
		wrong) authority 65535 "" "" MIT-MAGIC-COOKIE-1 "=ffeeddccbbaa99887766554433221100" ;;
		none) ;;
		esac > "$work/home/.Xauthority"
		report $identifiers > "$work/expected"
		env -u XAUTHORITY HOME="$work/home" DISPLAY="$(echo "$display" | sed "s/N/$n/")" \
			"$exe" > "$work/out" 2> "$work/err"
		echo $? > "$work/status"
		check_run "a server that asks for a cookie, DISPLAY=$display, $entry" "$work/expected"
	done <<-END
	:N|wild|040C040C 04070407
	:N.0|this|040C040C 04070407
	unix:N|this|040C040C 04070407
	unix/:N|wild|040C040C 04070407
	localhost:N|this|040C040C 04070407
	127.0.0.1:N.0|this|040C040C 04070407
	tcp/localhost:N|wild|040C040C 04070407
	$(getent hosts "$(hostname)" > /dev/null && echo "$(hostname):N|wild|040C040C 04070407")
	:N|other|
	:N|wrong|
	:N|none|
	END
	stop_xvfb
else
	verdict "a server that asks for a cookie" "cannot start Xvfb"
fi
xvfb_options=

# Xwayland follows sway's keymap and names only the groups.
if start_sway "$exe" de,fr,us ,,dvorak; then
	await_sway_groups "German,French,English (Dvorak)"
	expect_in_sway "Xwayland under sway" "DISPLAY=$sway_x" 04070407 040C040C F0020409
	swaymsg_layouts ru,gb
	await_sway_groups "Russian,English (UK)"
	expect_in_sway "Xwayland after swaymsg" "DISPLAY=$sway_x" 04190419 08090809
	stop_sway
else
	verdict "Xwayland under sway" "cannot start sway"
fi

# Standard output closed: the X connection may get descriptor 1, and must
# not get the report.
ASAN_OPTIONS=$no_leak_check strace -f -qq -s 64 -e trace=write,writev,sendmsg \
	-e signal=none -o "$work/trace" "$exe" >&- 2> "$work/err"
echo $? > "$work/status"
check_run "standard output closed"
grep -q 'GetKeyboardLayoutList' "$work/trace" && problem="the report went to:
$(grep GetKeyboardLayoutList "$work/trace")" || problem=
verdict "standard output closed, nothing written" "$problem"

"$exe" > /dev/full 2> "$work/err"
echo $? > "$work/status"
check_run "standard output full"

# A pipe whose only reader has gone: open the FIFO both ways, take a
# writing end, then close the reading one.
mkfifo "$work/fifo"
exec 3<> "$work/fifo" 4> "$work/fifo"
exec 3<&-
"$exe" >&4 2> "$work/err"
echo $? > "$work/status"
exec 4>&-
check_run "a pipe nobody reads"

finish end-to-end
