#!/bin/bash
# Makes the game's recordings 101..124: the twenty words spoken by SVOX Pico
# and the four synthesised effects, all as 22.05 kHz 8-bit unsigned mono WAV.
# Usage: sounds.sh PICO_LANG_DIR RECORDINGS_DIR WORK_DIR
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
lang=$1 out=$2 work=$3
mkdir -p "$out" "$work"

# -R seeds sox's dither with a fixed number, so reruns give the same bytes.
SOX=(sox -R -V1)
FINAL=(-r 22050 -c 1 -b 8 -e unsigned-integer)

words=(bed bookcase bread broom chair clock computer cup door drawing drum
       flower jam milk mirror phone piano sofa table window)

# Speech between these lengths, plus the lead and tail, keeps each word
# within 0.72..1.25 s however Pico paces it.
LEAD=0.05 TAIL=0.07
MIN_SPEECH=0.62 MAX_SPEECH=1.06

say() {  # say WORD SPEED OUT: volume 60 leaves headroom (Pico clips at 100)
    # and the full stop gives a falling, finished tone.
    node "$here/pico-say.mjs" "$lang" \
        "<volume level=\"60\"><speed level=\"$2\">$1.</speed></volume>" "$3"
}

trim() {  # trim IN OUT: drop the lead silence, then everything from the
    # first long digital silence on (Pico leaves a faint click after it),
    # then the tail silence, keeping the soft end of the last consonant.
    "${SOX[@]}" "$1" "$2" silence 1 0.005 0.1% 1 0.1 0.01% \
        reverse silence 1 0.005 0.1% reverse
}

for i in "${!words[@]}"; do
    id=$((101 + i)) w=${words[$i]}
    # Measure the word at speed 80, then say it again at the speed that
    # makes it about as long as at speed 70 but no shorter than 0.66 s and
    # no longer than 1 s: short words are stretched by the voice itself,
    # which sounds far more natural than stretching the recording.
    say "$w" 80 "$work/probe-$id.wav"
    trim "$work/probe-$id.wav" "$work/probe-trim-$id.wav"
    speed=$(/usr/bin/python3 -c "
l = $(soxi -D "$work/probe-trim-$id.wav")
target = min(max(l * 80 / 70, 0.66), 1.0)
print(round(80 * l / target))")
    say "$w" "$speed" "$work/raw-$id.wav"
    trim "$work/raw-$id.wav" "$work/trim-$id.wav"
    len=$(soxi -D "$work/trim-$id.wav")
    # A pitch-preserving tempo change only if the voice missed the range.
    tempo=$(/usr/bin/python3 -c "
l = $len
print('%.4f' % (l / $MAX_SPEECH) if l > $MAX_SPEECH else
      '%.4f' % (l / $MIN_SPEECH) if l < $MIN_SPEECH else '')")
    echo "$id $w: speed $speed, speech ${len}s${tempo:+, tempo $tempo}"
    "${SOX[@]}" "$work/trim-$id.wav" "${FINAL[@]}" "$out/$id.wav" \
        ${tempo:+tempo -s "$tempo"} highpass 50 fade h 0.005 -0 0.015 \
        pad "$LEAD" "$TAIL" rate -v 22050 norm -1
done

/usr/bin/python3 "$here/effects.py" "$work"
# Levels chosen to sit about as loud as the words: the plain tones of the
# wrong-pick and no-place sounds are dense, so they peak lower than the
# chime, which decays quickly.
for fx in 121:-9 122:-3 124:-5; do
    id=${fx%%:*} level=${fx#*:}
    "${SOX[@]}" "$work/fx-$id.wav" "${FINAL[@]}" "$out/$id.wav" \
        rate -v 22050 norm "$level"
done
# The jingle must stay at or under 115832 bytes: cut to 5.25 s exactly.
"${SOX[@]}" "$work/fx-123.wav" "${FINAL[@]}" "$out/123.wav" \
    rate -v 22050 norm -1 trim 0 115762s
