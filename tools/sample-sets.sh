#!/usr/bin/env bash
# Makes own word sets from the built-in pictures and recordings, for trying
# the grown-ups' corner with a class's worth of sets and for its screenshot:
# twelve that play (Chinese and English names, long ones among them), one
# that plays without two of its words, one too short to play and a folder
# whose name is no id. Usage: tools/sample-sets.sh SETS_FOLDER
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:?usage: tools/sample-sets.sh SETS_FOLDER}
mkdir -p "$out"

# The built-in sets' words, in their pictures' order, from the README's table.
words_of() { grep "^| $1 |" README.md | cut -d'|' -f4 | sed 's/^ *//; s/ *$//; s/, /\n/g'; }
# Picture and recording number of built-in set $1's word $2 (1 to 20).
number() { if [ "$1" = 1 ]; then printf '1%02d' "$2"; else printf '%d1%02d' "$1" "$2"; fi; }

# make ID NAME BUILT_IN_SET FIRST_WORD COUNT
make() {
    local dir="$out/$1" i n
    mkdir -p "$dir"
    printf '[set]\nname=%s\n' "$2" > "$dir/set.ini"
    words_of "$3" | tail -n +"$4" | head -n "$5" > "$dir/words.txt"
    for ((i = 1; i <= $5; i++)); do
        n=$(number "$3" $((i + $4 - 1)))
        cp "resources/pictures/$n@2x.png" "$dir/$(printf %02d "$i").png"
        cp "resources/recordings/$n.wav" "$dir/$(printf %02d "$i").wav"
    done
}

make week-1 "第1周 家里的东西" 1 1 12
make week-2 "第2周 动物" 2 1 12
make week-10 "第10周 农场" 2 5 12
make fruit "水果" 3 1 10
make food "好吃的" 3 9 12
make toys "玩具" 4 1 12
make clothes "Clothes for winter" 5 1 12
make outside "Outside" 6 1 12
make sky "天上" 6 8 10
make long-zh "我们班这个学期最喜欢的小动物和它们的家" 2 9 12
make long-en "Things we saw on our walk to the big park" 6 3 12
make zoo "zoo" 2 11 10
# Twelve words, two without a picture: it plays with ten.
make play "Toys and games" 4 9 12
rm "$out/play/03.png" "$out/play/07.png"
# Nine words: too few to play.
make short "九个词" 5 10 9
# A name with a space is no id: the corner says how to mend it.
make "my fruit" "my fruit" 3 5 12
echo "sets in $out/"
