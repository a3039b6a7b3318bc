# Adrelo Viewer. `make run` builds and starts the program under Wine;
# `make test` builds everything and runs the unit, Wine and end-to-end tests;
# `make bench` builds the Windows programs and measures Adrelo.exe against the
# floor (docs/performance.md).
# All three first install whatever is missing on a Debian 12 machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test bench clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release --log-level=WARNING
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD_DIR)/win32/Adrelo.exe

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# Only the Windows part (build/win32, the same folder the full build uses).
BENCH_TARGETS = Adrelo adrelo_probe adrelo_bench_probe adrelo_bench_reference \
                adrelo_bench_reference_manifest adrelo_bench_empty
bench: setup
	@cmake -S . -B $(BUILD_DIR)/win32 -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	  -DCMAKE_BUILD_TYPE=Release --log-level=WARNING
	@cmake --build $(BUILD_DIR)/win32 -j $(JOBS) --target $(BENCH_TARGETS) -- --no-print-directory
	@bench/run_bench.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
