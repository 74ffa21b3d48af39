#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds
# (default 60): scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
seconds=${1:-60}
shift || true
CC=clang CXX=clang++ BUILD_DIR=build-fuzz BUILD_TYPE=RelWithDebInfo \
  scripts/build.sh -DDW_BUILD_FUZZ=ON -DDW_BUILD_TESTS=OFF -DDW_BUILD_BENCH=OFF
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in build-fuzz/fuzz/fuzz_*; do [ -f "$f" ] && [ -x "$f" ] && targets+=("$(basename "$f")"); done
fi
export QT_QPA_PLATFORM=offscreen
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "== $t for ${seconds}s"
  build-fuzz/fuzz/"$t" -max_total_time="$seconds" -rss_limit_mb=4096 "$corpus"
done
