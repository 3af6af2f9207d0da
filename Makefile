# The two commands a newcomer runs: `make demo` and `make test`.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -DTARVO_WERROR=$(WERROR)

.PHONY: icons fuzz all deps demo test test-dev test-asan bench format clean build-dev build-asan build-release

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

test: test-dev test-asan

test-dev: build-dev
	ctest --preset dev

test-asan: build-asan
	ctest --preset asan

bench: build-release
	./build/release/tarvo12-bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build out

# Runs every fuzz target for FUZZ_SECONDS each on its seed corpus (a scratch copy, so the seeds stay small).
FUZZ_SECONDS ?= 60
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@for f in build/fuzz/*_fuzzer; do \
	  name=$$(basename $$f); work=build/fuzz/corpus-$$name; mkdir -p $$work; \
	  cp -n fuzz/corpus/$$name/* $$work/ 2>/dev/null || true; \
	  echo "== $$name ($(FUZZ_SECONDS)s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 $$work 2>&1 | grep -E 'stat::number_of_executed_units|ERROR|SUMMARY' ; \
	  test $${PIPESTATUS[0]} -eq 0 || exit 1; \
	done

icons: deps
	@cmake --preset dev $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset dev --target tarvo12-icongen
	./build/dev/tarvo12-icongen controls/builtin_icons.cpp
