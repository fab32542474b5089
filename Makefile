# The two commands a new user needs: `make run` and `make test`. Both install what is missing.
BUILD_DIR ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=Release

.PHONY: deps configure build test run bench fuzz screenshots install clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) $(CMAKE_FLAGS) > $(BUILD_DIR).configure.log 2>&1 || (cat $(BUILD_DIR).configure.log; exit 1)

build: configure
	@cmake --build $(BUILD_DIR) -j$(JOBS)

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR)

bench: build
	@bash scripts/bench.sh $(BUILD_DIR)

# Pictures of the designer window on the demo reports, in docs/screenshots/.
screenshots: build
	@bash scripts/screenshots.sh $(BUILD_DIR)

# The readers of every input format under mutated inputs, built with the sanitizers in their own
# directory; FUZZ_SECONDS is the time for all targets together. See scripts/fuzz.sh.
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 240
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVENDAMO_SANITIZE=ON \
	  > $(FUZZ_BUILD_DIR).configure.log 2>&1 || (cat $(FUZZ_BUILD_DIR).configure.log; exit 1)
	@cmake --build $(FUZZ_BUILD_DIR) -j$(JOBS) --target vendamo_fuzz
	@FUZZ_SECONDS=$(FUZZ_SECONDS) bash scripts/fuzz.sh $(FUZZ_BUILD_DIR)/tests/fuzz/vendamo_fuzz

# The libraries, headers, tools and the CMake package for find_package(Vendamo).
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR).configure.log $(FUZZ_BUILD_DIR) $(FUZZ_BUILD_DIR).configure.log out
