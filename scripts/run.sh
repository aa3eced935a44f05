#!/usr/bin/env bash
# The product's main job: set up, build, install the plug-ins into ~/.vst, ~/.vst3 and ~/.lv2,
# then render the built-in demo signal through the installed VST 2 plug-in into demo/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
build_dir="${ORVANTA_BUILD_DIR:-build}"
cmake --install "$build_dir"

mkdir -p demo
"$build_dir/tools/orvanta-render" --demo demo/orvanta-demo.wav --plugin "$HOME/.vst/Orvanta2.so" \
  --program "Swoosh" --tempo 128 --no-progress
echo "The demo is in $PWD/demo/orvanta-demo.wav, its picture in $PWD/demo/orvanta-demo.png"
