#!/usr/bin/env bash
# Installs what is needed, builds the benchmarks in Release and runs them:
# the heavy entry, the reference car check and End for 98 entries beside the
# floors of libjpeg, memmem and libpng (headless UI), then start-up until the
# main window is shown (offscreen Qt). Each benchmark is repeated 5 times, the
# repetitions of all benchmarks in random order so that a busy spell of the
# machine does not fall on one side of a ratio; the medians are what the ratio
# and limit lines at the end of each program use.
# Extra arguments go to both programs (e.g. --benchmark_filter=car_check).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DTHC_BUILD_BENCH=ON -DTHC_BUILD_TESTS=OFF
cmake --build build/bench -j"$(nproc)" --target thc_bench thc_startup_bench thc_startup_probe

echo
echo "Machine: $(nproc) cores,$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)," \
  "$(c++ --version | head -n1), Release build"
echo "Load average before the run: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

runs=(--benchmark_repetitions=5 --benchmark_display_aggregates_only=true
  --benchmark_enable_random_interleaving=true)
build/bench/bench/thc_bench "${runs[@]}" "$@"
echo
QT_QPA_PLATFORM=offscreen build/bench/bench/thc_startup_bench "${runs[@]}" "$@"
