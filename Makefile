# Front door. `make demo` runs the main job on a built-in sample machine,
# `make test` runs every test, `make bench` the benchmarks. Each target
# installs what the machine lacks (apt-get) before it builds.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
CMAKE_BUILD = cmake --build --preset

.PHONY: all deps-native deps-windows native native-asan native-tsan windows fuzz-build \
        test test-format test-native test-asan test-tsan test-fuzz test-imports test-wine demo bench clean

all: native

deps-native:
	@scripts/deps.sh native
deps-windows:
	@scripts/deps.sh windows wine

native: deps-native
	cmake --preset native >/dev/null
	$(CMAKE_BUILD) native -j $(JOBS)

native-asan: deps-native
	cmake --preset native-asan >/dev/null
	$(CMAKE_BUILD) native-asan -j $(JOBS)

native-tsan: deps-native
	cmake --preset native-tsan >/dev/null
	$(CMAKE_BUILD) native-tsan -j $(JOBS)

windows: deps-windows
	cmake --preset win32 >/dev/null
	$(CMAKE_BUILD) win32 -j $(JOBS)
	cmake --preset win64 >/dev/null
	$(CMAKE_BUILD) win64 -j $(JOBS)

fuzz-build: deps-native
	@scripts/deps.sh fuzz
	cmake --preset fuzz >/dev/null
	$(CMAKE_BUILD) fuzz -j $(JOBS)

test-format: deps-native
	scripts/format-check.sh

test-native: native
	ctest --preset native -j $(JOBS)

test-asan: native-asan
	ctest --preset native-asan -j $(JOBS)

test-tsan: native-tsan
	ctest --preset native-tsan -j $(JOBS)

test-fuzz: fuzz-build
	scripts/run-fuzzers.sh build/fuzz

# the release loads on Windows 95 and NT 4.0: its imports against the list
test-imports: windows
	scripts/check-imports.sh build/win32/LZUNINSTALL.EXE

# the test programs under Wine, driving the release (or, where 32-bit
# programs cannot run, the twin: the script says so)
test-wine: windows
	scripts/windows-tests.sh $(JOBS)

test: test-format test-native test-asan test-tsan test-fuzz test-wine test-imports
	@echo "make test: every suite passed"

demo: $(if $(DISPLAY),windows,native)
	scripts/demo.sh

bench: native deps-windows
	cmake --preset win32 >/dev/null
	$(CMAKE_BUILD) win32 -j $(JOBS) --target remove_folder_wine_bench
	scripts/wine-bench.sh build/win32
	build/native/bench/remove_folder_bench

clean:
	rm -rf build
