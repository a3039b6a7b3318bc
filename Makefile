# Adrelo Viewer. `make run` builds and starts the program under Wine;
# `make test` builds everything and runs the unit, Wine and end-to-end tests;
# `make package` puts the release files in dist/; `make screenshots` takes the
# README's pictures; `make bench` builds the Windows programs and measures
# Adrelo.exe against the floor (docs/performance.md).
# Each first installs whatever is missing on a Debian 12 machine.
SHELL := /bin/bash
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test bench package screenshots clean

all: build

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release --log-level=NOTICE
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@scripts/run.sh $(BUILD_DIR)

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The release files for Windows users (zips, installers, SHA256SUMS, winget and
# Scoop manifests), made afresh from the builds and dated by the last commit
# (or SOURCE_DATE_EPOCH), so the same commit gives the same bytes; signed
# when ADRELO_SIGN_PKCS12 names a code-signing key (README, Signing a release).
package: build
	@rm -rf dist && bash packaging/package.sh $(BUILD_DIR) dist

# The README's pictures, from the real program under Wine.
screenshots: build
	@tests/e2e/screenshots.sh

# Only the Windows build that this machine's Wine runs (scripts/wine_env.sh):
# build/win32, or build/win64 where 32-bit processes cannot start.
BENCH_TARGETS = Adrelo adrelo_probe adrelo_bench_probe adrelo_bench_reference \
                adrelo_bench_reference_manifest adrelo_bench_tick_floor \
                adrelo_bench_startup_floor adrelo_bench_empty
bench: setup
	@. scripts/wine_env.sh && \
	cmake -S . -B $(BUILD_DIR)/$$ADRELO_WINDOWS_BUILD --log-level=WARNING -DCMAKE_BUILD_TYPE=Release \
	  -DADRELO_PROGRAM_ONLY=OFF \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-$$ADRELO_WINDOWS_PROCESSOR.cmake && \
	cmake --build $(BUILD_DIR)/$$ADRELO_WINDOWS_BUILD -j $(JOBS) --target $(BENCH_TARGETS) \
	  -- --no-print-directory && \
	bench/run_bench.sh $(BUILD_DIR)

clean:
	rm -rf $(BUILD_DIR)
