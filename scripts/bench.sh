#!/usr/bin/env bash
# Builds the benchmarks and runs each one. Every benchmark measures our code against a baseline
# in the same run and prints the ratio; nothing here asserts a time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Tests stay on: some benchmarks start the stand-in servers through the tests' support library;
# the Qt programs are built too: the client benchmarks run the real LMN_KX.exe.
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_BUILD_GUI=ON -DLMN_BUILD_TESTS=ON \
  -DLMN_BUILD_BENCH=ON >/dev/null
targets=$(ninja -C build-bench -t targets all | sed -n 's/^\([A-Za-z0-9_]*_bench\): .*/\1/p' | sort -u)
cmake --build build-bench -j "$(nproc)" --target devserver $targets
export QT_QPA_PLATFORM=offscreen LANG=C.UTF-8
for bench in $(find build-bench/bench -type f -executable -name '*_bench' | sort); do
  echo "== $(basename "$bench")"
  "$bench"
  echo
done
# The Flash player's costs are measured on the programs themselves, in the usual build folder.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_BUILD_GUI=ON -DLMN_BUILD_TESTS=ON >/dev/null
echo "== flash_bench"
bash bench/flash/flash_bench.sh
