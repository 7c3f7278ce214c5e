# Quorvex: build, test and run. Each target installs what is missing first.
JOBS ?= $(shell nproc)
SHELL := /bin/bash

.PHONY: all build test run bench dist clean bootstrap host win64 win32 win64-clang deps soak fuzz-build fuzz-smoke fuzz

all: build

bootstrap:
	@scripts/bootstrap

deps: bootstrap
	@scripts/build-libjpeg x86_64-w64-mingw32
	@scripts/build-libjpeg i686-w64-mingw32

host: bootstrap
	@cmake --preset host >/dev/null
	@cmake --build --preset host -j$(JOBS)

# The portable core under libFuzzer (clang): one program per tests/fuzz/*.cpp.
fuzz-build: bootstrap
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j$(JOBS)

# Each fuzz target for a fixed number of inputs, as `make test` runs them.
fuzz-smoke: fuzz-build
	@ctest --preset fuzz

# Each fuzz target for FUZZ_SECONDS; prints inputs run, coverage and failing
# inputs per target (scripts/fuzz-report).
FUZZ_SECONDS ?= 60
fuzz: fuzz-build
	@scripts/fuzz-report $(FUZZ_SECONDS)

win64: deps
	@cmake --preset win64 >/dev/null
	@cmake --build --preset win64 -j$(JOBS)

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j$(JOBS)

# The program and the Windows-side tests by a second compiler, on the
# libjpeg-turbo a distribution ships (tests only; not part of dist/).
win64-clang: bootstrap
	@scripts/build-libjpeg x86_64-clang-stock
	@cmake --preset win64-clang >/dev/null
	@cmake --build --preset win64-clang -j$(JOBS)

# Both Windows programs and their setups, copied to dist/win32 and dist/win64.
build: win64 win32
	@scripts/collect-dist

test: host fuzz-build win64 win32 win64-clang
	@scripts/collect-dist
	@scripts/run-tests

# The end-to-end tier ROUNDS times with both cores kept busy, a table of passes
# per script (SHUFFLE=1: a new order each round; BURN=N busy workers).
ROUNDS ?= 3
SHUFFLE ?= 0
BURN ?= 2
soak: win64
	@SHUFFLE=$(SHUFFLE) BURN=$(BURN) scripts/soak $(ROUNDS)

run: build
	@scripts/run-bar

# Start-up, memory, idle CPU, search latency, size and imports of the bar
# against a minimal reference program (bench/run); N starts of each.
N ?= 15
bench: build
	@bench/run -n $(N)

# dist/Quorvex-<version>-win32.zip and -win64.zip, the setups
# dist/Quorvex-<version>-setup.exe and -win64-setup.exe, and their winget
# (dist/winget/) and Scoop (dist/scoop/) manifests.
dist: build
	@scripts/make-release

clean:
	rm -rf build/host build/fuzz build/win64 build/win32 build/win64-clang build/bench-win64 dist
