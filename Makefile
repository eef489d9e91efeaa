# quarvex - the two commands that do everything on a fresh Debian 12 machine:
#   make run    set-up, build, start quarvex under Wine (make run VARIANT=swap for quarvex-swap)
#   make test   set-up, build both programs, run every test layer (native, Windows, end-to-end)
#   make bench  set-up, build and run the benchmarks; one table of figures, also in bench/results.md
#   make stress the long reliability runs (leak cycles, two threads at random); STRESS_CYCLES= and
#               STRESS_SECONDS= change their length
# Further: make build, make native, make windows, make clean, make fuzz (FUZZ_SECONDS=60 per target).

VARIANT ?=
JOBS    ?= $(shell nproc)
NATIVE  := build/native
WINDOWS := build/windows
PROGRAM := $(if $(filter swap,$(VARIANT)),quarvex-swap,quarvex)

.PHONY: all setup build native windows run test test-native test-windows bench fuzz stress clean

all: build

setup:
	@scripts/setup.sh
	@scripts/wine-prefix.sh

$(NATIVE)/Makefile:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null

$(WINDOWS)/Makefile:
	@cmake -S . -B $(WINDOWS) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

native: setup $(NATIVE)/Makefile
	@cmake --build $(NATIVE) -j $(JOBS) -- --no-print-directory -s

windows: setup $(WINDOWS)/Makefile
	@cmake --build $(WINDOWS) -j $(JOBS) -- --no-print-directory -s

build: native windows

run: windows
	@scripts/run.sh $(WINDOWS)/$(PROGRAM).exe

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

test-windows: windows
	@scripts/with-xvfb.sh ctest --test-dir $(WINDOWS) --output-on-failure -LE stress

stress: windows
	@STRESS_CYCLES=$(STRESS_CYCLES) STRESS_SECONDS=$(STRESS_SECONDS) \
	  scripts/with-xvfb.sh ctest --test-dir $(WINDOWS) --output-on-failure -V -L stress

test: test-native test-windows

# The benchmarks build what they need themselves (build/bench, and their targets in build/windows).
bench: setup $(WINDOWS)/Makefile
	@bench/run.sh $(JOBS)

# The libFuzzer targets of tests/fuzz/, each for FUZZ_SECONDS with ASan and UBSan (not part of make test)
FUZZ_SECONDS ?= 60
fuzz:
	@FUZZ_SECONDS=$(FUZZ_SECONDS) scripts/fuzz.sh

clean:
	rm -rf $(NATIVE) $(WINDOWS) build/bench build/bench-run build/fuzz
