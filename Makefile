# Quick start:  make run   (build the program alone and print the almanac page of the default date)
#               make test  (build and run every test: plain and shuffled, ASan+UBSan, TSan, fuzzers)
BUILD      ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 30

.PHONY: deps configure build run screenshots test test-plain test-asan test-tsan fuzz bench clean

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the program and its data files: the tests and benchmarks wait for `make test`.
# With a display, the desktop program; without one, the almanac page of the
# command-line program.
run: configure
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  cmake --build $(BUILD) -j $(JOBS) --target navora navora_data && $(BUILD)/bin/navora; \
	else \
	  cmake --build $(BUILD) -j $(JOBS) --target navora-cli navora_data && \
	  (cd $(BUILD)/bin && ./navora-cli almanac all) && \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): printed the almanac page instead." \
	    "Start the desktop program from a graphical session with: make run, or $(BUILD)/bin/navora" >&2; \
	fi

# Pictures of the desktop program's windows, drawn offscreen, in $(BUILD)/screenshots.
screenshots: configure
	cmake --build $(BUILD) -j $(JOBS) --target navora-screenshots
	QT_QPA_PLATFORM=offscreen $(BUILD)/bin/navora-screenshots $(BUILD)/screenshots

test: test-plain test-asan test-tsan fuzz

test-plain: build
	ctest --test-dir $(BUILD) -j $(JOBS) --output-on-failure

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNAVORA_SANITIZE=ON -DNAVORA_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD) -j $(JOBS) --output-on-failure

# The engine and task tests under ThreadSanitizer (the tree builds no other tests).
test-tsan: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNAVORA_TSAN=ON -DNAVORA_BENCH=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	ctest --test-dir $(TSAN_BUILD) -j $(JOBS) --output-on-failure

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DNAVORA_FUZZ=ON -DNAVORA_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target navora_fuzzers
	./scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

bench: build
	cd $(BUILD)/bin && ./navora-bench

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD)
