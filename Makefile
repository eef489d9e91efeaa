# quarvex - the two commands that do everything on a fresh Debian 12 machine:
#   make run    set-up, build quarvex and the toolkit, start it under Wine (make run VARIANT=swap for
#               quarvex-swap); on $DISPLAY, or on a private Xvfb display when none is set
#   make test   set-up, build both sides, run every test layer (native, Windows, end-to-end)
#   make bench  set-up, build and run the benchmarks; one table of figures, also in bench/results.md
#   make stress the long reliability runs (leak cycles, two threads at random); STRESS_CYCLES= and
#               STRESS_SECONDS= change their length
# Further: make build, make native, make windows, make clean, make fuzz (FUZZ_SECONDS=60 per target).
# Any CMake generator works: CMAKE_GENERATOR=Ninja make test (after make clean when switching).

VARIANT ?=
JOBS    ?= $(shell nproc)
NATIVE  := build/native
WINDOWS := build/windows
PROGRAM := $(if $(filter swap,$(VARIANT)),quarvex-swap,quarvex)
# With the Makefile generator, cmake --build runs make once more; its directory lines tell nothing here.
MAKEFLAGS += --no-print-directory

.PHONY: all setup configure-native configure-windows build native windows run test test-native \
        test-windows bench fuzz stress clean

all: build

setup:
	@scripts/setup.sh

configure-native: setup
	@scripts/configure.sh $(NATIVE) -DCMAKE_BUILD_TYPE=Debug

configure-windows: setup
	@scripts/configure.sh $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo

native: configure-native
	@echo "build: native side: the Windows-free core and its unit tests ($(NATIVE))"
	@cmake --build $(NATIVE) --parallel $(JOBS)

windows: configure-windows
	@echo "build: Windows side: toolkit, both programs, Windows and end-to-end tests ($(WINDOWS))"
	@cmake --build $(WINDOWS) --parallel $(JOBS)

build: native windows

# Only what runs: the program and the toolkit it links (no GoogleTest, test programs or probes)
run: configure-windows
	@echo "build: $(PROGRAM).exe and the toolkit ($(WINDOWS))"
	@cmake --build $(WINDOWS) --parallel $(JOBS) --target $(PROGRAM)
	@scripts/run.sh $(WINDOWS)/$(PROGRAM).exe

test-native: native
	@echo "test: native unit tests, $$(ctest --test-dir $(NATIVE) -N | sed -n 's/^Total Tests: //p') tests"
	@ctest --test-dir $(NATIVE) --output-on-failure -j $(JOBS)

test-windows: windows
	@scripts/with-xvfb.sh scripts/test-windows.sh $(WINDOWS)

stress: windows
	@echo "test: the long runs (label stress)"
	@STRESS_CYCLES=$(STRESS_CYCLES) STRESS_SECONDS=$(STRESS_SECONDS) \
	  scripts/with-xvfb.sh scripts/stress.sh $(WINDOWS)

test: test-native test-windows

# The benchmarks build what they need themselves (build/bench, and their targets in build/windows).
bench: configure-windows
	@bench/run.sh $(JOBS)

# The libFuzzer targets of tests/fuzz/, each for FUZZ_SECONDS with ASan and UBSan (not part of make test)
FUZZ_SECONDS ?= 60
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

# The Wine prefixes (build/wineprefix, build/wineprefix-test) stay: remove them by hand to make them anew.
clean:
	rm -rf $(NATIVE) $(WINDOWS) build/bench build/bench-run build/fuzz
