#!/usr/bin/env bash
# Sets up what a fresh Debian 12 machine lacks, builds Wordnest in Release,
# then starts the game (./build.sh play) or runs every test (./build.sh test);
# ./build.sh package builds the Debian package into dist/ instead.
set -euo pipefail
cd "$(dirname "$0")"

mode=${1:-play}
case "$mode" in
    play | test | package) ;;
    *) echo "usage: $0 [play|test|package]" >&2; exit 2 ;;
esac

# libqt6sql6-sqlite: Qt's SQLite driver, which keeps the progress record;
# libsndfile and libarchive read own word sets' recordings and set files;
# qt6-charts-dev: the chart of days played on the progress page (its CMake files need
# libqt6opengl6-dev, which Debian 12 does not pull in with it).
# qt6-translations-l10n: Qt's file dialogs and standard buttons in Chinese;
# qt6-tools-dev and qt6-l10n-tools: lupdate and lrelease, for the program's own translations.
packages=(build-essential cmake ninja-build qt6-base-dev qt6-charts-dev libqt6opengl6-dev libqt6sql6-sqlite libsdl2-dev
    fonts-wqy-microhei libsndfile1-dev libarchive-dev qt6-translations-l10n qt6-tools-dev qt6-l10n-tools)
if [ "$mode" = test ]; then
    # The fuzz runs need clang's libFuzzer; CI runs the tests again under stress-ng's load.
    packages+=(clang libclang-rt-14-dev stress-ng)
fi
if [ "$mode" = package ]; then
    # Debian's packaging tools, and the checks CI runs on what the package installs.
    packages+=(debhelper dpkg-dev lintian desktop-file-utils appstream)
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

if [ "$mode" = package ]; then
    # Built from a copy, so the package build leaves nothing in the source tree
    # and dpkg-buildpackage's output (written to the parent folder) stays in build/.
    work=build/package
    rm -rf "$work"
    mkdir -p "$work/wordnest" dist
    tar --exclude=./build --exclude='./build-*' --exclude=./dist --exclude=./.git -cf - . | tar -xf - -C "$work/wordnest"
    (cd "$work/wordnest" &&
        DEB_BUILD_OPTIONS="nocheck noautodbgsym parallel=$(nproc)" dpkg-buildpackage -us -uc -b >../build.log 2>&1) ||
        { tail -n 40 "$work/build.log"; exit 1; }
    rm -f dist/wordnest_*.deb
    mv "$work"/wordnest_*.deb dist/
    ls dist/wordnest_*.deb
    exit 0
fi

# The layers first: an include that reaches up is named here, before any build.
if [ "$mode" = test ]; then tools/check-layers.sh; fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DWORDNEST_TESTS="$([ "$mode" = test ] && echo ON || echo OFF)" >/dev/null
cmake --build build

if [ "$mode" = play ]; then
    exec build/wordnest
fi

# Half a minute of fuzzing each of the board reader, the own word set reader,
# the set import and the class list reader (a build of their own, with clang),
# then every test.
tools/fuzz-board.sh 30 >build/fuzz-board.log 2>&1 || { tail -n 40 build/fuzz-board.log; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz-board.log || true
tools/fuzz-ownsets.sh 30 >build/fuzz-ownsets.log 2>&1 || { tail -n 40 build/fuzz-ownsets.log; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz-ownsets.log || true
tools/fuzz-classlist.sh 30 >build/fuzz-classlist.log 2>&1 || { tail -n 40 build/fuzz-classlist.log; exit 1; }
grep -E '^(Done|stat::number_of_executed_units)' build/fuzz-classlist.log || true
QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ctest --test-dir build --output-on-failure -j "$(nproc)"
