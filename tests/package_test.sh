#!/bin/sh
# Installs the build in $1 into a temporary DESTDIR and runs the installed
# program against Xvfb; packages it, unpacks the .debs and checks what they
# hold and what lintian says, and checks the RPMs' files, the program's
# requirements and rpmlint's verdict and installs the program's into an
# empty root; checks the manual pages with mandoc and man.
# For a Windows build, checks the zip instead.
set -u
build=$1
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
. "$here/processes.sh"
. "$here/xvfb.sh"
trap 'stop_xvfb; rm -rf "$work"' EXIT

# Says what is wrong with the copyright file of the .deb $1, if anything:
# it names the MIT licence in Debian's machine-readable format, its terms
# as the licence has them.
deb_licence() {
	dpkg-deb --fsys-tarfile "$1" | tar -xO --wildcards './usr/share/doc/*/copyright' > "$work/copyright"
	sed -n '/^License: MIT$/,$s/^ //p' "$work/copyright" | sed 's/^\.$//' > "$work/terms"
	sed -n '/^Permission/,$p' "$here/../LICENSE" | cmp -s - "$work/terms" &&
		head -1 "$work/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/$' ||
		echo "copyright: $(head -c 300 "$work/copyright")"
}

# Succeeds when "$@" prints nothing; its output is the problem otherwise.
quiet() {
	"$@" > "$work/said" 2>&1
	[ -s "$work/said" ] && problem=$(head -c 500 "$work/said") || problem=
}

cpack -B "$work/package" --config "$build/CPackConfig.cmake" > /dev/null 2>&1

if [ -f "$build/kblayouts.exe" ]; then
	python3 - "$work"/package/kblayouts-*.zip > "$work/said" <<-END
	import sys, zipfile
	archive = zipfile.ZipFile(sys.argv[1])
	print(*sorted(name.split("/", 1)[1] for name in archive.namelist()))
	for name in sorted(archive.namelist()):
	    if name.endswith(".txt"):
	        text = archive.read(name)
	        print(text.count(b"\n") > 0 and text.count(b"\n") == text.count(b"\r\n"),
	              b"MIT License" in text)
	END
	[ "$(cat "$work/said")" = "LICENSE.txt README.txt kblayouts.exe
True True
True False" ] && problem= || problem=$(cat "$work/said")
	verdict "the zip holds the program, a README.txt and the MIT licence with CR LF" "$problem"
	finish package
	exit
fi

DESTDIR="$work/root" cmake --install "$build" --prefix /usr/local > /dev/null
start_xvfb || { echo "FAIL: cannot start Xvfb"; exit 1; }
setxkbmap -model pc105 -layout de
report 04070407 > "$work/expected"
"$work/root/usr/local/bin/kblayouts" > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "the installed program" "$work/expected"
problem=
for file in share/man/man1/kblayouts.1.gz share/man/man3/kblayouts.3.gz include/kblayouts.h \
	lib/libkblayouts.so lib/libkblayouts.so.1 lib/pkgconfig/kblayouts.pc; do
	[ -e "$work/root/usr/local/$file" ] || problem="$problem no $file;"
done
grep -qx 'libdir=/usr/local/lib' "$work/root/usr/local/lib/pkgconfig/kblayouts.pc" ||
	problem="$problem the .pc file names another folder;"
verdict "the installed manual pages, library, header and .pc file" "$problem"

deb=$(echo "$work"/package/kblayouts_*_*.deb)
dpkg-deb -x "$deb" "$work/unpacked"
(cd "$work/unpacked" && find . -type f | sort) > "$work/got"
cat > "$work/want" <<-END
./usr/bin/kblayouts
./usr/share/doc/kblayouts/README.md
./usr/share/doc/kblayouts/changelog.gz
./usr/share/doc/kblayouts/copyright
./usr/share/man/man1/kblayouts.1.gz
END
cmp -s "$work/got" "$work/want" && problem= || problem=$(cat "$work/got")
verdict "the .deb holds the program, its manual page and its documents" "$problem"
fields=$(dpkg-deb -f "$deb" Section Depends Recommends)
case $fields in
*"Section: utils"*"Recommends: libglib2.0-0"*"libsystemd0"*) problem= ;;
*) problem=$fields ;;
esac
echo "$fields" | grep -qx 'Depends: libc6 (>= [0-9.]*)' || problem=$fields
verdict "the .deb's section, found dependencies and the libraries it loads" "$problem"
problem=$(deb_licence "$deb")
verdict "the .deb's licence" "$problem"
quiet sh -c "lintian '$deb' 2>&1 | grep -v 'running with root privileges'"
verdict "lintian" "$problem"

# The library's packages: what each holds, what it depends on, the
# library's shlibs and symbols files, and no error from lintian.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
while IFS='|' read -r package files depends; do
	file=$(echo "$work"/package/${package}_*_*.deb)
	rm -rf "$work/unpacked"
	dpkg-deb -x "$file" "$work/unpacked"
	got=$(cd "$work/unpacked" && find . -type f -o -type l | sort | paste -sd' ' -)
	[ "$got" = "$(echo "$files" | sed "s|MULTIARCH|$multiarch|g")" ] && problem= ||
		problem="holds $got"
	dpkg-deb -f "$file" Depends | grep -qx "$depends" || problem="$problem depends $(dpkg-deb -f "$file" Depends)"
	lintian "$file" 2>&1 | grep ': E: ' > "$work/said" && problem="$problem $(cat "$work/said")"
	problem="$problem$(deb_licence "$file")"
	verdict "the .deb $package and its licence" "$problem"
done <<-END
libkblayouts1|./usr/lib/MULTIARCH/libkblayouts.so.1 ./usr/lib/MULTIARCH/libkblayouts.so.1.1.0 ./usr/share/doc/libkblayouts1/changelog.gz ./usr/share/doc/libkblayouts1/copyright|libc6 (>= [0-9.]*)
libkblayouts-dev|./usr/include/kblayouts.h ./usr/lib/MULTIARCH/libkblayouts.so ./usr/lib/MULTIARCH/pkgconfig/kblayouts.pc ./usr/share/doc/libkblayouts-dev/changelog.gz ./usr/share/doc/libkblayouts-dev/copyright ./usr/share/man/man3/kblayouts.3.gz|libkblayouts1 (= 1.1.0)
END
library_deb=$(echo "$work"/package/libkblayouts1_*_*.deb)
dpkg-deb --ctrl-tarfile "$library_deb" | tar -xO ./shlibs ./symbols > "$work/said" 2>&1
grep -qx 'libkblayouts 1 libkblayouts1 (>= 1.1.0)' "$work/said" &&
	grep -qx ' kblayouts_list@KBLAYOUTS_1 1.0.0' "$work/said" &&
	grep -qx ' kblayouts_active@KBLAYOUTS_1.1 1.1.0' "$work/said" && problem= ||
	problem=$(cat "$work/said")
verdict "the library's shlibs and symbols files" "$problem"

# The RPM: the same files, the licence marked as one, nothing required
# but the C library, the loaded libraries recommended by their names;
# installed into an empty root, its program runs.
rpm=$(echo "$work"/package/kblayouts-[0-9]*.rpm)
rpm -qp --qf '[%{FILENAMES}\n]' "$rpm" | grep -v '^/usr/lib/.build-id' |
	sed 's|^|.|' > "$work/got"
echo ./usr/share/doc/kblayouts >> "$work/want"
sort -o "$work/want" "$work/want"
cmp -s "$work/got" "$work/want" && problem= || problem=$(cat "$work/got")
verdict "the RPM holds what the .deb holds" "$problem"
[ "$(rpm -qp --licensefiles "$rpm")" = /usr/share/doc/kblayouts/copyright ] && problem= ||
	problem="licence files: $(rpm -qp --licensefiles "$rpm")"
for package in "$work"/package/*.rpm; do
	[ "$(rpm -qp --qf '%{LICENSE}' "$package")" = MIT ] ||
		problem="$problem $(basename "$package"): $(rpm -qp --qf '%{LICENSE}' "$package");"
done
verdict "the RPMs' licence, and its file" "$problem"
requires=$(rpm -qp --requires "$rpm" | grep -v '^rpmlib(' | grep -v '^libc\.so\.6(GLIBC_' |
	grep -vx 'rtld(GNU_HASH)')
recommends=$(rpm -qp --recommends "$rpm" | tr '\n' ' ')
[ "$requires" = 'libc.so.6()(64bit)' ] &&
	[ "$recommends" = 'libgio-2.0.so.0()(64bit) libsystemd.so.0()(64bit) ' ] && problem= ||
	problem="requires $requires; recommends $recommends"
verdict "the RPM requires the C library and recommends the loaded libraries" "$problem"
rpm --root "$work/rpmroot" --initdb &&
	rpm --root "$work/rpmroot" --nodeps -i "$rpm" > "$work/said" 2>&1 || cat "$work/said"
"$work/rpmroot/usr/bin/kblayouts" > "$work/out" 2> "$work/err"
echo $? > "$work/status"
check_run "the program the RPM installed" "$work/expected"
# The library's RPMs: the library in lib64, which RPM distributions'
# linker searches, and the development files beside it.
libs=$(rpm -qpl "$work"/package/kblayouts-libs-*.rpm | grep -v build-id | paste -sd' ' -)
devel=$(rpm -qpl "$work"/package/kblayouts-devel-*.rpm | grep -v build-id | paste -sd' ' -)
case "$libs|$devel" in
*/usr/lib64/libkblayouts.so.1.1.0*\|*/usr/include/kblayouts.h*/usr/lib64/pkgconfig/kblayouts.pc*) problem= ;;
*) problem="libs: $libs; devel: $devel" ;;
esac
verdict "the library's RPMs" "$problem"
rpmlint -c "$here/../packaging/rpmlint.toml" "$work"/package/*.rpm > "$work/said" 2>&1
grep -q ' 0 errors,' "$work/said" && problem= || problem=$(grep ': E: ' "$work/said")
verdict "rpmlint finds no errors" "$problem"

quiet mandoc -T lint -W warning "$here/../doc/kblayouts.1"
verdict "mandoc -T lint" "$problem"
quiet mandoc -T lint -W warning "$here/../doc/kblayouts.3"
verdict "mandoc -T lint, the library's page" "$problem"
man -l "$here/../doc/kblayouts.1" 2> /dev/null | grep -q '^SYNOPSIS' && problem= ||
	problem="man -l shows no SYNOPSIS"
verdict "man -l" "$problem"

finish package
