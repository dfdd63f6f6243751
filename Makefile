# The two commands a player or a maker needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2

.PHONY: run test setup build bench sanitize check-sanitize clean

run: build
	@bash tools/setup/run-game.sh $(BUILD)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

setup:
	@bash tools/setup/install-deps.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j$(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do echo "== $$b"; $$b; done

clean:
	rm -rf $(BUILD)
