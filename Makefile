# Everything starts here: `make run` and `make test` install what is missing first.
PRESET ?= release
BUILD_DIR := build/$(PRESET)
JOBS ?= $(shell nproc)

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@./scripts/install-deps.sh

configure: deps
	cmake --preset $(PRESET) -DKAVREL_BENCH=ON

build: configure
	cmake --build --preset $(PRESET) --parallel $(JOBS)

test: build
	ctest --preset $(PRESET) --parallel $(JOBS)

run: build
	./$(BUILD_DIR)/src/app/kavrel

bench: build
	./$(BUILD_DIR)/bench/kavrel_core_bench

clean:
	rm -rf build
