# One entry point for both trees. `make test` and `make run` set the machine up first.
MAKEFLAGS  += --no-print-directory
BUILD      := build
NATIVE     := $(BUILD)/native
WIN32DIR   := $(BUILD)/win32
WIN64DIR   := $(BUILD)/win64
ASAN       := $(BUILD)/asan
FUZZDIR    := $(BUILD)/fuzz
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G "Unix Makefiles"

.PHONY: all setup native win32 win64 test test-native test-fuzz test-win32 test-win64 test-windows sanitize fuzz fuzz-corpus soak run gallery screenshots bench clean

# The Windows tree that this machine can run, asked of the machine when a recipe needs it: the
# 32-bit product where 32-bit code executes, its 64-bit build elsewhere.
RUNARCH     = $(if $(shell bash scripts/wine-env.sh can-run-32bit && echo yes),win32,win64)
SAY_RUNARCH = @if [ $(RUNARCH) = win32 ]; then echo "Using the 32-bit build $(WIN32DIR)"; \
              else echo "Using the 64-bit build $(WIN64DIR): this machine cannot run 32-bit Windows code"; fi

all: native win32

setup:
	@bash scripts/setup.sh

$(NATIVE)/Makefile:
	cmake $(CMAKE_GEN) -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN32DIR)/Makefile:
	cmake $(CMAKE_GEN) -S . -B $(WIN32DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake

# The same sources as a 64-bit program: kept 64-bit clean, and the tree that runs the Windows
# tests on machines that execute no 32-bit code.
$(WIN64DIR)/Makefile:
	cmake $(CMAKE_GEN) -S . -B $(WIN64DIR) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw.cmake -DVELLORAN_MINGW_ARCH=x86_64

native: $(NATIVE)/Makefile
	cmake --build $(NATIVE) -j $(JOBS)

win32: $(WIN32DIR)/Makefile
	cmake --build $(WIN32DIR) -j $(JOBS)

win64: $(WIN64DIR)/Makefile
	cmake --build $(WIN64DIR) -j $(JOBS)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure

test-win32: win32
	cd $(WIN32DIR) && ctest --output-on-failure

test-win64: win64
	cd $(WIN64DIR) && ctest --output-on-failure

# The 32-bit product is always built; its tests run where 32-bit code executes, the 64-bit
# build's everywhere. The import table check is a program of this machine: it checks the 32-bit
# product everywhere.
test-windows: win32 test-win64
	@if bash scripts/wine-env.sh can-run-32bit; then $(MAKE) test-win32; else \
	  echo "32-bit Windows code cannot run on this machine: the 32-bit program was built, the tests ran on its 64-bit build"; \
	  cd $(WIN32DIR) && ctest --output-on-failure -R '^imports_on_floor$$'; fi

test: setup
	$(MAKE) test-native
	$(MAKE) test-fuzz
	$(MAKE) test-windows

sanitize: setup
	cmake $(CMAKE_GEN) -S . -B $(ASAN) -DCMAKE_BUILD_TYPE=Debug -DVELLORAN_SANITIZE=ON
	cmake --build $(ASAN) -j $(JOBS)
	cd $(ASAN) && ctest --output-on-failure

# The libFuzzer targets, built with clang: `make fuzz` runs each until its execution goal (see
# scripts/fuzz.sh), `make test` each for SMOKE_FUZZ_SECONDS; `make fuzz-corpus` minimises what the
# runs learned into tests/fuzz/corpus, to be committed.
SMOKE_FUZZ_SECONDS ?= 8
fuzz: setup native
	bash scripts/fuzz.sh campaign $(CURDIR)/$(FUZZDIR)

test-fuzz: native
	bash scripts/fuzz.sh smoke $(SMOKE_FUZZ_SECONDS) $(CURDIR)/$(FUZZDIR)

fuzz-corpus: native
	bash scripts/fuzz.sh keep $(CURDIR)/$(FUZZDIR)

# Google Benchmark targets of the native tree, then the timings of the skin engine and of the
# program's start-up (a real double click: beside the xdotool relay) under Wine.
bench: setup native
	$(SAY_RUNARCH)
	$(MAKE) $(RUNARCH)
	@for b in $(NATIVE)/tests/bench/bench_*; do if [ -x "$$b" ]; then "$$b" || exit 1; fi; done
	bash scripts/wine-env.sh start $(BUILD)/$(RUNARCH)/bench-wine $(RUNARCH) >/dev/null
	bash scripts/wine-env.sh exec $(BUILD)/$(RUNARCH)/bench-wine $(BUILD)/$(RUNARCH)/bin/skin_timing.exe && \
	  bash scripts/wine-env.sh exec $(BUILD)/$(RUNARCH)/bench-wine scripts/xinput-relay.sh $(BUILD)/$(RUNARCH)/bin/startup_timing.exe; \
	  status=$$?; bash scripts/wine-env.sh stop $(BUILD)/$(RUNARCH)/bench-wine >/dev/null; exit $$status

# Long runs that must end where they started (GDI and USER objects, private bytes): the timer
# handler over SOAK_TICKS ticks, SOAK_CYCLES open-and-hide cycles of each window and menu, and
# SOAK_GALLERY_CYCLES cycles of three skin switches with every gallery page open. `make test`
# runs each briefly.
SOAK_TICKS ?= 10000
SOAK_CYCLES ?= 1000
SOAK_GALLERY_CYCLES ?= 1000
soak: setup
	$(SAY_RUNARCH)
	$(MAKE) $(BUILD)/$(RUNARCH)/Makefile
	cmake --build $(BUILD)/$(RUNARCH) -j $(JOBS) --target soak_tests gallery_tests
	VELLORAN_SOAK_TICKS=$(SOAK_TICKS) VELLORAN_SOAK_CYCLES=$(SOAK_CYCLES) VELLORAN_GALLERY_CYCLES=$(SOAK_GALLERY_CYCLES) \
	  bash scripts/soak.sh $(BUILD)/$(RUNARCH)

# DEMO_ARGS passes switches to the demo, e.g. DEMO_ARGS=--verbose.
run: setup
	$(SAY_RUNARCH)
	$(MAKE) $(RUNARCH)
	bash scripts/run-demo.sh $(DEMO_ARGS) $(BUILD)/$(RUNARCH)

# The gallery of skinned windows; GALLERY_ARGS passes switches, e.g. GALLERY_ARGS="--open mdi", or
# GALLERY_ARGS="--watch DIR" to follow the edits to one skin folder.
gallery: setup
	$(SAY_RUNARCH)
	$(MAKE) $(RUNARCH)
	bash scripts/run-gallery.sh $(BUILD)/$(RUNARCH) $(GALLERY_ARGS)

# PNG pictures of the program's and the gallery's windows in docs/screenshots.
screenshots: setup
	$(SAY_RUNARCH)
	$(MAKE) $(RUNARCH)
	bash scripts/screenshots.sh $(BUILD)/$(RUNARCH) docs/screenshots

clean:
	rm -rf $(BUILD)
