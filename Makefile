# One entry point for both trees. `make test` and `make run` set the machine up first.
MAKEFLAGS  += --no-print-directory
BUILD      := build
NATIVE     := $(BUILD)/native
WIN32DIR   := $(BUILD)/win32
ASAN       := $(BUILD)/asan
FUZZDIR    := $(BUILD)/fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G "Unix Makefiles"

.PHONY: all setup native win32 win64 test test-native test-fuzz test-win32 sanitize fuzz run gallery screenshots bench clean

all: native win32

setup:
	@bash scripts/setup.sh

$(NATIVE)/Makefile:
	cmake $(CMAKE_GEN) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN32DIR)/Makefile:
	cmake $(CMAKE_GEN) -S . -B $(WIN32DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake

# The same sources as a 64-bit program, to keep the code 64-bit clean.
win64:
	cmake $(CMAKE_GEN) -S . -B $(BUILD)/win64 -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake -DVELLORAN_MINGW_ARCH=x86_64
	cmake --build $(BUILD)/win64 -j $(JOBS)

native: $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j $(JOBS)

win32: $(WIN32DIR)/Makefile
	cmake --build $(WIN32DIR) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure

test-win32: win32
	cd $(WIN32DIR) && ctest --output-on-failure

test: setup
	$(MAKE) test-native
	$(MAKE) test-fuzz
	$(MAKE) test-win32

sanitize: setup
	cmake $(CMAKE_GEN) -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure

# The libFuzzer targets, built with clang, each run for FUZZ_SECONDS; `make test` runs them briefly.
FUZZ_SECONDS ?= 60
SMOKE_FUZZ_SECONDS ?= 8
fuzz: setup native
	bash scripts/fuzz.sh $(FUZZ_SECONDS) $(CURDIR)/$(FUZZDIR)

test-fuzz: native
	bash scripts/fuzz.sh $(SMOKE_FUZZ_SECONDS) $(CURDIR)/$(FUZZDIR)

# Google Benchmark targets of the native tree, then the timings of the skin engine under Wine.
bench: setup native win32
	@for b in $(NATIVE)/tests/bench/bench_*; do if [ -x "$$b" ]; then "$$b" || exit 1; fi; done
	bash scripts/wine-env.sh start $(WIN32DIR)/bench-wine >/dev/null
	bash scripts/wine-env.sh exec $(WIN32DIR)/bench-wine $(WIN32DIR)/bin/skin_timing.exe; \
	  status=$$?; bash scripts/wine-env.sh stop $(WIN32DIR)/bench-wine >/dev/null; exit $$status

run: setup win32
	bash scripts/run-demo.sh $(WIN32DIR)

# The gallery of skinned windows; GALLERY_ARGS passes switches, e.g. GALLERY_ARGS="--open mdi".
gallery: setup win32
	bash scripts/run-gallery.sh $(WIN32DIR) $(GALLERY_ARGS)

# PNG pictures of the program's and the gallery's windows in docs/screenshots.
screenshots: setup win32
	bash scripts/screenshots.sh $(WIN32DIR) docs/screenshots

clean:
	rm -rf $(BUILD)
