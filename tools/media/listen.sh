#!/bin/bash
# Plays the twenty spoken words to a speech recogniser, as a stand-in for a
# listener: Debian's pocketsphinx with its US English model (packages
# pocketsphinx, pocketsphinx-en-us).  Each recording is fed as the game plays
# it, 22.05 kHz 8-bit, only converted to the 16 kHz 16-bit the model wants.
#
# Usage: listen.sh [RECORDINGS_DIR]
#   Prints, per word, what was heard when picking among the twenty words and
#   what was heard over the model's whole vocabulary (its general language
#   model), then the two counts.  Exits non-zero unless all twenty words are
#   picked right among the twenty.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
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

picked=0 wide=0
printf '%-4s %-9s %-9s %s\n' id word "of 20" "whole vocabulary"
for i in "${!words[@]}"; do
    id=$((101 + i)) w=${words[$i]}
    sox -V1 "$rec/$id.wav" -r 16000 -b 16 -e signed-integer "$work/$id.wav"
    a=$(hear "$work/$id.wav" -jsgf "$work/twenty.gram")
    b=$(hear "$work/$id.wav" -lm "$model/en-us.lm.bin")
    [ "$a" = "$w" ] && picked=$((picked + 1))
    [ "$b" = "$w" ] && wide=$((wide + 1))
    printf '%-4s %-9s %-9s %s\n' "$id" "$w" "${a:--}" "${b:--}"
done
echo "picked among the twenty: $picked/20"
echo "heard exactly over the whole vocabulary: $wide/20"
[ "$picked" -eq 20 ]
