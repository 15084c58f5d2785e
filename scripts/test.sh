#!/usr/bin/env bash
# Runs every test on a fresh machine: installs the packages, builds the programs, runs the unit,
# integration and end-to-end tests (the fuzzers' kept corpora among them), then the unit and
# integration tests again under AddressSanitizer + UndefinedBehaviorSanitizer, then a short smoke
# run of every fuzzer, then the Release build, its Debian package and the package test
# (scripts/package-test.sh), and last the formatting check (scripts/format-check.sh).
# Warnings are errors in these builds (LMN_WERROR) except the Release build, built as users do.
# Stand-in servers are started by the tests themselves (each on its own loopback address).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
JOBS=${JOBS:-$(nproc)}
FUZZ_SECONDS=${FUZZ_SECONDS:-10}

bash scripts/install-deps.sh
# The windows and message boxes have Chinese titles, which xdotool matches only under a UTF-8
# locale: what this command starts runs under one whatever the caller's (a minimal root has none).
export LC_ALL=C.UTF-8

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QTWEBENGINE_DISABLE_SANDBOX=1
export QTWEBENGINE_CHROMIUM_FLAGS="--disable-gpu"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

step() { printf '\n== %s ==\n' "$*"; }

step "build (programs and tests)"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_BUILD_GUI=ON -DLMN_BUILD_TESTS=ON -DLMN_WERROR=ON >/dev/null
cmake --build build -j "$JOBS"

step "unit, integration and end-to-end tests"
ctest --test-dir build --output-on-failure -j "$JOBS" --timeout 600

step "sanitizer build (ASan + UBSan): unit and integration tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLMN_BUILD_GUI=OFF -DLMN_SANITIZE=ON \
  -DLMN_BUILD_TESTS=ON -DLMN_WERROR=ON >/dev/null
cmake --build build-asan -j "$JOBS"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$JOBS" --timeout 900 -LE e2e

step "fuzzers: ${FUZZ_SECONDS}s smoke run each"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLMN_FUZZ=ON \
  -DLMN_BUILD_GUI=OFF -DLMN_BUILD_TESTS=OFF -DLMN_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$JOBS"
bash scripts/fuzz.sh "$FUZZ_SECONDS"

step "Release build, Debian package and package test"
bash scripts/package-test.sh build-release

step "formatting (clang-format)"
bash scripts/format-check.sh
echo
echo "all tests passed"
