# Adrelo Viewer. `make run` builds and starts the program under Wine;
# `make test` builds everything and runs the unit, Wine and end-to-end tests.
# Both first install whatever is missing on a Debian 12 machine.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all setup build run test clean

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

clean:
	rm -rf $(BUILD_DIR)
