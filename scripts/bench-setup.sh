#!/usr/bin/env bash
# Installs what the benchmark compares Orvanta2 with: Calf Pulsator (LV2) from calf-plugins.
# The tests do not need it, so scripts/setup.sh leaves it out. Safe to run again.
set -euo pipefail

package=calf-plugins
if dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
  echo "bench-setup: $package is installed"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
  else
    echo "bench-setup: error: not root and no password-less sudo; install it first:" >&2
    echo "  apt-get install --no-install-recommends $package" >&2
    exit 1
  fi
else
  as_root=()
fi

export DEBIAN_FRONTEND=noninteractive
echo "bench-setup: installing $package"
"${as_root[@]}" apt-get update -q >/dev/null
"${as_root[@]}" apt-get install -y -q --no-install-recommends "$package" >/dev/null
echo "bench-setup: done"
