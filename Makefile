# Tubarex: the everyday commands. Each one first makes sure the Debian
# packages are there (scripts/install-deps skips what is installed).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
EXAMPLE ?= examples/Tubarex-dati-palazzina

.PHONY: all deps configure build test run calc bench format clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTUBAREX_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@$(BUILD_DIR)/bin/tubarex

calc: build
	@$(BUILD_DIR)/bin/tubarex-cli calc $(EXAMPLE)

bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target tubarex-bench tubarex-output-bench
	@$(BUILD_DIR)/bin/tubarex-bench
	@$(BUILD_DIR)/bin/tubarex-output-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)
