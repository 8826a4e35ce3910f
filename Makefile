# make run   builds the DLL and the console host and runs it under Wine (ARGS='...' for its options)
# make test  builds and tests every preset: native over the stand-in, win32 and win64 under Wine
SHELL := /bin/bash
.SHELLFLAGS := -eu -o pipefail -c

WINE_RUN := cmake/wine-run.sh
SKIPPED := 77
PRESETS := native win32 win64
ARGS ?=

.PHONY: all deps run test clean $(addprefix build-,$(PRESETS)) $(addprefix test-,$(PRESETS))

all: build-win32

deps:
	@tools/install-deps.sh

$(addprefix build-,$(PRESETS)): build-%: deps
	cmake --preset $* >/dev/null
	cmake --build --preset $*

$(addprefix test-,$(PRESETS)): test-%: build-%
	ctest --preset $*

test: $(addprefix test-,$(PRESETS))

# The product is the 32-bit build; where this machine cannot run 32-bit programs the
# 64-bit build of the same sources stands in.
run: build-win32 build-win64
	@status=0; \
	$(WINE_RUN) 32 build/win32/tolvarenkis_console.exe $(ARGS) | iconv -f CP1252 -t UTF-8 || status=$$?; \
	if [ $$status -eq $(SKIPPED) ]; then \
	  echo "(running the 64-bit build instead)" >&2; status=0; \
	  $(WINE_RUN) 64 build/win64/tolvarenkis_console.exe $(ARGS) | iconv -f CP1252 -t UTF-8 || status=$$?; \
	fi; \
	$(WINE_RUN) --shutdown; \
	exit $$status

clean:
	$(WINE_RUN) --shutdown
	rm -rf build
