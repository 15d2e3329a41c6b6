#!/usr/bin/env bash
# Takes screenshots of the real game window under Xvfb: at start, during the
# first question, and with the help open. Usage: tools/screenshot.sh [outdir]
# Needs: xvfb xauth xdotool imagemagick, and a built game in build/.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs}
mkdir -p "$out"
game=$(pwd)/build/wordnest

xvfb-run -a -s "-screen 0 840x600x24" bash -c '
    set -e
    out="$1"; game="$2"
    board=$(mktemp -d)
    cp "$game" "$board/"
    SDL_AUDIODRIVER=dummy "$board/wordnest" 2>/dev/null &
    pid=$!
    trap "kill $pid 2>/dev/null; rm -rf $board" EXIT
    sleep 1.5
    # Without a window manager the client area sits at the window position (100, 67).
    shot() { import -window root -crop 640x450+100+67 +repage "$out/$1"; }
    shot start.png
    xdotool mousemove $((100 + 489)) $((67 + 235)) click 1   # the start button
    sleep 0.4
    shot question.png
    xdotool mousemove $((100 + 545)) $((67 + 235)) click 1   # the help button
    sleep 0.8
    import -window root "$out/help.png"
' bash "$out" "$game"
echo "screenshots in $out/"
