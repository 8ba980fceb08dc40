#!/usr/bin/env bash
# Runs every test: installs what is missing, builds both configurations and
# runs the 64-bit tests under Wine (with their own prefix and Xvfb display).
#   test.sh [extra ctest arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
"$root/tools/build.sh" all
cd "$root"
ctest --preset win64 "$@"
