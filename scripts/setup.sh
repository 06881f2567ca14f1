#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds in build/. Run as root on
# Debian 12, from any folder.
#   setup.sh run    what running the program needs: its packages, and the program alone
#   setup.sh test   everything: the test and benchmark packages too, and every target
set -euo pipefail
purpose=${1:-test}
cd "$(dirname "$0")/.."

packages=(build-essential cmake pkg-config freeglut3-dev libglu1-mesa-dev libgl1-mesa-dev libx11-dev libcairo2-dev
          fonts-dejavu-core)
testing=(clang libclang-rt-14-dev libgtest-dev libbenchmark-dev xvfb xdotool imagemagick x11-apps x11-utils
         librsvg2-bin libxml2-utils poppler-utils emscripten chromium)
[ "$purpose" = test ] && packages+=("${testing[@]}")
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests are configured wherever their libraries are installed, so that the program's own build
# and the tests' share build/.
tests=OFF
installed libgtest-dev && installed libbenchmark-dev && tests=ON
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMONOTONI_WERROR=ON -DMONOTONI_TESTS=$tests >/dev/null
if [ "$purpose" = test ]; then
  cmake --build build -j"$(nproc)"
else
  cmake --build build -j"$(nproc)" --target triangulacija
fi
