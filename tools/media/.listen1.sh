#!/bin/bash
# Plays a word set's twenty spoken words to a speech recogniser, as a
# stand-in for a listener: Debian's pocketsphinx with its US English model
# (packages pocketsphinx, pocketsphinx-en-us).  Each recording is fed as the
# game plays it, 22.05 kHz 8-bit (set 1) or 16-bit (the others), only
# converted to the 16 kHz 16-bit the model wants, in eight conditions: with 0, 0.1, 0.3 and 0.5 s of silence
# before and after it (a child hears the word after a pause, not cut out of
# one), each at the recorded level and 6 dB lower (a quieter speaker).
#
# Usage: listen.sh [--set N] [--no-dither | --trials N] [RECORDINGS_DIR]
#   --set N takes set N's list (string 100 + N) as the grammar and its
#   recordings (ids 101.. for set 1, 1000 N + 101.. for the others).
#   By default each conversion uses sox's fixed dither seed, so the verdict
#   is the same on every run; --no-dither converts without dither.  Prints a
#   table of word by condition: "ok" or the word picked instead among the
#   twenty, then what was heard over the model's whole vocabulary (its
#   general language model) with no silence added.
#
#   --trials N converts each word N times per condition, each with a fresh
#   random dither, and prints how often it was picked right.  A condition
#   counts as passed when the word is right in all but one in twenty draws.
#
#   Exits non-zero unless every word passes at least 7 of the 8 conditions.
set -euo pipefail

usage() { echo "usage: $0 [--set N] [--no-dither | --trials N]" \
               "[RECORDINGS_DIR]" >&2
          exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
res=$here/../../resources
set_no=1 trials=0 dither=(-R)
while [ $# -gt 0 ]; do
    case $1 in
        --set) [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage
               set_no=$2; shift 2 ;;
        --no-dither) dither=(-D); shift ;;
        --trials) [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage
                  trials=$2 dither=(); shift 2 ;;
        -*) usage ;;
        *) break ;;
    esac
done
[ $# -le 1 ] || usage
rec=${1:-$res/recordings}
model=/usr/share/pocketsphinx/model/en-us
command -v pocketsphinx_continuous >/dev/null && [ -d "$model/en-us" ] ||
    { echo "needs the Debian packages pocketsphinx and pocketsphinx-en-us" >&2
      exit 1; }

list=$res/strings/$((100 + set_no)).txt
[ -f "$list" ] || { echo "no word list $list" >&2; exit 1; }
# The list has no final newline, which read reports as end of input.
IFS=, read -r -a words < "$list" || true
[ "${#words[@]}" -eq 20 ] || { echo "$list: not twenty words" >&2; exit 1; }
first_id=$((set_no == 1 ? 101 : 1000 * set_no + 101))

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The recogniser spells "yo-yo" as two words, "yo yo".
spoken() { echo "${1//-/ }"; }

# One of the twenty, said alone.
{
    echo '#JSGF V1.0;'
    echo 'grammar twenty;'
    alts=
    for w in "${words[@]}"; do alts+="${alts:+ | }$(spoken "$w")"; done
    echo "public <word> = $alts;"
} > "$work/twenty.gram"

# Silence on each side in seconds, and gain in dB.
pads=(0 0.1 0.3 0.5 0 0.1 0.3 0.5)
gains=(0 0 0 0 -6 -6 -6 -6)
names=(0s 0.1s 0.3s 0.5s 0s-6dB 0.1s-6dB 0.3s-6dB 0.5s-6dB)

hear() {  # hear WAV ARGS...: the recogniser's words for one recording
    pocketsphinx_continuous -hmm "$model/en-us" \
        -dict "$model/cmudict-en-us.dict" -infile "$1" "${@:2}" \
        -logfn /dev/null 2>/dev/null | tr -s ' \n' ' ' | sed 's/ $//'
}

convert() {  # convert ID CONDITION: the recording as the model wants it
    sox -V1 "${dither[@]}" "$rec/$1.wav" -r 16000 -b 16 -e signed-integer \
        "$work/$1.wav" gain "${gains[$2]}" pad "${pads[$2]}" "${pads[$2]}"
}

min_right=$((trials - trials / 20))
failed=() all=0
printf '%-5s %-9s' id word
printf ' %-8s' "${names[@]}"
[ "$trials" -gt 0 ] && echo || echo ' whole vocabulary'
for i in "${!words[@]}"; do [ -z "${ONLY:-}" ] || [ "${words[$i]}" = "$ONLY" ] || continue
    id=$((first_id + i)) w=${words[$i]} want=$(spoken "${words[$i]}")
    passed=0
    printf '%-5s %-9s' "$id" "$w"
    for c in "${!pads[@]}"; do
        if [ "$trials" -gt 0 ]; then
            right=0
            for ((t = 0; t < trials; t++)); do
                convert "$id" "$c"
                [ "$(hear "$work/$id.wav" -jsgf "$work/twenty.gram")" = \
                  "$want" ] && right=$((right + 1))
            done
            [ "$right" -ge "$min_right" ] && passed=$((passed + 1))
            printf ' %-8s' "$right/$trials"
        else
            convert "$id" "$c"
            a=$(hear "$work/$id.wav" -jsgf "$work/twenty.gram")
            if [ "$a" = "$want" ]; then
                passed=$((passed + 1)) a=ok
            fi
            printf ' %-8s' "${a:--}"
        fi
    done
    if [ "$trials" -eq 0 ]; then
        convert "$id" 0
        printf ' %s' "$(hear "$work/$id.wav" -lm "$model/en-us.lm.bin")"
    fi
    echo
    all=$((all + passed))
    [ "$passed" -ge 7 ] || failed+=("$w $passed/8")
done
echo "set $set_no: $all of 160 word-conditions right;" \
     "${#failed[@]} words under 7 of 8${failed:+: $(printf '%s; ' "${failed[@]}")}"
[ "${#failed[@]}" -eq 0 ]
