# The two commands of the README: `make run` and `make test`.
BUILD ?= build
FUZZ_BUILD ?= build-fuzz
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc)

.PHONY: deps configure build test test-sanitize run bench fuzz format clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS) --timeout 600

# The Qt-free libraries and their tests (every test but those of the windows,
# the Qt canvas and kvf) once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, in a build folder of their own.
SANITIZE_FLAGS = -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVF_QT=OFF -DKVF_BENCH=OFF \
	  -DCMAKE_CXX_FLAGS="$(SANITIZE_FLAGS)" -DCMAKE_C_FLAGS="$(SANITIZE_FLAGS)" >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS) --timeout 900

run: build
	@bash scripts/run-demo.sh $(BUILD)

# The engine's cases, then those of the windows, the registry and the reports.
bench: build
	@set -e; for b in kvf_bench kvf_ui_bench kvf_registry_bench kvf_report_bench; do \
	  if [ -x $(BUILD)/bench/$$b ]; then echo "== $$b"; QT_QPA_PLATFORM=offscreen $(BUILD)/bench/$$b; fi; \
	done

# libFuzzer targets, with clang, outside the test run.
fuzz: deps
	@CC=clang-14 CXX=clang++-14 cmake -S . -B $(FUZZ_BUILD) -G Ninja -DKVF_FUZZ=ON -DKVF_QT=OFF \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined" >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) $(FUZZ_BUILD) $(SANITIZE_BUILD)
