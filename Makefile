# The project's commands: `make run`, `make test`, `make bench`, `make fuzz`, `make soak`.
JOBS ?= 2
FUZZ_SECONDS ?= 60
SOAK_EVENTS ?= 200000
SOAK_SEED ?= 1
GENERATOR := -G Ninja
# The sanitizer build that the tests, the fuzzers and the soak share.
CONFIGURE_TEST := cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTINTORB_SANITIZE=ON

.PHONY: bootstrap run test bench fuzz soak clean

bootstrap:
	@bash scripts/bootstrap.sh

# Release build with g++; the test build below uses clang, so both compilers build every file.
run: bootstrap
	cmake -S . -B build/release $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF
	cmake --build build/release -j $(JOBS) --target tintorb
	./build/release/tintorb

test: bootstrap
	$(CONFIGURE_TEST)
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF -DTINTORB_BENCH=ON
	cmake --build build/bench -j $(JOBS) --target tintorb_bench
	./build/bench/tintorb_bench

# Runs every fuzz target for FUZZ_SECONDS, starting from its committed corpus (new finds go to build/).
fuzz: bootstrap
	$(CONFIGURE_TEST)
	cmake --build build/test -j $(JOBS)
	@for target in build/test/*_fuzz; do \
	    name=$$(basename $$target); mkdir -p build/fuzz-corpus/$$name; \
	    echo "== $$name for $(FUZZ_SECONDS) s"; \
	    $$target -max_total_time=$(FUZZ_SECONDS) build/fuzz-corpus/$$name tests/fuzz/corpus/$$name || exit 1; \
	done

# Random user events against the form for SOAK_EVENTS events, seeds from SOAK_SEED on (a failure names
# the seed and the event to replay it with).
soak: bootstrap
	$(CONFIGURE_TEST)
	cmake --build build/test -j $(JOBS) --target tintorb_unit_tests
	SOAK_EVENTS=$(SOAK_EVENTS) SOAK_SEED=$(SOAK_SEED) ./build/test/tintorb_unit_tests --gtest_filter='Soak.*'

clean:
	rm -rf build
