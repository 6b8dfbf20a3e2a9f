#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the normal build, then
# the same tests under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)

cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j"$jobs"
ctest --test-dir build/release --output-on-failure -j"$jobs"

cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DTHC_SANITIZE=ON
cmake --build build/sanitize -j"$jobs"
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp \
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$jobs"

# Each fuzz target for a bounded time (seconds per target; THC_FUZZ_SECONDS
# overrides), after the kept findings of tests/bad/ are replayed.
bash scripts/fuzz.sh "${THC_FUZZ_SECONDS:-60}"
