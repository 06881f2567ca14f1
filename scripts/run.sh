#!/usr/bin/env bash
# Sets up what running needs, then starts the program in the folder it was started from (where S
# saves). A polygon can be piped in:
#   bash scripts/run.sh < examples/monotoni.txt
set -euo pipefail
repository=$(cd "$(dirname "$0")/.." && pwd)
bash "$repository/scripts/setup.sh" run >&2
exec "$repository/build/triangulacija" "$@"
