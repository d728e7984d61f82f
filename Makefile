# Front door: `make test` and `make demo` work on a fresh Debian machine.
JOBS ?= 2

.PHONY: all bootstrap build test asan bench fuzz demo docs clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	cmake --preset default
	cmake --build --preset default -j $(JOBS)

test: build
	ctest --preset default -j $(JOBS)

asan: bootstrap
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: bootstrap
	cmake --preset bench
	cmake --build --preset bench -j $(JOBS)
	@for b in build/bench/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

# Seconds of fuzzing per harness.
SECONDS ?= 60
fuzz: bootstrap
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS)
	scripts/fuzz $(SECONDS)

demo: build
	@scripts/run-demo

# API reference into build/docs/html; fails on an undocumented class.
docs: bootstrap
	cmake --preset default
	cmake --build --preset default --target docs

clean:
	rm -rf build
