#!/usr/bin/env bash
# Times a WAVE to WAVE conversion by sox and by Rendermill with the WAVE
# plug-ins: plain, with the live Gain effect, and with the non-live
# Normalize effect (sox: plain copy, "gain -3", "norm -1").
#   bench/wave_convert.sh [BUILD_DIR] [SECONDS]
# BUILD_DIR defaults to build/win64, SECONDS (length of the generated
# 44.1 kHz 16-bit stereo source) to 3600. Prints, per run: seconds,
# realtime factor, ratio to sox's time for the same job, peak memory.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win64}")
length=${2:-3600}
bin=$build/bin
work=$build/bench/wave_convert
wine=/usr/lib/wine/wine64
mkdir -p "$work"

[ -x "$(command -v sox)" ] || { echo "sox is missing (tools/deps.sh installs it)" >&2; exit 1; }
for f in Rendermill.exe decoder/WAVE.dll encoder/WAVE.dll DSPs/Gain.dll DSPs/Normalize.dll; do
  [ -e "$bin/$f" ] || { echo "missing $bin/$f: build the suite first" >&2; exit 1; }
done
display=$(cat "$build/tv-display.txt" 2>/dev/null || echo 99)
"$root/tools/wine-env.sh" "$build/wineprefix" "$display" >/dev/null
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

src=$work/source.wav
if [ ! -f "$src" ] || [ "$(soxi -D "$src" | cut -d. -f1)" != "$length" ]; then
  echo "Generating a ${length} s 44.1 kHz 16-bit stereo source..."
  sox -n -r 44100 -c 2 -b 16 "$src" synth "$length" sine 440 sine 554 gain -6
fi
winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }

# Runs a command under /usr/bin/time; sets secs and peak_kb.
measure() {
  local log=$work/time.log
  /usr/bin/time -f '%e %M' -o "$log" "$@" >/dev/null 2>"$work/stderr.log" || {
    echo "failed: $*" >&2
    cat "$work/stderr.log" >&2
    return 1
  }
  read -r secs peak_kb <"$log"
}

report() {  # name seconds sox_seconds peak_kb
  awk -v n="$1" -v s="$2" -v x="$3" -v m="$4" -v len="$length" 'BEGIN {
    if (s <= 0) s = 0.01
    printf "%-22s %8.2f s  %8.1fx realtime  %6.2f x sox  %8.1f MB peak\n", n, s, len / s, (x > 0 ? s / x : 0), m / 1024 }'
}

declare -A sox_time
for job in plain gain normalize; do
  case $job in
    plain) effect=() ;;
    gain) effect=(gain -3) ;;
    normalize) effect=(norm -1) ;;
  esac
  measure sox "$src" "$work/sox_$job.wav" "${effect[@]}"
  sox_time[$job]=$secs
  report "sox $job" "$secs" "$secs" "$peak_kb"
done

for job in plain gain normalize; do
  case $job in
    plain) dsp=() ;;
    gain) dsp=(-dspeffect1="Gain=db=-3") ;;
    normalize) dsp=(-dspeffect1="Normalize=peak=-1") ;;
  esac
  out=$work/rendermill_$job.wav
  rm -f "$out"
  measure "$wine" "$bin/Rendermill.exe" -silent -infile="$(winpath "$src")" -outfile="$(winpath "$out")" \
    -convert_to="WAVE" "${dsp[@]}"
  [ -s "$out" ] || { echo "Rendermill wrote no file for $job" >&2; cat "$work/stderr.log" >&2; exit 1; }
  report "Rendermill $job" "$secs" "${sox_time[$job]}" "$peak_kb"
done
