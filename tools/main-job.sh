#!/usr/bin/env bash
# The suite's main job, shown to a new user: a real conversion.
#  1. builds the engine, the information helper and the reference plug-ins
#     (64-bit, run under Wine);
#  2. makes a 10-second stereo sample with sox and gives it ID tags (the
#     engine's own tag options, in a first quiet conversion);
#  3. converts it WAVE to WAVE through a DSP chain (live Gain, then the
#     non-live Normalize), with the engine's console progress and completion
#     line;
#  4. shows the destination's tags and properties as the shell's info tip
#     reads them (TipfetchInfo).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/deps.sh"
cd "$root"
cmake --preset win64 >/dev/null
cmake --build --preset win64 --target Rendermill TipfetchInfo tvw_wave_decoder tvw_wave_encoder \
  tvw_dsp_Gain tvw_dsp_Normalize >/dev/null
build=$root/build/win64
bin=$build/bin
"$root/tools/wine-env.sh" "$build/wineprefix" "$(cat "$build/tv-display.txt")" >/dev/null
export WINEPREFIX=$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64

work=$build/mainjob
rm -rf "$work" && mkdir -p "$work"
winpath() { echo "Z:${1//\//\\}"; }
sox -q -n -r 44100 -c 2 -b 16 "$work/tone.wav" synth 10 sine 440 sine 660 gain -12
# The engine's options keep their quoted values only when they reach it
# unchanged, so each run is a line of a batch file, as a user would type it.
cat > "$work/job.bat" <<BAT
@echo off
"$(winpath "$bin/Rendermill.exe")" -silent -infile="$(winpath "$work/tone.wav")" -outfile="$(winpath "$work/sample.wav")" -convert_to="WAVE" -tag="ARTIST=Tonvera Demo Band" -tag="TITLE=Two Tones" -tag="ALBUM=Main Job" -tag="YEAR=2026" -tag="GENRE=Electronic" -tag="replaygain_track_gain=-3.20 dB"
echo == Converting sample.wav to converted.wav: live Gain -3 dB, then Normalize to -1 dBFS
"$(winpath "$bin/Rendermill.exe")" -infile="$(winpath "$work/sample.wav")" -outfile="$(winpath "$work/converted.wav")" -convert_to="WAVE" -dspeffect1="Gain=db=-3" -dspeffect2="Normalize=peak=-1" -tag="COMMENT=Converted by Rendermill"
BAT
"$wine" cmd /c "$(winpath "$work/job.bat")"
[ -s "$work/converted.wav" ] || { echo "The conversion wrote no file." >&2; exit 1; }

echo
echo "== The destination as the info tip shows it (TipfetchInfo)"
printf '%s\r\n' "$(winpath "$work/converted.wav")" | iconv -f utf-8 -t utf-16le > "$work/request.tmp"
"$wine" "$bin/TipfetchInfo.exe" --Tipfetch="$(winpath "$work/request.tmp")"
iconv -f utf-16le -t utf-8 "$work/request.tmp" | tr '\r\t' '\n ' | sed 's/  */ /g'
echo
echo
echo "== sox reads the destination too"
soxi "$work/converted.wav" | sed -n '/Channels/,/Encoding/p'
