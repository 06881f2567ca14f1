#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need (only those missing), then
# configures and builds the program in build/. Run as root on Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake clang libclang-rt-14-dev freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev
          libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-apps x11-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
