#!/usr/bin/env bash
# Sets up, builds and runs every test. Tests labelled "display" need an X server and run under
# a virtual one; all others run headless.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
build_dir="${ORVANTA_BUILD_DIR:-build}"
ctest --test-dir "$build_dir" --output-on-failure -j 2 -LE display
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build_dir" --output-on-failure -L display
