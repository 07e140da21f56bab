#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer, and
# runs each one for a while (30 seconds unless FUZZ_SECONDS says otherwise) from a copy of its
# seed corpus and the kept regressions. A finding fails the run and leaves its input in
# build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-30}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTALLIMO_BUILD_FUZZ=ON -DTALLIMO_BUILD_TESTS=OFF -DTALLIMO_SANITIZE=ON -DTALLIMO_WERROR=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link
cmake --build build-fuzz --target tallimo_fuzz_targets

mkdir -p build-fuzz/findings
for target in build-fuzz/bin/fuzz_*; do
  name=$(basename "$target")
  kind=${name#fuzz_}
  corpus=build-fuzz/corpus/$kind
  rm -rf "$corpus" && mkdir -p "$corpus"
  cp fuzz/corpus/"$kind"/* "$corpus"/
  echo "== $name: $seconds s"
  "$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/"$name"- "$corpus" fuzz/regressions 2>&1 | tail -n 12
done
