#!/usr/bin/env bash
# Installs what the benchmark compares Orvanta2 with: Calf Pulsator (LV2) from calf-plugins.
# The tests do not need it, so the default list of scripts/setup.sh leaves it out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh calf-plugins
