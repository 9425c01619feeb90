# Quick start: `make run` starts the editor, `make test` builds and runs every test.
BUILD ?= build
JOBS  ?= $(shell nproc)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

# ccache results are shared between checkouts in different folders.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

.PHONY: all deps configure build run test bench clean test-sanitize fuzz package

# Hardening builds: the whole test suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the libFuzzer targets (clang++).
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
# Light optimisation and line tables only: the reports name file and line,
# and the instrumented tree builds in far less time than with full debug info.
HARDENING_FLAGS = -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG"
SANITIZE_ENV = ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0 \
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The JACK integration tests (label "integration") run in `make test` only.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_FLAGS) $(HARDENING_FLAGS) -DLINDEL_SANITIZE=ON -DLINDEL_BUILD_BENCH=OFF > /dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && $(SANITIZE_ENV) ctest --output-on-failure -j $(JOBS) -LE integration

fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) $(CMAKE_FLAGS) $(HARDENING_FLAGS) -DCMAKE_CXX_COMPILER=clang++ \
	  -DLINDEL_FUZZ=ON -DLINDEL_BUILD_TESTS=OFF -DLINDEL_BUILD_BENCH=OFF > /dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# lindel_VERSION_amd64.deb in the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

bench: build
	@bash scripts/run-bench.sh $(BUILD)

clean:
	rm -rf $(BUILD)
