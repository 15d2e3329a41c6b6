#!/usr/bin/env python3
"""Makes own word sets of photo-like pictures for the benchmarks, never in the repository.

    bench/make-photo-sets.py SETS_FOLDER COUNT KIND [WORK_FOLDER]

KIND: photos (noise-rich 12-megapixel JPEGs at quality 90, 3-5 MB, a quarter
of them lying down with an EXIF orientation tag saying to turn them, and two
4000 x 3000 PNGs a set), bigpng (twelve 4000 x 3000 PNGs a set) or small
(twelve 90 x 90 PNGs). Every set has twelve words with a short recording each.
The few source pictures are made once with ImageMagick in WORK_FOLDER (kept
there for the next run) and copied: each copy is a file of its own to decode.
"""
import math
import os
import shutil
import struct
import subprocess
import sys
import wave

WORDS = ["apple", "banana", "cherry", "grape", "lemon", "mango",
         "orange", "peach", "pear", "plum", "melon", "kiwi"]
# APP1 "Exif": a big-endian TIFF header and one IFD entry, Orientation = 6 (turn a quarter clockwise).
EXIF_TURN = bytes.fromhex("ffe10022" "457869660000" "4d4d002a00000008" "0001" "011200030000000100060000" "00000000")


def convert(*args):
    subprocess.run(["nice", "convert", *args], check=True)


def noise(seed, size, out, quality=None, grain=0.3):
    """Blobs of colour under fine grain, as a phone's photo of a busy scene."""
    w, h = size
    args = ["-seed", str(seed), "-size", f"{w // 4}x{h // 4}", "xc:gray50", "-colorspace", "sRGB",
            "-type", "TrueColor", "-attenuate", "1.0",
            "+noise", "Random", "-blur", "0x2", "-resize", f"{w}x{h}!"]
    if grain:
        args += ["-attenuate", str(grain), "+noise", "Gaussian"]
    args += ["-depth", "8"]  # 8-bit colour, as a phone or camera saves
    if quality:
        args += ["-quality", str(quality)]
    convert(*args, out)


def sources(work, kind):
    os.makedirs(work, exist_ok=True)
    made = {}
    if kind == "photos":
        for i in range(4):
            made[f"photo{i}.jpg"] = lambda p, i=i: noise(10 + i, (4000, 3000), p, quality=90)
        for i in range(2):
            made[f"lying{i}.jpg"] = lambda p, i=i: noise(20 + i, (4000, 3000), p, quality=90)
        for i in range(2):
            made[f"big{i}.png"] = lambda p, i=i: noise(30 + i, (4000, 3000), p, grain=0)
    elif kind == "bigpng":
        for i in range(4):
            made[f"big{i}.png"] = lambda p, i=i: noise(30 + i, (4000, 3000), p, grain=0)
    else:
        for i in range(4):
            made[f"small{i}.png"] = lambda p, i=i: noise(40 + i, (90, 90), p, grain=0)
    for name, make in made.items():
        path = os.path.join(work, name)
        if not os.path.exists(path):
            make(path)
            if name.startswith("lying"):
                with open(path, "rb") as f:
                    jpeg = f.read()
                with open(path, "wb") as f:
                    f.write(jpeg[:2] + EXIF_TURN + jpeg[2:])
    return sorted(made)


def recording(path, seconds=0.4, rate=44100):
    """A tone between silences, not yet in the game's format."""
    with wave.open(path, "wb") as w:
        w.setnchannels(2)
        w.setsampwidth(2)
        w.setframerate(rate)
        frames = bytearray()
        for n in range(int((seconds + 0.4) * rate)):
            t = n / rate
            v = int(8000 * math.sin(2 * math.pi * 440 * t)) if 0.2 < t < 0.2 + seconds else 0
            frames += struct.pack("<hh", v, v)
        w.writeframes(bytes(frames))


def main():
    sets, count, kind = sys.argv[1], int(sys.argv[2]), sys.argv[3]
    work = sys.argv[4] if len(sys.argv) > 4 else os.path.join(sets, "..", "sources-" + kind)
    names = sources(work, kind)
    if kind == "photos":
        # Per set 7 photos, 3 lying down (a quarter) and 2 PNGs; the three
        # the corner's tile shows are one of each.
        plan = ["photo0.jpg", "lying0.jpg", "big0.png", "photo1.jpg", "photo2.jpg", "lying1.jpg",
                "photo3.jpg", "big1.png", "photo0.jpg", "lying0.jpg", "photo1.jpg", "photo2.jpg"]
    else:
        plan = (names * 3)[:12]
    sound = os.path.join(work, "word.wav")
    if not os.path.exists(sound):
        recording(sound)
    for s in range(count):
        folder = os.path.join(sets, f"{kind}{s + 1:02d}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, "words.txt"), "w") as f:
            f.write("\n".join(WORDS) + "\n")
        with open(os.path.join(folder, "set.ini"), "w") as f:
            f.write(f"[set]\nname=照片 {s + 1}\n")
        for row, source in enumerate(plan):
            ending = os.path.splitext(source)[1]
            shutil.copyfile(os.path.join(work, source), os.path.join(folder, f"{row + 1:02d}{ending}"))
            shutil.copyfile(sound, os.path.join(folder, f"{row + 1:02d}.wav"))


if __name__ == "__main__":
    main()
