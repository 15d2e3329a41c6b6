#!/bin/bash
# Plays the twenty spoken words to a speech recogniser, as a stand-in for a
# listener: Debian's pocketsphinx with its US English model (packages
# pocketsphinx, pocketsphinx-en-us).  Each recording is fed as the game plays
# it, 22.05 kHz 8-bit, only converted to the 16 kHz 16-bit the model wants.
#
# Usage: listen.sh [--no-dither | --trials N] [RECORDINGS_DIR]
#   By default each word is converted once with sox's fixed dither seed, so
#   the verdict is the same on every run; --no-dither converts without
#   dither.  Prints, per word, what was heard when picking among the twenty
#   words and what was heard over the model's whole vocabulary (its general
#   language model), then the two counts.  Exits non-zero unless all twenty
#   words are picked right among the twenty.
#
#   --trials N converts each word N times, each with a fresh random dither,
#   and prints how often it was picked right among the twenty, then the
#   worst word.  A word that flips on a dither draw is near the edge.
#   Exits non-zero unless every word is picked right in every trial but one
#   at most (19 of 20).
set -euo pipefail

usage() { echo "usage: $0 [--no-dither | --trials N] [RECORDINGS_DIR]" >&2
          exit 2; }
here=$(cd "$(dirname "$0")" && pwd)
trials=0 dither=(-R)
case ${1:-} in
    --no-dither) dither=(-D); shift ;;
    --trials) [[ ${2:-} =~ ^[1-9][0-9]*$ ]] || usage
              trials=$2 dither=(); shift 2 ;;
    -*) usage ;;
esac
[ $# -le 1 ] || usage
rec=${1:-$here/../../resources/recordings}
model=/usr/share/pocketsphinx/model/en-us
command -v pocketsphinx_continuous >/dev/null && [ -d "$model/en-us" ] ||
    { echo "needs the Debian packages pocketsphinx and pocketsphinx-en-us" >&2
      exit 1; }

words=(bed bookcase bread broom chair clock computer cup door drawing drum
       flower jam milk mirror phone piano sofa table window)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One of the twenty, said alone.
{
    echo '#JSGF V1.0;'
    echo 'grammar twenty;'
    printf 'public <word> = %s;\n' "$(IFS='|'; echo "${words[*]}" | sed 's/|/ | /g')"
} > "$work/twenty.gram"

hear() {  # hear WAV ARGS...: the recogniser's words for one recording
    pocketsphinx_continuous -hmm "$model/en-us" \
        -dict "$model/cmudict-en-us.dict" -infile "$1" "${@:2}" \
        -logfn /dev/null 2>/dev/null | tr -s ' \n' ' ' | sed 's/ $//'
}

convert() {  # convert ID: the recording as the model wants it, in $work
    sox -V1 "${dither[@]}" "$rec/$1.wav" -r 16000 -b 16 -e signed-integer \
        "$work/$1.wav"
}

if [ "$trials" -gt 0 ]; then
    worst=$((trials + 1)) worst_word= total=0
    min_right=$((trials - trials / 20))
    printf '%-4s %-9s %-7s %s\n' id word right "heard instead"
    for i in "${!words[@]}"; do
        id=$((101 + i)) w=${words[$i]} right=0 wrong=()
        for ((t = 0; t < trials; t++)); do
            convert "$id"
            a=$(hear "$work/$id.wav" -jsgf "$work/twenty.gram")
            if [ "$a" = "$w" ]; then right=$((right + 1))
            else wrong+=("${a:--}"); fi
        done
        total=$((total + right))
        [ "$right" -lt "$worst" ] && worst=$right worst_word=$w
        printf '%-4s %-9s %-7s %s\n' "$id" "$w" "$right/$trials" \
            "$(printf '%s\n' "${wrong[@]}" | sort | uniq -c |
               awk 'NF > 1 { printf "%s%s x%d", s, $2, $1; s = ", " }')"
    done
    if [ "$worst" -eq "$trials" ]; then
        echo "picked right: $total/$((20 * trials)); every word every time"
    else
        echo "picked right: $total/$((20 * trials)); worst: $worst_word," \
             "$worst/$trials"
    fi
    [ "$worst" -ge "$min_right" ]
    exit
fi

picked=0 wide=0
printf '%-4s %-9s %-9s %s\n' id word "of 20" "whole vocabulary"
for i in "${!words[@]}"; do
    id=$((101 + i)) w=${words[$i]}
    convert "$id"
    a=$(hear "$work/$id.wav" -jsgf "$work/twenty.gram")
    b=$(hear "$work/$id.wav" -lm "$model/en-us.lm.bin")
    [ "$a" = "$w" ] && picked=$((picked + 1))
    [ "$b" = "$w" ] && wide=$((wide + 1))
    printf '%-4s %-9s %-9s %s\n' "$id" "$w" "${a:--}" "${b:--}"
done
echo "picked among the twenty: $picked/20"
echo "heard exactly over the whole vocabulary: $wide/20"
[ "$picked" -eq 20 ]
