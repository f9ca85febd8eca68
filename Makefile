# Thin wrappers around CMake; see README.md.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build test sanitize run bench clean

deps:
	bash scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# AddressSanitizer, UndefinedBehaviorSanitizer and ThreadSanitizer trees (build-asan, build-tsan).
sanitize: deps
	JOBS=$(JOBS) bash scripts/sanitize

run: build
	$(BUILD)/bin/quorvance $(ARGS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD)
