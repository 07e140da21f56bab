#!/usr/bin/env bash
# Builds the program, its tests and its benchmarks, and runs every test twice: in a normal build,
# and in a build with AddressSanitizer and UndefinedBehaviorSanitizer (the end-to-end test runs
# once). Between the two, builds the fuzz targets with clang and runs each one for 30 seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/format-check.sh
bash scripts/check-layers.sh
bash scripts/check-sizes.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_WERROR=ON \
  -DTALLIMO_BUILD_BENCH=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2

bash scripts/fuzz.sh

# The Debian package, built in a clean folder and checked installed.
bash scripts/package-check.sh

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_WERROR=ON \
  -DTALLIMO_SANITIZE=ON
cmake --build build-asan
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j2 -LE e2e
