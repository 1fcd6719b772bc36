# Two entry points, each doing the whole set-up on a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and starts the program
#   make test  installs what is missing, checks the format, builds, and runs every test,
#              once in the optimised build and once under AddressSanitizer and UBSan
BUILD_DIR ?= build
ASAN_DIR ?= build-asan
JOBS ?= $(shell nproc)

.PHONY: run test test-windows windows-installer deps build check-format test-release test-asan clean

run: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) --target scindarex -j $(JOBS)
	scripts/run-program.sh $(BUILD_DIR)/bin/scindarex $(ARGS)

test: deps check-format test-release test-asan

deps:
	@scripts/install-deps.sh

check-format:
	scripts/check-format.sh

build:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD_DIR) -j $(JOBS)

test-release: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-asan:
	cmake -S . -B $(ASAN_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSCX_SANITIZE=ON
	cmake --build $(ASAN_DIR) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
		ctest --test-dir $(ASAN_DIR) --output-on-failure -j $(JOBS)

# The program, scindarex-cli and every test suite cross-built for Windows and run under
# wine64, GUI suites included, then the installer installed, started and uninstalled.
test-windows:
	scripts/test-windows.sh

# build-windows/scindarex-2.1-setup.exe, the Windows installer.
windows-installer:
	scripts/install-deps.sh windows
	cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
		-DCMAKE_BUILD_TYPE=Release
	cmake --build build-windows --target windows-installer -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(ASAN_DIR) build-windows
