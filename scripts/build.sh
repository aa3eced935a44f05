#!/usr/bin/env bash
# Configures and builds everything (plug-ins in every format, tools and tests) into build/.
# Incremental: a second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

export CCACHE_BASEDIR="$PWD"      # lets clones in other folders share the compiler cache
export CCACHE_NOHASHDIR=1
build_dir="${ORVANTA_BUILD_DIR:-build}"

if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build_dir"
