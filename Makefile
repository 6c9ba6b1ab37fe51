# The project's commands: `make run`, `make test`, `make bench`, `make fuzz`.
JOBS ?= 2
FUZZ_SECONDS ?= 60
GENERATOR := -G Ninja

.PHONY: bootstrap run test bench fuzz clean

bootstrap:
	@bash scripts/bootstrap.sh

# Release build with g++; the test build below uses clang, so both compilers build every file.
run: bootstrap
	cmake -S . -B build/release $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF
	cmake --build build/release -j $(JOBS) --target tintorb
	./build/release/tintorb

test: bootstrap
	cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTINTORB_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF -DTINTORB_BENCH=ON
	cmake --build build/bench -j $(JOBS) --target tintorb_bench tintorb_window_bench tintorb_startup_probe
	bench/run.sh build/bench

# Runs every fuzz target for FUZZ_SECONDS, starting from its committed corpus (new finds go to build/).
fuzz: bootstrap
	cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTINTORB_SANITIZE=ON
	cmake --build build/test -j $(JOBS)
	@for target in build/test/*_fuzz; do \
	    name=$$(basename $$target); mkdir -p build/fuzz-corpus/$$name; \
	    echo "== $$name for $(FUZZ_SECONDS) s"; \
	    $$target -max_total_time=$(FUZZ_SECONDS) build/fuzz-corpus/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

clean:
	rm -rf build
