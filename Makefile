# The two commands a player or a maker needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test setup build bench measure sanitize same-data clean fuzz web web-for-tests serve-web

run: build
	@bash tools/setup/run-game.sh $(BUILD)

# In CI the sanitizer suite runs as well, and the data is built a second time with clang.
test: build web-for-tests
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
ifeq ($(CI),true)
	$(MAKE) sanitize
	$(MAKE) same-data
endif

setup:
	@bash tools/setup/install-deps.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

# Start-up time, frame rate and peak memory of the real window, on a virtual X server.
measure: build
	@bash tools/measure/window-figures.sh $(BUILD)

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer, in a folder of its own.
# Leaks are not checked while the data generators run: fontconfig keeps its caches on purpose.
sanitize: setup
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=Debug -DSKULL_SANITIZE=ON
	ASAN_OPTIONS=detect_leaks=0 cmake --build $(BUILD)-sanitize -j$(JOBS)
	cd $(BUILD)-sanitize && ctest --output-on-failure -j$(JOBS)

# The generated data, built by clang (its generators only, in a folder of its own), must be the
# same bytes as gcc's: machines whose data differ cannot play together. Names every file that
# differs.
CLANG_DATA_BUILD ?= $(BUILD)-clang-data
same-data: build
	@JOBS=$(JOBS) bash tools/datacheck/same-data.sh $(BUILD) $(CLANG_DATA_BUILD)

clean:
	rm -rf $(BUILD) $(CLANG_DATA_BUILD)

# The libFuzzer targets of the file and network message readers, in a clang build of their own
# (ASan + UBSan). Run one with: tools/fuzz/run-fuzz.sh vgp 600 (or fpg, vba, net)
FUZZ_BUILD ?= build-fuzz
fuzz:
	@command -v clang++ >/dev/null || { echo "make fuzz needs clang"; exit 1; }
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DSKULL_SANITIZE=ON -DSKULL_FUZZ=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
	# The generators that run during the build leak inside system libraries; leaks are not what
	# this build looks for.
	ASAN_OPTIONS=detect_leaks=0 cmake --build $(FUZZ_BUILD) -j$(JOBS) --target fuzz_vgp fuzz_fpg fuzz_vba fuzz_net

# The game as a web page in $(WEB): index.html with its loader, wasm and data package, and the
# headless runner for node. The libraries for the web are built once into ~/.cache/skullgnawer-web.
WEB ?= build-web
web: build
	@bash tools/web/build-page.sh $(BUILD) $(WEB)

# The tests of the page need it built; without a web toolchain they say so and are skipped.
web-for-tests: build
	@if command -v emcc >/dev/null; then $(MAKE) --no-print-directory web; \
	else echo "No emscripten here: the browser tests will be skipped"; fi

serve-web:
	@node tools/web/serve.mjs $(WEB)
