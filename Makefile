# The README's commands. Each one first makes sure the machine has what the
# project needs (scripts/setup-deps.sh installs missing Debian packages).
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
GENERATOR  := -G Ninja
JOBS       ?= $(shell nproc)

.PHONY: deps configure build test run bench bench-idle bench-idle-sway asan fuzz format clean dry-run package

deps:
	@scripts/setup-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-app.sh $(BUILD)/Solitask/solitask

# The Debian package, solitask_<version>_<arch>.deb, in the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

# On a throw-away root: the person's day files are never touched (the
# preferences are only read, so a set claude path still counts).
dry-run: build
	@scratch=$$(mktemp -d) && \
	  SOLITASK_ROOT=$$scratch $(BUILD)/Solitask/solitask --dry-run; \
	  status=$$?; rm -rf "$$scratch"; exit $$status

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@for b in $(BUILD)/bench/*Bench; do echo "== $$b"; $$b --benchmark_min_time=0.2 || exit 1; done

# Solitask at rest beside workrave for a few minutes (BENCH_IDLE_SECONDS).
bench-idle: build
	@scripts/bench-idle.sh $(BUILD)/Solitask/solitask

bench-idle-sway: build
	@BENCH_IDLE_DESKTOP=sway scripts/bench-idle.sh $(BUILD)/Solitask/solitask

asan: deps
	@cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DSOLITASK_SANITIZE=ON -DSOLITASK_BUILD_BENCH=OFF >/dev/null
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS) -L unit

# Each libFuzzer target for FUZZ_SECONDS seconds, e.g. make fuzz FUZZ_SECONDS=300.
fuzz:
	@scripts/setup-deps.sh fuzz
	@scripts/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
