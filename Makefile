# Thin front door: every target installs what is missing, then drives CMake presets.
PRESET ?= release
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZ_DIR = build/fuzz

.PHONY: all deps configure build window test run bench fuzz lint fresh-test package clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) -j $(JOBS)

# The window program and what it is built from, not the tests.
window: configure
	cmake --build --preset $(PRESET) -j $(JOBS) --target widmo

# Ends with the reasons of the tests that were skipped, counted.
test: build
	ctest --preset $(PRESET) -j $(JOBS) --output-junit $(CURDIR)/build/$(PRESET)/Testing/results.xml; \
	  status=$$?; scripts/skipped-tests build/$(PRESET)/Testing/results.xml; exit $$status

# Says at once, before anything is installed or built, when there is no desktop session.
run:
	@scripts/run --check-display
	$(MAKE) --no-print-directory window
	scripts/run $(PRESET)

# Transform against FFTW and the plain version, the whole program against numpy.
bench:
	scripts/install-deps bench
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET) -j $(JOBS) --target fourier_bench widmo-cli
	bench/run-benchmarks build/$(PRESET)

# Builds the fuzzers (clang, sanitizers), writes their seeds and runs each for
# FUZZ_SECONDS: the whole road of a picture from its file (BMP and the formats of Qt's
# plugins, from PNG, JPEG, GIF, TIFF, WebP and PGM seeds and a 1024 x 1024 JPEG of the
# 500 scans the walk lets through, which takes under a second: an input that takes 3 s,
# as one of 10000 scans (120 KB) would, fails), then the codec alone on long generated
# streams. Any crash, leak, hang or undefined behaviour fails the target and leaves the
# input in $(FUZZ_DIR)/artifacts.
fuzz:
	scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target bmp_fuzzer bmp_stream_fuzzer make_corpus
	rm -rf $(FUZZ_DIR)/seeds && $(FUZZ_DIR)/fuzz/make_corpus $(FUZZ_DIR)/seeds
	mkdir -p $(FUZZ_DIR)/found $(FUZZ_DIR)/found-stream $(FUZZ_DIR)/artifacts
	$(call run_fuzzer,bmp_fuzzer,found,pipeline,-timeout=3 -max_len=131072)
	$(call run_fuzzer,bmp_stream_fuzzer,found-stream,stream,-timeout=10)

# $(call run_fuzzer,PROGRAM,CORPUS,SEEDS,OPTIONS): one fuzzer for FUZZ_SECONDS.
define run_fuzzer
	QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  $(FUZZ_DIR)/fuzz/$(1) -max_total_time=$(FUZZ_SECONDS) $(4) \
	  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=$(FUZZ_DIR)/artifacts/$(1)- \
	  $(FUZZ_DIR)/$(2) $(FUZZ_DIR)/seeds/$(3)
endef

# Builds the programs with clang-14 under clang-tidy-14 (.clang-tidy): any finding fails.
lint:
	scripts/install-deps lint
	cmake --preset lint
	cmake --build --preset lint -j $(JOBS)

# The Debian package of both programs, into dist/: the programs and what the package holds,
# without the tests, in build/package.
package:
	scripts/install-deps package
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cd build/package && cpack

# The two commands in a brand-new Debian 12 root, on a fresh clone of HEAD (needs root).
fresh-test:
	scripts/fresh-test

clean:
	rm -rf build
