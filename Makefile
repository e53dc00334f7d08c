# Everything starts here: `make run` and `make test` install what is missing first.
PRESET ?= release
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60
FUZZERS := format_read read_number find

.PHONY: all deps configure build test test-release test-asan test-fuzz fuzz-build fuzz package \
	run bench screenshot clean crash-test

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET)

build: configure
	cmake --build --preset $(PRESET) --parallel $(JOBS)

# The three builds run side by side: each leaves a core idle while it configures, links and
# waits on its slowest test, and the others fill those gaps.
test: deps
	$(MAKE) --no-print-directory -j3 --output-sync=target test-release test-asan test-fuzz

test-release: build
	ctest --preset $(PRESET) --parallel $(JOBS)

# Printing copies killed at random for CRASH_SECONDS, in rounds of a second: every record whole.
CRASH_SECONDS ?= 60
crash-test: build
	KAVREL_CRASH_SECONDS=$(CRASH_SECONDS) ./$(BUILD_DIR)/tests/core/kavrel_core_tests \
		--gtest_filter=PrintCrash.*

# The core, the window and their tests once more under AddressSanitizer, LeakSanitizer and
# UndefinedBehaviorSanitizer.
test-asan: deps
	cmake --preset asan
	cmake --build --preset asan --parallel $(JOBS)
	ctest --preset asan --parallel $(JOBS)

# A few seconds of each fuzzer, starting from its committed seeds.
test-fuzz: fuzz-build
	ctest --preset fuzz --parallel $(JOBS)

fuzz-build: deps
	cmake --preset fuzz
	cmake --build --preset fuzz --parallel $(JOBS)

# Each fuzzer for FUZZ_SECONDS: the inputs it learns stay in build/fuzz/corpus, a failing
# input goes to build/fuzz/findings.
fuzz: fuzz-build
	@mkdir -p build/fuzz/findings
	@for name in $(FUZZERS); do \
		mkdir -p build/fuzz/corpus/$$name && \
		./build/fuzz/fuzz/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
			-print_final_stats=1 -artifact_prefix=build/fuzz/findings/$$name- \
			build/fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# The Debian package, kavrel_<version>_amd64.deb, copied here from the release build.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	cp $(BUILD_DIR)/kavrel_*_amd64.deb .

run: build
	./$(BUILD_DIR)/src/app/kavrel

# The benchmarks are built only here, which keeps them out of make test's build time.
bench: deps
	cmake --preset $(PRESET) -DKAVREL_BENCH=ON
	cmake --build --preset $(PRESET) --parallel $(JOBS)
	./$(BUILD_DIR)/bench/kavrel_core_bench
	xvfb-run -a ./$(BUILD_DIR)/bench/kavrel_startup_bench
	./$(BUILD_DIR)/bench/kavrel_sections_bench
	xvfb-run -a ./$(BUILD_DIR)/bench/kavrel_sections_startup_bench

# The pictures in the README: the window with SHS selected, "100x100x5.0" chosen, Find
# pressed; Kavrel Sections with a requirement, sorted by W, the lightest size drawn.
screenshot: build
	@mkdir -p docs
	cmake --build --preset $(PRESET) --target kavrel-screenshot kavrel-sections-screenshot
	xvfb-run -a -s "-screen 0 1024x768x24" ./$(BUILD_DIR)/src/app/kavrel-screenshot docs/screenshot.png
	xvfb-run -a -s "-screen 0 1280x800x24" ./$(BUILD_DIR)/src/app/kavrel-sections-screenshot \
		docs/sections.png

clean:
	rm -rf build
