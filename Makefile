# make run   - install what is missing, build, start Digrex
# make test  - install what is missing, build, run every test
# make bench - build and run the benchmarks
# make fuzz  - build the fuzz targets with clang and run each for FUZZ_SECONDS (60)
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
	zlib1g-dev libssl-dev libcrypto++-dev librhash-dev libgtest-dev libbenchmark-dev \
	xvfb xdotool xclip xauth x11-utils desktop-file-utils adwaita-icon-theme fonts-dejavu-core qt6-translations-l10n clang-14 libclang-rt-14-dev
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DDIGREX_WERROR=ON
endif

.PHONY: deps configure build run test test-asan test-tsan test-tsan-worker bench fuzz fuzz-ci fuzz-build clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/digrex $(ARGS)

# In CI, after the quick suite: the threaded subjects under TSan, the fuzzers and the
# whole suite under ASan+UBSan, cheapest first. Each step runs even when an earlier one
# failed, so one CI run shows every finding; the wall time of each step is printed.
CI_STEPS := test-tsan fuzz-ci test-asan

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
ifeq ($(CI),true)
	@failed=""; for step in $(CI_STEPS); do \
	  start=$$(date +%s); \
	  $(MAKE) --no-print-directory $$step || failed="$$failed $$step"; \
	  echo "== make $$step: $$(( $$(date +%s) - start )) s"; \
	done; \
	if [ -n "$$failed" ]; then echo "== failed:$$failed"; exit 1; fi
endif

# Qt and the system libraries are not instrumented: ThreadSanitizer ignores what they do
# through its interceptors (see tests/sanitizers/tsan.supp), and the suppression files
# hold only findings proven to lie wholly inside a third-party library.
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitizers/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 ignore_noninstrumented_modules=1 \
	  suppressions=$(CURDIR)/tests/sanitizers/tsan.supp"

# The hashing thread and its lanes under ThreadSanitizer, without the windows: a quick check.
test-tsan-worker: deps
	cmake -S . -B $(BUILD)-tsan-worker -G Ninja -DDIGREX_SANITIZE=thread -DDIGREX_GUI=OFF -DDIGREX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-tsan-worker -j $(JOBS) --target tests_worker
	cd $(BUILD)-tsan-worker && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) -L worker

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	cmake -S . -B $(BUILD)-asan -G Ninja -DDIGREX_SANITIZE=address -DDIGREX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-asan -j $(JOBS)
	cd $(BUILD)-asan && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS)

# The threaded subjects under ThreadSanitizer: the hashing thread, the windows that
# drive it, and digrexsum, whose lanes hash on several threads. Only their tests are built.
TSAN_SUBJECTS ?= worker app dialogs cli
test-tsan: deps
	cmake -S . -B $(BUILD)-tsan -G Ninja -DDIGREX_SANITIZE=thread -DDIGREX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-tsan -j $(JOBS) --target $(addprefix tests_,$(TSAN_SUBJECTS))
	cd $(BUILD)-tsan && $(SANITIZER_ENV) ctest --output-on-failure -j $(JOBS) \
	  -L '^($(subst $(eval) ,|,$(strip $(TSAN_SUBJECTS))))$$'

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIGREX_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	for b in $(BUILD)-bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

# The readers of outside text under libFuzzer, ASan and UBSan (clang build of its own).
FUZZ_SECONDS ?= 60
fuzz-build: deps
	cmake -S . -B $(BUILD)-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DDIGREX_FUZZ=ON \
	  -DDIGREX_GUI=OFF -DDIGREX_TESTS=OFF -DDIGREX_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)-fuzz -j $(JOBS) --target digrex_fuzzers

# Keeps the corpus each run grows in $(BUILD)-fuzz/corpus.
fuzz: fuzz-build
	fuzz/run.sh $(BUILD)-fuzz $(FUZZ_SECONDS) $(BUILD)-fuzz/corpus $(BUILD)-fuzz/crashes

# 30 seconds each from the seed corpus alone; fails on any crash.
fuzz-ci: fuzz-build
	@work=$$(mktemp -d); fuzz/run.sh $(BUILD)-fuzz 30 $$work $(BUILD)-fuzz/crashes; rc=$$?; rm -rf $$work; exit $$rc

clean:
	rm -rf $(BUILD) $(BUILD)-bench $(BUILD)-asan $(BUILD)-tsan $(BUILD)-tsan-worker $(BUILD)-fuzz
