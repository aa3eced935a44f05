#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need, or, given package names,
# just those (scripts/bench-setup.sh). Safe to run again: packages already present are left alone
# and nothing is downloaded when all are installed.
set -euo pipefail

packages=(
  # compiler and build tools
  g++ cmake ninja-build pkg-config ccache make
  # JUCE 7 and the VST 2 interface headers
  juce-modules-source fst-dev
  # what JUCE's modules read on Linux
  libasound2-dev libfreetype-dev libbrotli-dev libfontconfig-dev libpng-dev zlib1g-dev
  libjpeg62-turbo-dev libx11-dev libxext-dev libxrandr-dev libxinerama-dev libxcursor-dev
  libxrender-dev libxcomposite-dev x11proto-dev libcurl4-openssl-dev
  # tests, benchmarks and headless display
  libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
  # the sanitizer builds and the chunk fuzzers (libFuzzer)
  clang libclang-rt-14-dev
  # the typeface the editor embeds; screenshots of the opened editor
  fonts-dejavu-core imagemagick
  # real X pointer events for the editor tests under Xvfb
  xdotool
)

[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all ${#packages[@]} packages are installed"
  exit 0
fi

echo "setup: installing ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    as_root=(sudo -n)
  else
    echo "setup: error: not root and no password-less sudo; install these packages first:" >&2
    echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
    exit 1
  fi
else
  as_root=()
fi

export DEBIAN_FRONTEND=noninteractive
if ! "${as_root[@]}" apt-get update -q >/dev/null; then
  echo "setup: error: 'apt-get update' failed: no access to Debian's package archive?" >&2
  echo "  still missing: ${missing[*]}" >&2
  exit 1
fi
if ! "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null; then
  echo "setup: error: 'apt-get install' failed; still missing: ${missing[*]}" >&2
  exit 1
fi
echo "setup: done"
