#!/usr/bin/env bash
# The inner loop: the format check, the layer check, a debug build with warnings as errors and
# the unit and window tests (no end-to-end test, no package, no fuzzing, no sanitizers; the
# README's test command runs all of those). Installs nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/format-check.sh
bash scripts/check-layers.sh
bash scripts/check-sizes.sh
cmake --preset debug >/dev/null
cmake --build --preset debug
ctest --preset debug
