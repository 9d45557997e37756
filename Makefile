# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
# Warnings are errors in these builds; a compiler cache speeds rebuilds where one is installed.
CONFIGURE = -G Ninja -DBURNLAB_WERROR=ON $(if $(CCACHE),-DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE))
CCACHE := $(shell command -v ccache 2>/dev/null)

.PHONY: run test deps build build-asan bench screenshot clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CONFIGURE) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CONFIGURE) -DCMAKE_BUILD_TYPE=Debug -DBURNLAB_SANITIZE=ON -DBURNLAB_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/gui/burnlab --simulate

test: build build-asan
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/burnlab_bench

screenshot: build
	cmake --build $(BUILD) --target screenshot

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
