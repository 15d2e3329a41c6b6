#!/bin/bash
# Makes the game's recordings: every word set's twenty words spoken by SVOX
# Pico or the set's voice in SET_VOICE (set 1 as 101..120, set n as
# 1000 n + 101..) and the four synthesised
# effects 121..124, all as 22.05 kHz mono WAV: 8-bit unsigned, but the sets
# in WIDE_SETS 16-bit signed.  Set n's words are string 100 + n in
# STRINGS_DIR.
# Usage: sounds.sh PICO_LANG_DIR STRINGS_DIR RECORDINGS_DIR WORK_DIR [ID...]
#   With IDs, makes only those words (to retune one) and no effects.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
lang=$1 strings=$2 out=$3 work=$4
shift 4
only=" $* "
mkdir -p "$out" "$work"

# -R seeds sox's dither with a fixed number, so reruns give the same bytes.
SOX=(sox -R -V1)
FINAL=(-r 22050 -c 1 -b 8 -e unsigned-integer)
# The sets beyond the first are kept at 16 bits, where listen.sh hears
# them better, each in another voice (see SET_VOICE).  The step lies 90 dB
# under the word, so they are rounded without dither.
WIDE_SETS=" 2 3 4 5 6 "
FINAL16=(-r 22050 -c 1 -b 16 -e signed-integer)

# Speech between these lengths, plus the lead and tail, keeps each word
# within 0.72..1.25 s however Pico paces it.  Short pads, so the word
# follows the question at once and nothing trails after it.
LEAD=0.05 MAX_LEAD=0.07 TAIL=0.03 MAX_TAIL=0.06 MIN_LENGTH=0.74
MIN_SPEECH=0.66 MAX_SPEECH=1.06
# A soft-kneed compressor: 0 dB comes out at -14 and -30 at -25, while the
# quiet consonants around -55 are lifted by 15 dB; below -75 nothing
# changes, so the silences stay silent.  Then +8 dB from 3.5 kHz up.
# After levelling, the fading breath under -46 dBFS is cut from the end:
# left there it would only be heard as hiss after the word.
COMPAND="compand 0.003,0.08 6:-75,-75,-55,-40,-30,-25,0,-14 0 -90"
SHELF="treble 8 3500"
# Active loudness of every word in dBFS (see loudness.py); the compressor
# and shelf keep the consonants well above the 8-bit floor even at this
# level.  Chosen with listen.sh: its recogniser picks all twenty here, but
# its verdict on a word or two flips with half a dB either way, so recheck
# after any change.
LOUDNESS=-22

# Words of set 1 that the 0.7 s floor (or the speed-75 length) would slow
# down until listen.sh mishears them ("milk" at speed 64 is heard as
# "piano" without dither, "cup" at 44 as another word on some dither draws
# 6 dB quieter): the slowest speed each is said at.  Said faster, a word
# is stretched to its length by tempo instead.
declare -A SLOWEST=([milk]=66 [cup]=50)
# The same for flite's "rms" voice: said at its own pace, "hat" was heard
# as "shirt" 6 dB quieter, and "rainbow" and "umbrella" as "bridge" and
# "boat" with no silence around them; "shirt" held so long a pause before
# its "t" that the middle of its recording was near silent.
declare -A RMS_SLOWEST=([hat]=85 [rainbow]=95 [shirt]=70 [umbrella]=100)
# flite's "slt" voice: at its own pace "corn" was heard as "orange" (and at
# 85 as "tomato").  No speed brings set 4's "kite" past 3 of 8 (see the
# README).
declare -A FLITE_SLT_SLOWEST=([corn]=90)
# Festival's slt says a short word in about 0.3 s whatever its rate, and
# slowed to the rate that would give "duck" its length (38) it was heard
# as "dog": said at 55, it is stretched by tempo instead.
declare -A SLT_SLOWEST=([duck]=55)
# The longest hum kept before a voiced stop's burst (see shorten_voice_bar).
VOICE_BAR=0.04


# The voice each set is said in, where it is not Pico's (chosen with
# listen.sh, one voice for a whole set): "slt" is Festival with the CMU
# ARCTIC "slt" HTS voice (Debian's festvox-us-slt-hts), "flite-rms" and
# "flite-slt" flite's built-in "rms" and "slt" voices (Debian's flite).  In
# Pico's voice "cow", "egg", "cake", "cap", "coat", "bike" and "truck" were
# misheard; in flite's rms, "pear" (its "p" is a faint burst that the
# onset cut below takes, or leaves heard as "carrot").  Set 4 in Pico's
# voice at 8 bits was right with the fixed dither seed, but "bubbles",
# "teddy" and "robot" fell under 7 of 8 on fresh dither draws, and at 16
# bits five words did.
declare -A SET_VOICE=([2]=slt [3]=flite-slt [4]=flite-slt [5]=flite-rms
                      [6]=flite-rms)

say() {  # say WORD SPEED OUT VOICE: the full stop gives a falling, finished
    # tone.  Speed 100 is each voice's own pace.
    local end=.
    case $4 in
    pico)  # volume 60 leaves headroom (Pico clips at 100)
        node "$here/pico-say.mjs" "$lang" \
            "<volume level=\"60\"><speed level=\"$2\">$1$end</speed></volume>" "$3" ;;
    slt)  # the engine reads its rate when the voice is chosen, so twice
        local v=cmu_us_slt_arctic_hts
        echo "$1$end" | text2wave -eval "(voice_$v)" \
            -eval "(set! $v::hts_engine_params (append $v::hts_engine_params
                   '((\"-r\" $(awk "BEGIN { print $2 / 100 }")))))" \
            -eval "(voice_$v)" -o "$work/voice.wav" ;;
    flite-*)
        flite -voice "${4#flite-}" --setf duration_stretch="$(awk \
            "BEGIN { print 100 / $2 }")" -t "$1$end" -o "$work/voice.wav" ;;
    *) echo "no voice $4" >&2; exit 1 ;;
    esac
    # The compressor acts on the level it is given: peaks at -6 dBFS, near
    # Pico's at volume 60, keep quiet stops above the trim and loud vowels
    # from passing full scale after it.
    [ "$4" = pico ] || "${SOX[@]}" "$work/voice.wav" "$3" gain -n -6
}

trim() {  # trim IN OUT: drop the lead silence, then everything from the
    # first long digital silence on (Pico leaves a faint click after it),
    # then the tail under -50 dBFS: the compressor would lift that fading
    # breath into a long murmur after the word.
    "${SOX[@]}" "$1" "$2" silence 1 0.005 0.1% 1 0.1 0.01% \
        reverse silence 1 0.005 0.3% reverse
}

shorten_voice_bar() {  # shorten_voice_bar IN OUT
    # Pico voices b, d and g up to 110 ms before their burst, a hum with
    # nothing above 1.5 kHz.  The compressor lifts that hum to within a few
    # dB of the vowel, and "bread" began to sound like "drawing".  Keep at
    # most VOICE_BAR of sound before the first one that reaches 1.5 kHz.
    "${SOX[@]}" "$1" "$work/high.wav" sinc 1500 silence 1 0.005 0.05%
    local cut
    cut=$(/usr/bin/python3 -c "
print('%.4f' % max(0, $(soxi -D "$1") - $(soxi -D "$work/high.wav") - $VOICE_BAR))")
    "${SOX[@]}" "$1" "$2" trim "$cut"
    echo "$cut"
}

shape() {  # shape ID TEMPO VOICE: trim-ID.wav to level-ID.f32; sets gain, level, peak
    # Shape the word at 44.1 kHz in float, where nothing is lost to
    # rounding: a gentle compressor lifts the soft consonants towards the
    # vowels and a high shelf brightens the fricatives (f, s, ch, k), so
    # they stay clear of the 8-bit noise floor.
    "${SOX[@]}" "$work/trim-$1.wav" -t f32 -r 44100 "$work/shaped-$1.f32" \
        rate -v 44100 ${2:+tempo -s "$2"} highpass 50 \
        $COMPAND $SHELF fade h 0.005
    read -r gain level peak <<< "$(/usr/bin/python3 "$here/loudness.py" \
        "$work/shaped-$1.f32" 44100 "$LOUDNESS")"
    # Same active loudness for every word, then (in make_word) 8 bits with
    # plain TPDF dither.  Noise-shaped dither was tried: at 22.05 kHz it
    # piles the hiss up at 6..11 kHz, over the fricatives, and the
    # recogniser then mixed up more words.
    # The other voices start and end some words with a murmur under -36
    # dBFS (the aspiration before "cow", a breath before "peach", the
    # fading "n" of "plane") that a child hears as a pause: it goes, with a
    # 5 ms fade-in.
    local onset= end=-46d
    [ "$3" = pico ] || { onset="silence 1 0.005 -36d fade h 0.005" end=-36d; }
    "${SOX[@]}" -t f32 -r 44100 -c 1 "$work/shaped-$1.f32" \
        -t f32 "$work/level-$1.f32" gain "$gain" $onset \
        reverse silence 1 0.002 "$end" fade h 0.01 reverse
}

make_word() {  # make_word ID WORD
    local id=$1 w=$2 speed len tempo stretch lead tail bar
    local voice=${SET_VOICE[$((id / 1000))]:-pico}
    # Measure the word at speed 80, then say it again at the speed that
    # makes it about as long as at speed 75 but no shorter than 0.7 s and
    # no longer than 1 s: short words are stretched by the voice itself,
    # which sounds far more natural than stretching the recording.  Said
    # more slowly (as long as at speed 70), "window" was heard as "milk" on
    # a third of listen.sh's dither draws.
    # The floors and rising tones were chosen by ear, voice by voice.
    local floor=0
    case $voice in
    pico) floor=${SLOWEST[$w]:-0} ;;
    flite-rms) floor=${RMS_SLOWEST[$w]:-0} ;;
    flite-slt) floor=${FLITE_SLT_SLOWEST[$w]:-0} ;;
    slt) floor=${SLT_SLOWEST[$w]:-0} ;;
    esac
    say "$w" 80 "$work/probe-$id.wav" "$voice"
    trim "$work/probe-$id.wav" "$work/probe-trim-$id.wav"
    speed=$(/usr/bin/python3 -c "
l = $(soxi -D "$work/probe-trim-$id.wav")
target = min(max(l * 80 / 75, 0.7), 1.0)
print(max(round(80 * l / target), $floor))")
    say "$w" "$speed" "$work/raw-$id.wav" "$voice"
    trim "$work/raw-$id.wav" "$work/said-$id.wav"
    bar=$(shorten_voice_bar "$work/said-$id.wav" "$work/trim-$id.wav")
    len=$(soxi -D "$work/trim-$id.wav")
    # A pitch-preserving tempo change only if the voice missed the range.
    tempo=$(/usr/bin/python3 -c "
l = $len
print('%.4f' % (l / $MAX_SPEECH) if l > $MAX_SPEECH else
      '%.4f' % (l / $MIN_SPEECH) if l < $MIN_SPEECH else '')")
    shape "$id" "$tempo" "$voice"
    # The fading end cut after levelling can leave a word too short to
    # reach 0.74 s within the pads: say it a little more slowly instead.
    stretch=$(/usr/bin/python3 -c "
l = $(stat -c %s "$work/level-$id.f32") / 4 / 44100
if l < $MIN_LENGTH - $MAX_LEAD - $MAX_TAIL:
    print('%.4f' % (${tempo:-1} * l / ($MIN_LENGTH - $MAX_LEAD - $MAX_TAIL + 0.01)))")
    [ -z "$stretch" ] || { tempo=$stretch; shape "$id" "$tempo" "$voice"; }
    echo "$id $w: speed $speed, voice bar cut ${bar}s," \
         "speech ${len}s${tempo:+, tempo $tempo}, active $level dB," \
         "peak $peak dB, gain $gain dB"
    # Pads grow only where a short word needs them to last 0.74 s: the tail
    # up to MAX_TAIL, then the lead up to MAX_LEAD (see the stretch above),
    # so neither passes 80 ms of silence.
    read -r lead tail <<< "$(/usr/bin/python3 -c "
need = $MIN_LENGTH - $(stat -c %s "$work/level-$id.f32") / 4 / 44100
tail = max($TAIL, min($MAX_TAIL, need - $LEAD))
print('%.4f %.4f' % (max($LEAD, need - tail), tail))")"
    # Dither from the first sample to the last: switched on only with the
    # word (dither -a), the hiss started with the word like a consonant of
    # its own, and after a pause "clock" was heard as "flower".
    if [[ $WIDE_SETS != *" $((id / 1000)) "* ]]; then
        "${SOX[@]}" -t f32 -r 44100 -c 1 "$work/level-$id.f32" "${FINAL[@]}" \
            "$out/$id.wav" pad "$lead" "$tail" rate -v 22050 dither
    else
        "${SOX[@]}" -D -t f32 -r 44100 -c 1 "$work/level-$id.f32" \
            "${FINAL16[@]}" "$out/$id.wav" pad "$lead" "$tail" rate -v 22050
    fi
}

for ((n = 1; n <= 9; n++)); do
    list=$strings/$((100 + n)).txt
    [ -f "$list" ] || continue
    IFS=, read -r -a words < "$list" || true  # the list ends without newline
    [ "${#words[@]}" -eq 20 ] || { echo "$list: not twenty words" >&2; exit 1; }
    for i in "${!words[@]}"; do
        id=$((n == 1 ? 101 + i : 1000 * n + 101 + i))
        [ "$only" = "  " ] || [[ $only == *" $id "* ]] || continue
        make_word "$id" "${words[$i]}"
    done
done
[ "$only" = "  " ] || exit 0

/usr/bin/python3 "$here/effects.py" "$work"
# The effects sit near the words' loudness: the no-place taps 1 dB above,
# the jingle, which plays on into the pause, 2.5 dB below.  Each ends in a
# 40 ms fade to silence, so nothing clicks when it stops; the jingle is cut
# to 5.25 s first (it must stay at or under 115832 bytes).
for fx in 121:-1 122:-0.5 123:-2.5 124:1; do
    id=${fx%%:*} offset=${fx#*:}
    cut=
    [ "$id" = 123 ] && cut="trim 0 115762s"
    "${SOX[@]}" "$work/fx-$id.wav" -t f32 "$work/fx-$id.f32"
    levels=$(/usr/bin/python3 "$here/loudness.py" "$work/fx-$id.f32" 44100 \
        "$(awk "BEGIN { print $LOUDNESS + $offset }")")
    read -r gain level peak <<< "$levels"
    echo "$id: active $level dB, peak $peak dB, gain $gain dB"
    "${SOX[@]}" "$work/fx-$id.wav" "${FINAL[@]}" "$out/$id.wav" \
        gain "$gain" rate -v 22050 $cut fade h 0 -0 0.04
done
