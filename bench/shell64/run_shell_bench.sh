#!/usr/bin/env bash
# Builds and runs the TvShell benchmark under Wine: info tip latency per file
# (first and cached request) and column data for a folder of 200 WAVE files.
#
# Usage: bench/shell64/run_shell_bench.sh [build folder] [files]   (default build/win64, 200)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
files=${2:-200}
ninja -C "$build" -j2 shell_bench >/dev/null
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
bin=$build/bin
/usr/lib/wine/wine64 "$build/bench/shell_bench.exe" "Z:${bin//\//\\}" "$files"
