# Set-up, build, run and test on Debian 12; the set-up needs root.
PRESETS := native win32 win64
WINE := env WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml= wine

.PHONY: all setup run test clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-native build-win32 build-win64

setup:
	@sh tools/setup-debian.sh

$(addprefix build-,$(PRESETS)): build-%: setup
	@test -f build/$*/CMakeCache.txt || cmake --preset $*
	cmake --build --preset $* -j $$(nproc)

run: build-win32
	@$(WINE) build/win32/kblayouts.exe

test: $(addprefix test-,$(PRESETS))

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

clean:
	rm -rf build
