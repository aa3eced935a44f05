#!/usr/bin/env bash
# The product's main job: set up, build, install the plug-ins into ~/.vst, ~/.vst3 and ~/.lv2,
# then load the VST 2 plug-in in the project's test host and print what a host sees.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
bash scripts/build.sh
build_dir="${ORVANTA_BUILD_DIR:-build}"
cmake --install "$build_dir"
"$build_dir/tools/orvanta-vst2-host" "$HOME/.vst/Orvanta2.so"
