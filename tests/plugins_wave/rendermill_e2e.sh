#!/usr/bin/env bash
# WAVE to WAVE through Rendermill with the reference plug-ins: plain, a new
# bit depth, the live Gain and the non-live Normalize effect; tags carried
# over; bad effect settings fail with the effect's error line.
#   rendermill_e2e.sh RENDERMILL.exe TOOL.exe WORK_DIR
set -euo pipefail
rendermill=$1
tool=$2
work=$3
loader=/usr/lib/wine/wine64
rm -rf "$work"
mkdir -p "$work"
cd "$work"

winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
convert() {  # output, then Rendermill options
  local out=$1
  shift
  "$loader" "$rendermill" -silent -infile="$(winpath in.wav)" -outfile="$(winpath "$out")" -convert_to="WAVE" "$@" \
    >/dev/null 2>"$out.err" || true
}
peak() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; }
near() { awk -v a="$1" -v b="$2" -v t="$3" 'BEGIN { d = a - b; if (d < 0) d = -d; exit !(d <= t) }'; }

sox -n -r 44100 -c 2 -b 16 in.wav synth 3 sine 440 sine 660 gain -10
"$loader" "$tool" settags "$(winpath in.wav)" "Title=Source Title" "Artist=Someone" "replaygain_track_gain=-3 dB" >/dev/null
sox in.wav -t raw in.raw

# Plain: same samples, tags carried over (ReplayGain dropped), a tag option wins.
convert plain.wav -tag "Title=Given Title"
[ -s plain.wav.err ] && fail "plain: $(cat plain.wav.err)"
[ "$(soxi -b plain.wav)" = 16 ] || fail "plain: not 16-bit"
sox plain.wav -t raw plain.raw
cmp -s in.raw plain.raw || fail "plain: samples differ"
tags=$("$loader" "$tool" tags "$(winpath plain.wav)" | tr -d '\r')
grep -qxF "Title=Given Title" <<<"$tags" || fail "plain: title: $tags"
grep -qxF "Artist=Someone" <<<"$tags" || fail "plain: artist: $tags"
grep -q replaygain <<<"$tags" && fail "plain: ReplayGain reached the destination"

# A new bit depth, as sox converts it.
convert deep.wav -bits=24
[ "$(soxi -b deep.wav)" = 24 ] || fail "deep: $(soxi -b deep.wav) bits"
sox in.wav -b 24 -t raw want24.raw
sox deep.wav -t raw deep.raw
cmp -s want24.raw deep.raw || fail "deep: samples differ from sox's"

# Live gain and non-live normaliser.
in_peak=$(peak in.wav)
convert gain.wav -dspeffect1="Gain=db=-6"
near "$(peak gain.wav)" "$(awk -v p="$in_peak" 'BEGIN { print p * 0.501187 }')" 0.0002 || fail "gain: peak $(peak gain.wav)"
convert norm.wav -dspeffect1="Normalize=peak=-1"
near "$(peak norm.wav)" 0.891251 0.0002 || fail "normalize: peak $(peak norm.wav)"
convert both.wav -dspeffect1="Gain=db=-20" -dspeffect2="Normalize=peak=-3"
near "$(peak both.wav)" 0.707946 0.0002 || fail "gain then normalize: peak $(peak both.wav)"

# Bad settings: the effect's error line, and the conversion fails.
convert bad.wav -dspeffect1="Gain=db=loud"
grep -qa "Error: Gain: the settings 'db=loud'" bad.wav.err || fail "bad gain settings: $(cat bad.wav.err)"
convert bad2.wav -dspeffect1="Normalize=peak=+3"
grep -qa "Error: Normalize: a peak level of 3 dBFS" bad2.wav.err || fail "bad normalize settings: $(cat bad2.wav.err)"

echo "Rendermill with the WAVE plug-ins: all checks passed"
