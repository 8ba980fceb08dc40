#!/usr/bin/env bash
# Rendermill's peak working set for 1 and 30 minutes of generated audio, plain
# and through a non-live effect: the engine streams, so memory must not grow
# with the length of the source. Prints a table; not a test.
#
# Usage: bench/engine_memory.sh [build folder]   (default build/win64; it needs
# Rendermill and tvtest_plugins built, e.g. ninja -C <build> Rendermill tvtest_plugins)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win64}" && pwd)
bin=$build/bin
exe=$build/bench/engine_memory.exe
mkdir -p "$build/bench"
x86_64-w64-mingw32-g++-posix -std=c++17 -O2 -municode -static -o "$exe" "$root/bench/engine_memory.cpp" -lpsapi

export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
"$wine" "$exe" "Z:${bin//\//\\}"
