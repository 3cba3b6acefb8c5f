#!/usr/bin/env bash
# Sets up, builds and runs every test: scripts/test.sh [BUILD_DIR [cmake options...]]
# The GUI tests get a virtual X display of their own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}; shift || true
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$dir" "$@"
cd "$dir"
xvfb-run -a -s "-screen 0 1280x800x24" ctest --output-on-failure -j "$(nproc)"
