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

.PHONY: all setup run run-win32 run-win64 test bench clean \
	$(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: $(addprefix build-,$(PRESETS))

setup:
	@sh tools/setup-debian.sh

$(addprefix build-,$(PRESETS)): build-%: setup
	@test -f build/$*/CMakeCache.txt || cmake --preset $* $(QUIET)
	@cmake --build --preset $* -j $$(nproc) $(QUIET)

run: build-native
	@build/native/kblayouts

run-win32 run-win64: run-%: build-%
	@$(WINE) $(LOADER_$*) build/$*/kblayouts.exe

test: $(addprefix test-,$(PRESETS))

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

bench: build-native
	@sh tools/bench.sh build/native/kblayouts

clean:
	rm -rf build
