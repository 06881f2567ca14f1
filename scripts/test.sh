#!/usr/bin/env bash
# Sets everything up, then runs every test: the unit, transcript, property, window and browser
# tests; everything built again as Release, with its unit tests; the unit and property tests again
# under AddressSanitizer and UndefinedBehaviorSanitizer; and each fuzzer for a short bounded time.
# Warnings are errors in every one of these builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh test
echo "== the program for a browser"
bash scripts/web.sh

echo "== tests"
(cd build && ctest --output-on-failure -j2)

echo "== an optimised Release build of everything, warnings as errors, and its unit tests"
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DMONOTONI_WERROR=ON >/dev/null
cmake --build build-release -j"$(nproc)"
(cd build-release && ctest --output-on-failure -j2 -L unit)

echo "== unit and property tests under the sanitizers"
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DMONOTONI_SANITIZE=ON -DMONOTONI_WERROR=ON >/dev/null
cmake --build build-sanitize -j"$(nproc)" --target unit_tests viewer_tests property_tests
(cd build-sanitize && ctest --output-on-failure -j2 -L 'unit|property')

echo "== fuzzers"
cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DMONOTONI_FUZZ=ON -DMONOTONI_WERROR=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"
for fuzzer in build-fuzz/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=$(mktemp -d)
  cp fuzz/corpus/"${name#fuzz_}"/* "$corpus"/ 2>/dev/null || true
  echo "-- $name"
  "$fuzzer" -max_total_time="${FUZZ_SECONDS:-20}" -print_final_stats=0 "$corpus" 2>"$corpus.log" || {
    tail -n 40 "$corpus.log"; echo "$name failed"; exit 1; }
  grep -E '^Done|#[0-9]+.*DONE' "$corpus.log" | tail -n 1 || true
done
echo "All tests passed."
