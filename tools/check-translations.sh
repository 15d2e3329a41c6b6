#!/usr/bin/env bash
# Fails when a text the program writes in English lacks a finished
# translation: a copy of each .ts file is brought up to date from the sources
# (as the update_translations target does), and every message still
# unfinished, or no longer in the sources, is named.
# Usage: tools/check-translations.sh [path to lupdate]
set -euo pipefail
cd "$(dirname "$0")/.."
lupdate=${1:-/usr/lib/qt6/bin/lupdate}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

faults=0
for ts in translations/*.ts; do
    copy=$work/$(basename "$ts")
    cp "$ts" "$copy"
    "$lupdate" -silent -locations none -extensions cpp,h media records words app -ts "$copy"
    # A message and its state sit on neighbouring lines; show the source text with each.
    if grep -B 2 -E 'type="(unfinished|vanished|obsolete)"' "$copy" | grep -E '<source>|type='; then
        echo "$ts: the messages above need a translation (or have left the sources):" \
            "build the update_translations target and translate them" >&2
        faults=1
    fi
done
exit "$faults"
