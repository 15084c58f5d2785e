#!/usr/bin/env bash
# The Release build as a user makes it (warnings are not errors there, and there are none), its
# Debian package (cpack -G DEB), and the package test (tests/e2e/package/package_test.sh): apt
# installs the package into a fresh Debian 12 root, two normal users start the game through the
# launcher, update, log in and play a battle against the devserver on a loopback address, a
# newer package refreshes their folders, and removing the package leaves the folders. Needs
# root. The log of each step goes to out/package-test/steps.log.
#   bash scripts/package-test.sh [BUILD_DIR]   (default build-release)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-release}
JOBS=${JOBS:-$(nproc)}
bash scripts/install-deps.sh
export LC_ALL=C.UTF-8
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLMN_BUILD_GUI=ON -DLMN_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j "$JOBS"
bash tests/e2e/package/package_test.sh "$BUILD" out/package-test
