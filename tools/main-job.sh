#!/usr/bin/env bash
# The suite's main job, shown to a new user: builds the 64-bit configuration
# and runs the conversion engine Rendermill under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
"$root/tools/build.sh" win64 >/dev/null
build=$root/build/win64
bin=$build/bin
display=$(cat "$build/tv-display.txt" 2>/dev/null || echo 99)
"$root/tools/wine-env.sh" "$build/wineprefix" "${display:-99}" >/dev/null
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

echo "== Rendermill with no options prints its usage line"
"$wine" "$bin/Rendermill.exe" || true
echo
echo "== Rendermill with an option error reports it on its error output"
"$wine" "$bin/Rendermill.exe" -infile="missing.wav" -convert_to || true
