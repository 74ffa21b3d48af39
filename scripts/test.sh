#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and widget tests, the same
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and the browser tests.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
status=0

echo "== build and unit tests"
BUILD_DIR=build scripts/build.sh
(cd build && ctest --output-on-failure -j2) || status=1

echo "== sanitizers (address, undefined)"
BUILD_DIR=build-asan BUILD_TYPE=Debug scripts/build.sh -DDW_SANITIZE=ON -DDW_BUILD_BENCH=OFF
# The web engine frees some of its own objects with a sized delete of another type; that is
# inside the engine, not ours, so that one check is off.
(cd build-asan && ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j2) || status=1

if [ -x tests/browser/run.sh ]; then
  echo "== browser tests (headless Chromium)"
  tests/browser/run.sh build || status=1
fi

exit $status
