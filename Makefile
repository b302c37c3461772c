# Tubarex: the everyday commands. Each one first makes sure the Debian
# packages are there (scripts/install-deps skips what is installed).
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR ?= OFF
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
EXAMPLE ?= examples/Tubarex-dati-palazzina
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_CXX ?= clang++-14
FUZZ_SECONDS ?= 60

.PHONY: all deps configure build test run calc bench format clean sanitize fuzz hostile

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DTUBAREX_WERROR=$(WERROR) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: check-display build
	@$(BUILD_DIR)/bin/tubarex

calc: build
	@$(BUILD_DIR)/bin/tubarex-cli calc $(EXAMPLE)

# Every figure is the median of five runs; "target" beside it is the figure
# it must stay under, in the same unit.
BENCH_FLAGS ?= --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

bench: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target tubarex-bench tubarex-output-bench \
	  tubarex-window-bench
	@$(BUILD_DIR)/bin/tubarex-bench $(BENCH_FLAGS)
	@$(BUILD_DIR)/bin/tubarex-output-bench $(BENCH_FLAGS)
	@$(BUILD_DIR)/bin/tubarex-window-bench $(BENCH_FLAGS)

# The whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer; the first error found fails the run. At -O1
# with line tables only: the reports keep their file and line, and the build
# takes a fifth less time than at -O2 with full debug information.
sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DTUBAREX_SANITIZE=ON -DTUBAREX_BENCH=OFF -DTUBAREX_WERROR=$(WERROR) \
		-DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	@cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

# The data-file reader under libFuzzer: every input of tests/fuzz/corpus is
# replayed, then new inputs are tried for FUZZ_SECONDS (kept in
# $(FUZZ_DIR)/corpus; a failing input is saved in $(FUZZ_DIR)).
fuzz:
	@scripts/install-deps --fuzz
	@cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCMAKE_CXX_COMPILER=$(FUZZ_CXX) -DTUBAREX_FUZZ=ON >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target tubarex-fuzz-projectfile
	@mkdir -p $(FUZZ_DIR)/corpus
	@$(FUZZ_DIR)/bin/tubarex-fuzz-projectfile -runs=0 tests/fuzz/corpus
	@$(FUZZ_DIR)/bin/tubarex-fuzz-projectfile -dict=tests/fuzz/projectfile.dict \
		-max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=$(FUZZ_DIR)/ $(FUZZ_DIR)/corpus tests/fuzz/corpus

# The command line against hostile inputs and failing writes.
hostile: build
	@tests/hostile/run.sh $(BUILD_DIR)/bin/tubarex-cli

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD_DIR)

# Installation and package: `make stage` installs into a staging folder as
# the package would (prefix /usr), `make package` builds the Debian package
# in $(BUILD_DIR)/package.
STAGE_DIR ?= $(BUILD_DIR)/stage

.PHONY: check-display stage package

# The program's windows need a screen: without one, say how to get a
# virtual one instead of letting Qt abort.
check-display:
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY$$QT_QPA_PLATFORM" ]; then \
	  echo "make run: nessuno schermo grafico disponibile (DISPLAY non è impostata)." >&2; \
	  echo "Per avviare il programma su uno schermo virtuale: xvfb-run make run" >&2; \
	  exit 1; \
	fi

stage: build
	@rm -rf $(STAGE_DIR)
	@DESTDIR=$(abspath $(STAGE_DIR)) cmake --install $(BUILD_DIR) --prefix /usr >/dev/null
	@echo "Installato in $(STAGE_DIR):"
	@cd $(STAGE_DIR) && find . -mindepth 1 \( -type f -o -type l \) -printf '  /%P\n' | sort

package: build
	@cd $(BUILD_DIR) && cpack -G DEB
