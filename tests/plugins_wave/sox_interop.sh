#!/usr/bin/env bash
# Files exchanged between the WAVE plug-ins and sox: what sox writes, the
# decoder reads sample for sample; what the encoder writes, soxi and sox read
# with the right format and the same samples; tags leave the audio alone.
#   sox_interop.sh TOOL.exe WORK_DIR
set -euo pipefail
tool=$1
work=$2
loader=/usr/lib/wine/wine64
rm -rf "$work"
mkdir -p "$work"
cd "$work"

winpath() { printf 'Z:%s' "$(realpath -m "$1" | tr / '\\')"; }
run_tool() { "$loader" "$tool" "$@"; }
fail() { echo "FAIL: $*" >&2; exit 1; }
checked=0

# Underscores in a case stand for spaces between sox arguments.
# 1. sox writes, the decoder reads: format line and raw bytes must match.
while read -r name sox_format expect; do
  sox -n ${sox_format//_/ } "$name.wav" synth 0.7 sine 440 sine 660 2>/dev/null
  sox "$name.wav" -t raw "$name.sox.raw"
  got=$(run_tool decode "$(winpath "$name.wav")" "$(winpath "$name.dec.raw")" | tr -d '\r')
  [ "$got" = "$expect" ] || fail "$name: decoder reports '$got', expected '$expect'"
  cmp -s "$name.sox.raw" "$name.dec.raw" || fail "$name: decoded samples differ from sox's"
  checked=$((checked + 1))
done <<'CASES'
pcm16 -r_44100_-c_2_-b_16 2 44100 16 1
pcm8 -r_8000_-c_1_-b_8_-e_unsigned-integer 1 8000 8 1
pcm24 -r_96000_-c_2_-b_24 2 96000 24 1
pcm32 -r_48000_-c_2_-b_32 2 48000 32 1
float32 -r_44100_-c_2_-b_32_-e_floating-point 2 44100 32 3
float64 -r_22050_-c_1_-b_64_-e_floating-point 1 22050 64 3
surround -r_48000_-c_6_-b_24 6 48000 24 1
CASES

# 2. The encoder writes, soxi and sox read: format and samples.
sox -n -r 48000 -c 2 -b 24 -e signed-integer -t raw src24.raw synth 0.5 sine 1000 sine 1500
while read -r name options bits encoding; do
  run_tool encode "$(winpath src24.raw)" "$(winpath "$name.wav")" 2 48000 24 1 ${options//_/ } >/dev/null
  [ "$(soxi -c "$name.wav")" = 2 ] || fail "$name: channels"
  [ "$(soxi -r "$name.wav")" = 48000 ] || fail "$name: rate"
  [ "$(soxi -b "$name.wav")" = "$bits" ] || fail "$name: soxi reports $(soxi -b "$name.wav") bits, expected $bits"
  [ "$(soxi -e "$name.wav")" = "${encoding//_/ }" ] || fail "$name: soxi reports '$(soxi -e "$name.wav")'"
  [ "$(soxi -s "$name.wav")" = 24000 ] || fail "$name: soxi reports $(soxi -s "$name.wav") samples"
  # The same samples as sox's own conversion of the source (without dither: both round).
  enc=signed-integer
  [ "$name" = float ] && enc=floating-point
  sox -t raw -r 48000 -c 2 -b 24 -e signed-integer src24.raw -D -b "$bits" -e "$enc" -t raw "$name.want.raw"
  sox "$name.wav" -t raw "$name.got.raw"
  cmp -s "$name.want.raw" "$name.got.raw" || fail "$name: samples differ from sox's conversion"
  checked=$((checked + 1))
done <<'CASES'
same - 24 Signed_Integer_PCM
to16 -bits=16 16 Signed_Integer_PCM
float -float 32 Floating_Point_PCM
CASES

# 3. Tags: written into a file sox made, read back, audio untouched; sox still reads the file.
cp pcm16.wav tagged.wav
run_tool settags "$(winpath tagged.wav)" "Title=Sine Test" "Artist=Tonvera" "Comment=two tones" >/dev/null
run_tool settags "$(winpath tagged.wav)" "Artist=Someone Else" >/dev/null
tags=$(run_tool tags "$(winpath tagged.wav)" | tr -d '\r')
for want in "Title=Sine Test" "Artist=Someone Else" "Comment=two tones"; do
  grep -qxF "$want" <<<"$tags" || fail "tags: '$want' missing from: $tags"
done
sox tagged.wav -t raw tagged.raw
cmp -s pcm16.sox.raw tagged.raw || fail "tags: the audio changed"
soxi tagged.wav >/dev/null || fail "tags: sox cannot read the tagged file"
checked=$((checked + 1))

echo "sox interop: $checked checks passed"
