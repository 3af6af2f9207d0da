# The three commands a newcomer runs: `make demo`, `make test` and `make studio`.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -DTARVO_WERROR=$(WERROR)

.PHONY: studio rebaseline rebaseline-missing icons fuzz fuzz-ci build-fuzz soak all deps demo test test-dev test-asan bench format clean build-dev build-asan build-release

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
	@echo "The demo's frames, contact sheet and trace are in out/demo/ (open out/demo/contact-sheet.png)."

# The studio: the settings pane and a live phone in the browser. STUDIO_ARGS passes options on
# (e.g. STUDIO_ARGS="--settings my.plist --device iPhone8,4 --port 0").
STUDIO_ARGS ?=
studio: deps
	@cmake --preset release $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset release --target tarvo12-sim
	./build/release/tarvo12-sim studio $(STUDIO_ARGS)

test: test-dev test-asan

test-dev: build-dev
	ctest --preset dev

test-asan: build-asan
	ctest --preset asan

bench: build-release
	./build/release/tarvo12-bench

# Frames and parser messages pinned by baselines (docs/simulator.md). Not part of CI: after a change that
# moves pixels on purpose, rewrite only the baselines that now fail, or write those not there yet; then
# look at the diff before committing.
BASELINE_TESTS = Examples/*:ErrorExamples.*:GoldenTest.*
rebaseline: build-dev
	TARVO_REBASELINE=failing ./build/dev/tarvo12-tests --gtest_brief=1 --gtest_filter='$(BASELINE_TESTS)'

rebaseline-missing: build-dev
	TARVO_REBASELINE=missing ./build/dev/tarvo12-tests --gtest_brief=1 --gtest_filter='$(BASELINE_TESTS)'

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
