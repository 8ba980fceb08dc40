#!/usr/bin/env bash
# Builds both configurations: win64 (everything, with the tests) and win32
# (the 32-bit deliverables as shipped; compile-only on these machines).
#   build.sh [win64|win32|all]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
which=${1:-all}
for preset in win64 win32; do
  [ "$which" = all ] || [ "$which" = "$preset" ] || continue
  echo "== building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done
