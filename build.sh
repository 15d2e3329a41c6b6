#!/usr/bin/env bash
# Sets up what a fresh Debian 12 machine lacks, builds Wordnest in Release,
# then starts the game (./build.sh play) or runs every test (./build.sh test).
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in
    play | test) ;;
    *) echo "usage: $0 [play|test]" >&2; exit 2 ;;
esac

packages=(build-essential cmake ninja-build qt6-base-dev libsdl2-dev fonts-wqy-microhei)
if [ "$mode" = test ]; then
    # The board reader's fuzz run needs clang's libFuzzer.
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root=()
    [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DWORDNEST_TESTS="$([ "$mode" = test ] && echo ON || echo OFF)" >/dev/null
cmake --build build

if [ "$mode" = play ]; then
    exec build/wordnest
fi

# Half a minute of fuzzing the board reader (a build of its own, with clang),
# then every test.
tools/fuzz-board.sh 30 >build/fuzz-board.log 2>&1 || { tail -n 40 build/fuzz-board.log; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz-board.log || true
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --test-dir build --output-on-failure -j "$(nproc)"
