#!/usr/bin/env bash
# Builds the benchmarks and runs each one. Every benchmark measures our code against a baseline
# in the same run and prints the ratio; nothing here asserts a time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DLMN_BUILD_GUI=OFF -DLMN_BUILD_TESTS=OFF \
  -DLMN_BUILD_BENCH=ON >/dev/null
cmake --build build-bench -j "$(nproc)"
export QT_QPA_PLATFORM=offscreen
for bench in $(find build-bench/bench -type f -executable -name '*_bench' | sort); do
  echo "== $(basename "$bench")"
  "$bench"
  echo
done
