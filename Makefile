# The three commands a newcomer runs: `make demo`, `make test` and `make studio`.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -DTARVO_WERROR=$(WERROR)

.PHONY: studio studio-latency rebaseline rebaseline-missing icons fuzz fuzz-ci build-fuzz soak all deps demo test test-dev test-asan bench format clean build-dev build-asan build-release

all: build-dev

deps:
	@./scripts/install-deps

# Explicit rules: make skips pattern rules for phony targets.
build-dev build-asan build-release: deps
	@cmake --preset $(@:build-%=%) $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset $(@:build-%=%)

demo: deps
	@cmake --preset release $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset release --target tarvo12-sim
	./build/release/tarvo12-sim demo --out out/demo
	@echo "The demo is in out/demo/: open out/demo/demo.webp in a browser; frames, contact sheet and trace beside it."

# The studio: the settings pane and a live phone in the browser. STUDIO_ARGS passes options on
# (e.g. STUDIO_ARGS="--settings my.plist --device iPhone8,4 --port 0").
STUDIO_ARGS ?=
studio: deps
	@cmake --preset release $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset release --target tarvo12-sim
	./build/release/tarvo12-sim studio $(STUDIO_ARGS)

test: test-dev test-asan

# The studio's latency from a click on volume up to the new frame painted, held to its 50 ms budget at the
# 95th percentile (docs/performance.md). Run it on an otherwise idle machine; it is not part of CI.
studio-latency: build-release
	node tests/browser/studio_browser_test.mjs build/release/tarvo12-sim build/release/studio --presses 100 --latency-budget 50

test-dev: build-dev
	ctest --preset dev

test-asan: build-asan
	ctest --preset asan

bench: build-release
	./build/release/tarvo12-bench

# Frames and parser messages pinned by baselines (docs/simulator.md). Not part of CI: after a change that
# moves pixels on purpose, rewrite only the baselines that now fail, or write those not there yet; then
# look at the diff before committing. The examples go through `tarvo12-sim test`, the renderer's goldens
# through their tests.
rebaseline: build-dev
	./build/dev/tarvo12-sim test examples --out build/dev/examples-test --rebaseline failing
	TARVO_REBASELINE=failing ./build/dev/tarvo12-tests --gtest_brief=1 --gtest_filter='GoldenTest.*'

rebaseline-missing: build-dev
	./build/dev/tarvo12-sim test examples --out build/dev/examples-test --rebaseline missing
	TARVO_REBASELINE=missing ./build/dev/tarvo12-tests --gtest_brief=1 --gtest_filter='GoldenTest.*'

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out

# The million-event soak (minutes; out of the default suite).
soak: build-dev
	ctest --preset soak

# Every fuzz target (fuzz/*_fuzzer.cpp, libFuzzer with clang) for FUZZ_SECONDS each on its seed corpus. They
# are built in the sanitizer build, from the same objects as the suite.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS = $(patsubst fuzz/%.cpp,%,$(wildcard fuzz/*_fuzzer.cpp))

build-fuzz: deps
	@cmake --preset asan $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset asan --target $(FUZZ_TARGETS)

fuzz: build-fuzz
	@./scripts/run-fuzzers $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# CI's short run: about a minute in all.
FUZZ_CI_SECONDS ?= 12
fuzz-ci: build-fuzz
	@./scripts/run-fuzzers $(FUZZ_CI_SECONDS) $(FUZZ_TARGETS)

icons: deps
	@cmake --preset dev $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset dev --target tarvo12-icongen
	./build/dev/tarvo12-icongen controls/builtin_icons.cpp
