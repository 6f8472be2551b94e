# Two commands a school's technician or a developer needs:
#   make run   - installs what is missing, builds, and starts Corvana
#   make test  - installs what is missing, builds, and runs every test headless
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: run test build setup configure bench clean

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
	@cd $(BUILD) && for b in bench_*; do [ -x "$$b" ] && QT_QPA_PLATFORM=offscreen ./$$b; done

clean:
	@rm -rf $(BUILD)
