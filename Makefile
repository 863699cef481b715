# Every target installs what is missing first, so these work on a fresh Debian 12 machine.
BUILD        ?= build
BUILD_ASAN   ?= build-asan
BUILD_FUZZ   ?= build-fuzz
FUZZ_SECONDS ?= 30
JOBS         ?= $(shell nproc)
PREFIX       ?= /usr/local

.PHONY: all bootstrap build run test test-core test-sanitizers install package bench fuzz clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-app $(BUILD)

# Tests build with every warning an error, as CI does.
test: bootstrap
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIMO_WERROR=ON
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitizers

# Every test again, the windows' included (offscreen), under AddressSanitizer and
# UndefinedBehaviorSanitizer.
test-sanitizers: bootstrap
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DTAVIMO_SANITIZE=ON -DTAVIMO_BUILD_UI=ON -DTAVIMO_BUILD_BENCH=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Tavimo as a desktop program under PREFIX: programs, menu entry, icons, .tvm type, man pages.
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, $(BUILD)/tavimo_<version>_<arch>.deb.
package: build
	cmake --build $(BUILD) --target package

bench: build
	$(BUILD)/tavimo_bench
	$(BUILD)/tavimo_chart_bench
	$(BUILD)/tavimo_time_space_bench

# Each libFuzzer target runs for FUZZ_SECONDS from the seeds in tests/data.
fuzz: bootstrap
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTAVIMO_FUZZ=ON -DTAVIMO_BUILD_UI=OFF -DTAVIMO_BUILD_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	scripts/run-fuzzers $(BUILD_FUZZ) $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ)
