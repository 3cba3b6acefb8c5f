#!/usr/bin/env bash
# Sets up, builds and starts Molvane.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
if [ -x "$root/build/src/main/molvane" ]; then
  exec "$root/build/src/main/molvane"
fi
echo "Built everything; the window arrives with the program's main target."
