# Thin front door: every target installs what is missing, then drives CMake presets.
PRESET ?= release
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

test: build
	ctest --preset $(PRESET) -j $(JOBS)

run: build
	scripts/run $(PRESET)

clean:
	rm -rf build
