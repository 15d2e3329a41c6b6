#!/bin/bash
# Makes every media file of Wordnest into resources/ and the contact sheet
# into docs/.  Run install-deps.sh once first.  Usage: make-media.sh
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
res=$root/resources
twemoji=$here/node_modules/@twemoji/svg
pico=$here/cache/pico

for tool in rsvg-convert convert sox soxi node /usr/bin/python3; do
    command -v "$tool" >/dev/null ||
        { echo "missing $tool: run tools/media/install-deps.sh" >&2; exit 1; }
done
[ -f "$twemoji/1f6cf.svg" ] && [ -f "$pico/en-US_ta.bin" ] ||
    { echo "missing Twemoji or Pico voice: run tools/media/install-deps.sh" >&2
      exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Same results whatever the caller's locale or time zone.
export LC_ALL=C.UTF-8 TZ=UTC SOURCE_DATE_EPOCH=0

echo "== strings"
# First: the recordings follow the word lists.
mkdir -p "$res/strings"
# No trailing newline: the game compares these texts as they are.
printf '%s' 'bed,bookcase,bread,broom,chair,clock,computer,cup,door,drawing,drum,flower,jam,milk,mirror,phone,piano,sofa,table,window' \
    > "$res/strings/101.txt"
# The other word sets' lists come from the tool that draws their pictures.
/usr/bin/python3 "$here/setart.py" "$res/strings"
printf '%s' '354,298,284,292' > "$res/strings/300.txt"
printf '%s' '361,396,130,340' > "$res/strings/301.txt"
printf '%s' '378,392,333,279' > "$res/strings/302.txt"
printf '%s' '280,366,290,187' > "$res/strings/303.txt"

echo "== pictures"
/usr/bin/python3 "$here/pictures.py" "$twemoji" "$res" "$work/pictures"

echo "== recordings"
"$here/sounds.sh" "$pico" "$res/strings" "$res/recordings" "$work/sounds"

echo "== contact sheet"
mkdir -p "$root/docs"
/usr/bin/python3 "$here/contact_sheet.py" "$res" "$root/docs/contact-sheet.png" \
    "$work/sheet"
/usr/bin/python3 "$here/set_sheets.py" "$res" "$root/docs/sets" "$work/sets"

echo "done: $(find "$res" -type f | wc -l) files in resources/"
