# The two commands a newcomer runs: `make demo` and `make test`.
WERROR ?= $(if $(CI),ON,OFF)
CMAKE_FLAGS = -DTARVO_WERROR=$(WERROR)

.PHONY: all deps demo test test-dev test-asan bench format clean build-dev build-asan build-release

all: build-dev

deps:
	@./scripts/install-deps

build-%: deps
	@cmake --preset $* $(CMAKE_FLAGS) >/dev/null
	@cmake --build --preset $*

demo: build-release
	./build/release/tarvo12-sim demo --out out/demo

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
