#!/usr/bin/env python3
"""Plays Wordnest under Xvfb with real mouse clicks, the way a child would,
and saves screenshots on the way: a question, the pause after a round, the
next room, and the leaderboard after the game is lost on purpose.

The right picture is found by comparing the hint picture (level 1) or, after
clicking the book, the revealed hint (level 2) with the ten pictures.

Usage: xvfb-run -a -s "-screen 0 840x600x24" tools/autoplay.py [--installed] [outdir]
Needs xdotool and imagemagick, and a built game in build/ (a copy of it is
played, its board beside it), or with --installed the `wordnest` on PATH (its
board in the player's data folder).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

WINDOW_X, WINDOW_Y = 100, 67  # no window manager: the client area is here


def screen():
    """The whole screen as (width, height, rgb bytes)."""
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], check=True,
                         capture_output=True).stdout
    parts = ppm.split(b"\n", 3)
    width, height = map(int, parts[1].split())
    return width, height, parts[3]


def tile(shot, x, y, size=90):
    width, _, data = shot
    x += WINDOW_X
    y += WINDOW_Y
    return b"".join(data[((y + row) * width + x) * 3:((y + row) * width + x + size) * 3]
                    for row in range(size))


def click(x, y):
    subprocess.run(["xdotool", "mousemove", str(WINDOW_X + x), str(WINDOW_Y + y),
                    "click", "1"], check=True)


def save(outdir, name):
    subprocess.run(["import", "-window", "root", os.path.join(outdir, name)], check=True)


def picture_place(index):
    return 90 * (index % 5), 91 * (index // 5)


def find_target(shot):
    hint = tile(shot, 480, 34)
    for index in range(10):
        if tile(shot, *picture_place(index)) == hint:
            return index
    return None


def main():
    args = sys.argv[1:]
    installed = "--installed" in args
    args = [a for a in args if a != "--installed"]
    outdir = args[0] if args else "docs"
    os.makedirs(outdir, exist_ok=True)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    folder = tempfile.mkdtemp()
    if installed:
        program = shutil.which("wordnest")
        data_home = os.environ.get("XDG_DATA_HOME") or os.path.expanduser("~/.local/share")
        board_path = os.path.join(data_home, "wordnest", "kivora1.tmp")
    else:
        shutil.copy(os.path.join(root, "build", "wordnest"), folder)
        program = os.path.join(folder, "wordnest")
        board_path = os.path.join(folder, "kivora1.tmp")
    env = dict(os.environ, SDL_AUDIODRIVER=os.environ.get("SDL_AUDIODRIVER", "dummy"))
    game = subprocess.Popen([program], env=env, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1.5)
        click(489, 235)  # start
        time.sleep(0.5)
        save(outdir, "question.png")
        for round_number in (1, 2):
            for question in range(10):
                shot = screen()
                target = find_target(shot)
                if target is None:  # level 2: the book reveals the hint
                    click(530, 76)
                    time.sleep(0.3)
                    shot = screen()
                    target = find_target(shot)
                if target is None:
                    sys.exit(f"round {round_number}, question {question}: no picture matches the hint")
                click(*[c + 45 for c in picture_place(target)])
                time.sleep(0.6)
            if round_number == 1:
                time.sleep(0.5)
                save(outdir, "pause.png")
                time.sleep(3.0)
                save(outdir, "next-round.png")
        # Book repeats were queued in round 2; lose the game on purpose now.
        # Until the last ball is gone: on a busy machine a click can come
        # while the wrong-pick sound still holds the game.
        for _ in range(12):
            shot = screen()
            if tile(shot, 488, 8, 1) == bytes((0, 0, 128)):
                break
            target = find_target(shot)
            wrong = 0 if target != 0 else 1
            click(*[c + 45 for c in picture_place(wrong)])
            time.sleep(0.6)
        time.sleep(1.0)
        save(outdir, "leaderboard.png")
        subprocess.run(["xdotool", "type", "Tom"], check=True)
        subprocess.run(["xdotool", "key", "Return"], check=True)
        time.sleep(0.5)
        save(outdir, "after-game.png")
        with open(board_path, "rb") as board:
            print(board.read().decode("gbk"), end="")
    finally:
        game.terminate()
        game.wait()
        shutil.rmtree(folder)


if __name__ == "__main__":
    main()
