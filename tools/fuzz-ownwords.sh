#!/usr/bin/env bash
# Fuzzes the reader of one's own word sets and the import of set files with
# libFuzzer, each for the given time.
# Usage: tools/fuzz-ownwords.sh [seconds]      (default 30 each)
# Needs clang and libclang-rt-14-dev. Builds in $WORDNEST_FUZZ_BUILD (default
# build-fuzz/); a crash leaves its input there as crash-* and makes the script fail.
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WORDNEST_FUZZ_BUILD:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWORDNEST_FUZZ=ON -DWORDNEST_TESTS=OFF >/dev/null
cmake --build "$build" --target fuzz_ownset fuzz_setimport

# Seeds: a set made and exported by the fuzzer itself, and its parts.
seeds=$build/ownwords-seeds
rm -rf "$seeds"
WORDNEST_FUZZ_SEEDS=$seeds QT_QPA_PLATFORM=offscreen "$build/tests/fuzz/fuzz_setimport"

for target in ownset import; do
    binary=$build/tests/fuzz/fuzz_$([ $target = import ] && echo setimport || echo ownset)
    corpus=$build/fuzz-corpus-$target
    mkdir -p "$corpus"
    QT_QPA_PLATFORM=offscreen "$binary" "$corpus" "$seeds/$target" \
        -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1048576 \
        -artifact_prefix="$build/$target-" -print_final_stats=1
done
