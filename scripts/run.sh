#!/usr/bin/env bash
# Installs what is needed, builds the checker, writes the sample hotlap folder
# and opens the checker in sample/, where Load finds the folder and the chart
# template beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTHC_BUILD_TESTS=OFF
cmake --build build/release -j"$(nproc)" --target torvanic-hotlap-check make-sample
build/release/tools/make-sample sample
cd sample
exec ../build/release/app/torvanic-hotlap-check
