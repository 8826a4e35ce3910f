# make run   builds the DLL and the console host and runs it under Wine (ARGS='...' for its options)
# make test  builds and tests every preset: native over the stand-in, i686 under qemu-i386, win32 and win64 under Wine
# make screenshot  takes docs/demo.png and docs/demo-tree.png: the demo window under Xvfb on its list view and on its tree view, sorted, with a key looked up
# make dist  packs the installations of the win32 and win64 builds as ZIPs in build/dist, with SHA256SUMS
# make fuzz  runs the libFuzzer target for FUZZ_SECONDS (default 60) and reports executions and coverage
# make bench  measures SortLb and LookLb against real listboxes under Wine, redraws docs/performance.png
SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

WINE_RUN := cmake/wine-run.sh
SKIPPED := 77
PRESETS := native asan i686 win32 win64
FUZZ_SECONDS ?= 60
ARGS ?=
SCREENSHOT_PACKAGES := xvfb imagemagick x11-utils

.PHONY: all deps run test clean screenshot dist fuzz bench $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-win32

deps:
	@tools/install-deps.sh

$(addprefix build-,$(PRESETS)): build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $*

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

test: $(addprefix test-,$(PRESETS))

build-console = cmake --preset $(1) >/dev/null && cmake --build --preset $(1) --target tolvarenkis_console

# Only the DLL and the console host of the 32-bit build; where this machine cannot run 32-bit
# programs the 64-bit build of the same sources stands in.
run: deps
	@status=0; \
	$(call build-console,win32); \
	$(WINE_RUN) 32 build/win32/tolvarenkis_console.exe $(ARGS) | iconv -f CP1252 -t UTF-8 || status=$$?; \
	if [ $$status -eq $(SKIPPED) ]; then \
	  echo "(running the 64-bit build instead)" >&2; status=0; \
	  $(call build-console,win64); \
	  $(WINE_RUN) 64 build/win64/tolvarenkis_console.exe $(ARGS) | iconv -f CP1252 -t UTF-8 || status=$$?; \
	fi; \
	$(WINE_RUN) --shutdown; \
	exit $$status

# Where this machine cannot run 32-bit programs the script takes the 64-bit demo instead.
screenshot: build-win32 build-win64
	@tools/install-deps.sh $(SCREENSHOT_PACKAGES)
	tools/screenshot.sh docs/demo.png build/win32/tolvarenkis_demo.exe build/win64/tolvarenkis_demo.exe
	tools/screenshot.sh docs/demo-tree.png build/win32/tolvarenkis_demo.exe build/win64/tolvarenkis_demo.exe \
	  --treeview --numbers --sort ascending --look Meier --add 42

# One ZIP per product, the same layout in both: 32-bit hosts take win32, 64-bit hosts win64;
# their checksums beside them, without those of another version's ZIPs.
dist: build-win32 build-win64
	rm -f build/dist/Tolvarenkis-*.zip build/dist/SHA256SUMS
	for preset in win32 win64; do cpack --config build/$$preset/CPackConfig.cmake -B build/dist; done
	cd build/dist && sha256sum Tolvarenkis-*.zip > SHA256SUMS

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target module_fuzz
	tools/fuzz.sh build/fuzz $(FUZZ_SECONDS)

# The 32-bit build where it runs, the 64-bit one elsewhere, as for make run.
bench: build-win32 build-win64
	tools/bench.sh build/win32 build/win64 docs/performance.png

clean:
	$(WINE_RUN) --shutdown
	rm -rf build
