#!/usr/bin/env bash
# Takes the README's picture of the editor: the real Orvanta2.so in the project's VST 2 host,
# under a virtual X server, while a tone plays; writes docs/editor.png.
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir="${ORVANTA_BUILD_DIR:-build}"
picture=$(mktemp --suffix .ppm)
trap 'rm -f "$picture"' EXIT

ORVANTA_EDITOR_PICTURE="$picture" xvfb-run -a -s "-screen 0 1024x768x24" \
  "$build_dir/tests/orvanta-vst2-editor-tests" --gtest_filter='*ShowsTheCurveView*'
convert "$picture" -strip -define png:compression-level=9 docs/editor.png
echo "editor-picture: wrote docs/editor.png"
