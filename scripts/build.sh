#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $BUILD_DIR). Extra arguments go to CMake.
# ccache is used when installed: rebuilds of other checkouts and of CI share its cache.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
launcher=()
if command -v ccache >/dev/null; then
  # Paths inside the checkout are hashed relative to it, and the build folder is left out of
  # the hash, so every checkout of the project shares one cache.
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(pwd)} CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "${launcher[@]}" "$@" >/dev/null
ninja -C "$build_dir" -j"${DW_JOBS:-$(nproc)}"
