# The project's commands: `make run`, `make test`, `make bench`, `make fuzz`, `make soak`, `make install`,
# `make package`.
JOBS ?= 2
PREFIX ?= /usr/local
FUZZ_SECONDS ?= 60
SOAK_EVENTS ?= 200000
SOAK_SEED ?= 1
GENERATOR := -G Ninja
# The sanitizer build that the tests, the fuzzers and the soak share.
CONFIGURE_TEST := cmake -S . -B build/test $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTINTORB_SANITIZE=ON \
    -DTINTORB_PACKAGE_DIR=$(CURDIR)/build/package
CONFIGURE_RELEASE := cmake -S . -B build/release $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF
# The package's build: release with g++ and Debian's hardening flags (less -g: the files are stripped anyway).
BUILDFLAGS := DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g dpkg-buildflags --get
CONFIGURE_PACKAGE := cmake -S . -B build/package $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ \
    -DTINTORB_TESTS=OFF -DTINTORB_DEBIAN_PACKAGE=ON \
    -DCMAKE_CXX_FLAGS="$$($(BUILDFLAGS) CPPFLAGS) $$($(BUILDFLAGS) CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$$($(BUILDFLAGS) LDFLAGS)"

.PHONY: bootstrap run test bench fuzz soak install package clean

bootstrap:
	@bash scripts/bootstrap.sh

# Release build with g++; the test build below uses clang, so both compilers build every file.
run: bootstrap
	$(CONFIGURE_RELEASE)
	cmake --build build/release -j $(JOBS) --target tintorb
	./build/release/tintorb

# The release build installed under PREFIX (below DESTDIR, when given).
install: bootstrap
	$(CONFIGURE_RELEASE)
	cmake --build build/release -j $(JOBS)
	DESTDIR="$(DESTDIR)" cmake --install build/release --prefix "$(PREFIX)"

# build/package/tintorb_VERSION_ARCH.deb
package: bootstrap
	$(CONFIGURE_PACKAGE)
	cmake --build build/package -j $(JOBS)
	cd build/package && cpack -G DEB

# The tests check the package too, so it is built first.
test: package
	$(CONFIGURE_TEST)
	cmake --build build/test -j $(JOBS)
	cd build/test && ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++ -DTINTORB_TESTS=OFF -DTINTORB_BENCH=ON
	cmake --build build/bench -j $(JOBS) --target tintorb_bench tintorb_window_bench tintorb_startup_probe
	bench/run.sh build/bench

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
