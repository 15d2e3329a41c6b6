#!/usr/bin/env bash
# Fuzzes the reader of one's own word sets and the import of set files with
# libFuzzer, each for the given time.
# Usage: tools/fuzz-ownsets.sh [seconds]      (default 30 each)
# Needs clang and libclang-rt-14-dev. Builds in $WORDNEST_FUZZ_BUILD (default
# build-fuzz/); a crash leaves its input there as crash-* and makes the script fail.
set -euo pipefail

. "$(dirname "$0")/fuzz-common.sh"
build_fuzz_targets fuzz_setreader fuzz_setimport

# Seeds: a set of ten built-in words and its parts, each after the byte that
# selects it in fuzz_setreader; the set exported by the game (when it is built
# in build/) for fuzz_setimport.
seeds=$build/ownsets-seeds
rm -rf "$seeds"
mkdir -p "$seeds/setreader" "$seeds/setimport" "$seeds/data/wordnest/sets/seed"
set=$seeds/data/wordnest/sets/seed
printf 'bed\nbookcase\nbread\nbroom\nchair\nclock\ncomputer\ncup\ndoor\ndrawing\n' >"$set/words.txt"
printf '[set]\nname=种子\n' >"$set/set.ini"
for n in 01 02 03 04 05 06 07 08 09 10; do
    cp "$root/resources/pictures/1$n@2x.png" "$set/$n.png"
    cp "$root/resources/recordings/1$n.wav" "$set/$n.wav"
done
for part in 0:words.txt 1:set.ini 2:01.png 3:01.wav; do
    { printf "\\$(printf '%03o' "${part%%:*}")"; cat "$set/${part#*:}"; } >"$seeds/setreader/${part#*:}"
done
game=${WORDNEST_GAME:-$root/build/wordnest}
if [ -x "$game" ]; then
    XDG_DATA_HOME=$seeds/data XDG_RUNTIME_DIR=$seeds XDG_CONFIG_HOME=$seeds XDG_CACHE_HOME=$seeds/cache "$game" --export-words seed "$seeds/setimport/seed.wordnest"
else
    echo "No $game to export a seed set with: the import is fuzzed from the set's parts." >&2
    cp "$seeds/setreader/"* "$seeds/setimport/"
fi

for target in setreader setimport; do
    binary=$build/tests/fuzz/fuzz_$target
    corpus=$build/fuzz-corpus-$target
    mkdir -p "$corpus"
    QT_QPA_PLATFORM=offscreen "$binary" "$corpus" "$seeds/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1048576 \
        -artifact_prefix="$build/$target-" -print_final_stats=1
done
