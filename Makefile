# make run   - install what is missing, build, start Digrex
# make test  - install what is missing, build, run every test
# make bench - build and run the benchmarks
BUILD ?= build
JOBS ?= $(shell nproc)
PACKAGES := cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev \
	zlib1g-dev libssl-dev libcrypto++-dev librhash-dev libgtest-dev libbenchmark-dev \
	xvfb xdotool xclip xauth adwaita-icon-theme fonts-dejavu-core
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DDIGREX_WERROR=ON
endif

.PHONY: deps configure build run test bench clean

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

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BUILD)-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIGREX_TESTS=OFF
	cmake --build $(BUILD)-bench -j $(JOBS)
	for b in $(BUILD)-bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

clean:
	rm -rf $(BUILD) $(BUILD)-bench
