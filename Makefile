# Two commands a school's technician or a developer needs:
#   make run   - installs what is missing, builds, and starts Corvana
#   make test  - installs what is missing, builds, and runs every test headless
# and for those who ship or guard it:
#   make package                 - a Debian package (build/corvana_VERSION_ARCH.deb)
#   make test-sanitizers         - the whole suite again under AddressSanitizer and UBSan
#   make fuzz FUZZ_SECONDS=60    - every fuzz target for that long (clang, libFuzzer)
BUILD ?= build
SAN_BUILD ?= build-sanitizers
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build setup configure bench clean package test-sanitizers fuzz

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@cd $(BUILD) && ./corvana

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: configure
	@cmake --build $(BUILD) -j $(JOBS) --target benchmarks
	@cd $(BUILD) && for b in bench_*; do if [ -f "$$b" ] && [ -x "$$b" ]; then QT_QPA_PLATFORM=offscreen ./$$b || exit 1; fi; done

package: build
	@cd $(BUILD) && cpack -G DEB >/dev/null
	@for deb in $(BUILD)/corvana_*.deb; do echo "$$deb"; dpkg-deb --field "$$deb" Depends Recommends; done

# A second build folder (-O1, no benchmarks) that takes the normal build's media folder.
test-sanitizers: build
	@cmake -S . -B $(SAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
	  -DCORVANA_SANITIZE=ON -DCORVANA_PREBUILT_DATA=$(abspath $(BUILD))/data >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	@cd $(SAN_BUILD) && QT_QPA_PLATFORM=offscreen UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

fuzz: setup
	@FUZZ_SECONDS=$(FUZZ_SECONDS) BUILD=$(FUZZ_BUILD) JOBS=$(JOBS) bash scripts/fuzz.sh

clean:
	@rm -rf $(BUILD) $(SAN_BUILD) $(FUZZ_BUILD)
