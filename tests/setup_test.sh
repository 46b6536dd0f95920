#!/bin/sh
# Runs the set-up each make target runs, as `make -n` shows it, on a
# machine where dpkg-query finds nothing installed, with apt-get and dpkg
# stood in for, and checks which packages it asks apt-get for and whether
# it adds the i386 architecture.
set -u
here=$(dirname "$0")
work=$(mktemp -d)
. "$here/checks.sh"
trap 'rm -rf "$work"' EXIT

mkdir "$work/bin"
cat > "$work/bin/apt-get" <<END
#!/bin/sh
[ "\$1" = install ] && echo "\$@" | tr ' ' '\n' >> "$work/asked"
exit 0
END
cat > "$work/bin/dpkg" <<END
#!/bin/sh
[ "\$1" = --add-architecture ] && echo "\$2" >> "$work/added"
exit 0
END
printf '#!/bin/sh\nexit 1\n' > "$work/bin/dpkg-query"
printf '#!/bin/sh\necho 0\n' > "$work/bin/id"
chmod +x "$work/bin"/*

# One case a line: the target, packages it must ask for, packages it must
# not, and "i386" where it adds that architecture.
test_only="gnome-shell mutter sway weston xwayland fcitx5 ibus kwin-wayland libgtest-dev"
test_only="$test_only hyperfine lintian clang g++-mingw-w64-i686 wine wine32:i386 wine64"
while IFS='|' read -r target wanted unwanted architecture; do
	: > "$work/asked"
	: > "$work/added"
	make -s -n -C "$here/.." "$target" | grep '^sh tools/setup-debian.sh' |
		(cd "$here/.." && PATH=$work/bin:$PATH sh) > /dev/null 2>&1
	problem=
	for package in $wanted; do
		grep -qx -- "$package" "$work/asked" || problem="$problem missing $package;"
	done
	for package in $unwanted; do
		grep -qx -- "$package" "$work/asked" && problem="$problem asked for $package;"
	done
	[ "$(sort -u "$work/added")" = "$architecture" ] || problem="$problem architectures: $(cat "$work/added");"
	verdict "make $target" "$problem"
done <<END
run|make cmake g++ libglib2.0-dev libsystemd-dev|$test_only wine dpkg-dev libxcb-xkb-dev|
install|cmake g++ libsystemd-dev|$test_only|
package|g++ dpkg-dev rpm g++-mingw-w64-i686 g++-mingw-w64-x86-64|gnome-shell sway fcitx5 kwin-wayland wine wine32:i386 hyperfine clang|
run-win32|cmake g++-mingw-w64-i686 wine wine32:i386|gnome-shell sway fcitx5 hyperfine clang libglib2.0-dev|i386
run-win64|g++-mingw-w64-x86-64 wine64|gnome-shell sway fcitx5 hyperfine clang|i386
bench|g++ hyperfine tini sway gnome-shell fcitx5 ibus|wine32:i386 clang lintian g++-mingw-w64-i686 kwin-wayland|
stress|g++ clang tini gnome-shell sway fcitx5 ibus|wine32:i386 g++-mingw-w64-i686 hyperfine|
test|g++ clang gnome-shell kwin-wayland fcitx5 lintian dpkg-dev rpm rpmlint wine32:i386 g++-mingw-w64-i686||i386
END

finish setup
