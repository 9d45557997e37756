# The two commands of the README: `make run` and `make test`.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: run test deps build build-asan bench screenshot clean

deps:
	@./scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

build-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBURNLAB_SANITIZE=ON -DBURNLAB_BENCH=OFF
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
