# Set-up, build, run, test and benchmark on Debian 12; the set-up needs root.
PRESETS := native sanitize win32 win64
WINE := env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
LOADER_win32 := /usr/lib/wine/wine
LOADER_win64 := /usr/lib/wine/wine64
MAKEFLAGS += --no-print-directory

# The run targets show the report alone: their build speaks only of errors.
ifneq ($(filter run%,$(MAKECMDGOALS)),)
QUIET := > /dev/null
endif

.PHONY: all run run-win32 run-win64 test setup-tests stress bench fuzz install package clean \
	$(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

# The sets of packages tools/setup-debian.sh installs: what each preset's
# build needs, and what a target adds for its prerequisites' builds. Only
# the targets that test build the tests.
SETS_native := build
SETS_sanitize := build sanitize
SETS_win32 := cross
SETS_win64 := cross
MORE :=
TESTING := OFF
test-native: MORE := test package
test-sanitize stress fuzz: MORE := test
test-win32 test-win64: MORE := test wine
run-win32 run-win64: MORE := wine
package: MORE := package
bench: MORE := bench
$(addprefix test-,$(PRESETS)) stress fuzz: TESTING := ON

all: $(addprefix build-,$(PRESETS))

$(addprefix build-,$(PRESETS)): build-%:
	@sh tools/setup-debian.sh $(SETS_$*) $(MORE)
	@grep -qx 'BUILD_TESTING:BOOL=$(TESTING)' build/$*/CMakeCache.txt 2> /dev/null || \
		cmake --preset $* -DBUILD_TESTING=$(TESTING) $(QUIET)
	@cmake --build --preset $* -j $$(nproc) $(QUIET)

run: build-native
	@build/native/kblayouts

run-win32 run-win64: run-%: build-%
	@$(WINE) $(LOADER_$*) build/$*/kblayouts.exe

# Every set at once: apt matches the amd64 and i386 versions of a library
# in one solution.
test: setup-tests $(addprefix test-,$(PRESETS))

setup-tests:
	@sh tools/setup-debian.sh build sanitize cross wine package test

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

# The end-to-end tests of the native presets again, on one processor and
# beside a busy loop on every processor.
stress: build-native build-sanitize
	@sh tools/stress.sh native sanitize

bench: build-native
	@tini -s -- sh tools/bench.sh build/native/kblayouts $(BEFORE)

# Installs the Linux program and its manual page under PREFIX, in DESTDIR.
PREFIX := /usr/local
install: build-native
	DESTDIR=$(DESTDIR) cmake --install build/native --prefix $(PREFIX)

# A .deb of the Linux program and a .zip of each Windows one, in build/.
package: build-native build-win32 build-win64
	@for preset in native win32 win64; do \
		(cd build/$$preset && cpack) | grep 'generated' || exit; \
	done

# Long fuzzing runs; an input worth keeping goes into tests/fuzz/<target>.
FUZZ_SECONDS := 600
fuzz: build-sanitize
	@for target in $$(ls tests/fuzz); do \
		mkdir -p build/fuzz/$$target && \
		build/sanitize/tests/fuzz_$$target -max_total_time=$(FUZZ_SECONDS) \
			-print_final_stats=1 build/fuzz/$$target tests/fuzz/$$target || exit; \
	done

clean:
	rm -rf build
