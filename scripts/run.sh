#!/usr/bin/env bash
# Sets everything up, then starts the program. A polygon can be piped in:
#   bash scripts/run.sh < examples/monotoni.txt
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh >&2
exec ./build/triangulacija "$@"
