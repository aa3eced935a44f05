#!/usr/bin/env bash
# Sets up, builds and runs every test. Tests labelled "display" need an X server and run under
# a virtual one; all others run headless. The tests of code shared between threads (named
# *Concurrent*) run once more in a ThreadSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
build_dir="${ORVANTA_BUILD_DIR:-build}"
ctest --test-dir "$build_dir" --output-on-failure -j 2 -LE display
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir "$build_dir" --output-on-failure -L display

tsan_dir="${build_dir}-tsan"
if [ ! -f "$tsan_dir/build.ninja" ]; then
  cmake -S . -B "$tsan_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_SANITIZER=thread
fi
CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1 cmake --build "$tsan_dir" --target orvanta-unit-tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
  "$tsan_dir/tests/orvanta-unit-tests" --gtest_filter='*Concurrent*'
