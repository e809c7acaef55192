# Entry points a newcomer needs. Each target installs what it needs first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
RELEASE_BUILD ?= build-release
JOBS       ?= $(shell nproc)
DEMO_DIR   ?= $(CURDIR)/demo-output
# Seconds each fuzz target runs in the sanitizer pass (the normal pass runs them briefly).
FUZZ_SECONDS ?= 60

.PHONY: setup build test test-fast asan fuzz demo check-rtf bench format format-check clean \
        release install-check package

setup:
	@scripts/setup.sh

build: setup
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQVC_WERROR=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# The whole suite: normal build, then the ASan+UBSan build, both through ctest,
# then the Release build installed, used by the example host and packaged.
test: build format-check
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300
	@$(MAKE) --no-print-directory asan
	@$(MAKE) --no-print-directory install-check

# A Release build as a packager makes it: warnings are not errors, no tests.
release: setup
	@cmake -S . -B $(RELEASE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVC_WERROR=OFF \
	  -DQVC_BUILD_TESTS=OFF -DQVC_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(RELEASE_BUILD) -j $(JOBS)

# Installs the Release build into a temporary prefix, builds and runs the example
# host against it (CMake package and pkg-config), builds the .deb and checks it.
install-check: release
	@scripts/install-check.sh $(RELEASE_BUILD)

# The Debian package qvcomponents_<version>_amd64.deb, in $(RELEASE_BUILD).
package: release
	@cmake --build $(RELEASE_BUILD) --target package

test-fast: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 300

asan: setup
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVC_SANITIZE=ON -DQVC_WERROR=ON \
	  -DQVC_BUILD_BENCH=OFF -DQVC_BUILD_VIEWER=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp QVC_FUZZ_SECONDS=$(FUZZ_SECONDS) \
	  ctest --output-on-failure -j $(JOBS) --timeout 600 -LE slow

# Only the fuzz targets, under ASan+UBSan: make fuzz FUZZ_SECONDS=600
fuzz: setup
	@cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVC_SANITIZE=ON -DQVC_WERROR=ON \
	  -DQVC_BUILD_BENCH=OFF -DQVC_BUILD_VIEWER=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target qvc_fuzz_targets
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp QVC_FUZZ_SECONDS=$(FUZZ_SECONDS) \
	  ctest --output-on-failure -j $(JOBS) --timeout $$(($(FUZZ_SECONDS) + 300)) -L fuzz

demo: build
	@$(BUILD)/bin/qvc demo $(DEMO_DIR)

# The RTF reader checks need LibreOffice; they are skipped when it is absent.
check-rtf:
	@scripts/setup.sh --rtf
	@$(MAKE) --no-print-directory build
	@cd $(BUILD) && ctest --output-on-failure -L rtfcheck

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b --benchmark_min_time=0.2; done
	@echo "== peak memory of qvc calc with every report"; bench/reports/peak_memory.sh $(BUILD)

format:
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format -i

format-check:
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format --dry-run --Werror

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD)
