#!/usr/bin/env bash
# Builds the program for a browser: one self-contained file, build-web/triangulacija.html, the
# WebAssembly inside it, which opens from disk (file://) or from any static web server. Installs
# Debian's emscripten when it is missing (as root), and prints the file's path.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! dpkg-query -W -f='${Status}' emscripten 2>/dev/null | grep -q 'install ok installed'; then
  echo "Installing: emscripten" >&2
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends emscripten >/dev/null
fi
# Debian's emcc finds its JavaScript modules there, whatever node comes first on the PATH.
export NODE_PATH=/usr/share/nodejs
mkdir -p build-web
sources=(geometry/exact.cpp geometry/intersection.cpp geometry/judgement.cpp geometry/partition.cpp
         geometry/guards.cpp geometry/polygon.cpp geometry/task.cpp geometry/triangulation.cpp scene/scene.cpp app/dialogue.cpp viewer/camera.cpp
         viewer/commands.cpp viewer/console_words.cpp viewer/exercise.cpp viewer/frame.cpp viewer/layout.cpp viewer/lesson.cpp viewer/stroke_font.cpp
         viewer/svg.cpp viewer/text.cpp viewer/workbench.cpp web/main.cpp)
emcc -std=c++17 -Os -Wall -Wextra -Wpedantic -Werror -I. "${sources[@]}" \
  --shell-file web/shell.html -sSINGLE_FILE=1 -sMINIFY_HTML=0 -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web \
  -sEXPORTED_RUNTIME_METHODS=cwrap -o build-web/triangulacija.html >&2
echo "$(pwd)/build-web/triangulacija.html"
