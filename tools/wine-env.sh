#!/usr/bin/env bash
# Makes a Wine prefix and an Xvfb display ready for the tests of one build tree.
#   wine-env.sh PREFIX DISPLAY_NUMBER
# The prefix is made once; the Wine server is kept running (-p) so that process
# starts stay cheap, and a first throw-away Wine process starts the background
# services with /dev/null as their standard handles: services that inherited
# CTest's output pipe would keep a test from ever finishing.
set -euo pipefail
prefix=$1
display=$2
loader=/usr/lib/wine/wine64
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=:$display

if ! [ -e "/tmp/.X11-unix/X$display" ]; then
  setsid nohup Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
fi

if ! [ -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  setsid "$loader" wineboot -i </dev/null >/dev/null 2>&1 || true
  setsid wineserver -w </dev/null >/dev/null 2>&1 || true
fi
setsid wineserver -p </dev/null >/dev/null 2>&1 || true
setsid "$loader" cmd /c exit 0 </dev/null >/dev/null 2>&1 || true
echo "Wine prefix $prefix ready, display :$display"
