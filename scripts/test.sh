#!/usr/bin/env bash
# Builds the program and its tests, then runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALLIMO_WERROR=ON
cmake --build build
ctest --test-dir build --output-on-failure -j2
