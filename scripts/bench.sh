#!/usr/bin/env bash
# Measures Orvanta2 side by side with Calf Pulsator (LV2, installed by scripts/bench-setup.sh)
# through the real plug-in binaries, at 48 kHz in blocks of 64 and 512 samples: the figures of
# the README's table. Extra arguments go to orvanta-bench (for example --seconds 5).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/bench-setup.sh

export CCACHE_BASEDIR="$PWD"
export CCACHE_NOHASHDIR=1
build_dir="${ORVANTA_BUILD_DIR:-build}"
if [ ! -f "$build_dir/build.ninja" ]; then
  cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build_dir" --target orvanta-bench

"$build_dir/tools/orvanta-bench" --rates 48000 --blocks 64,512 \
  --compare /usr/lib/lv2/calf.lv2 --lv2-uri http://calf.sourceforge.net/plugins/Pulsator "$@"
