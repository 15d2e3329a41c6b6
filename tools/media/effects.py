#!/usr/bin/python3
"""Synthesises the game's four sound effects as 44.1 kHz 16-bit mono WAV
files; sounds.sh turns them into the game's 22.05 kHz 8-bit recordings.

Pure additive synthesis with fixed parameters, so every run gives the same
samples.  Usage: effects.py OUT_DIR
"""

import math
import os
import struct
import sys
import wave

RATE = 44100


def midi(n):
    return 440.0 * 2 ** ((n - 69) / 12)


def tone(freq, dur, partials, attack=0.004, release=0.03, glide=0.0):
    """A note of `dur` seconds.  partials: (ratio, gain, decay seconds).
    glide bends the pitch linearly by that many semitones over the note."""
    n = int(dur * RATE)
    out = [0.0] * n
    phase = [0.0] * len(partials)
    for i in range(n):
        t = i / RATE
        f = freq * 2 ** (glide * (t / dur) / 12)
        env = min(1.0, t / attack) if attack else 1.0
        left = dur - t
        if left < release:
            env *= left / release
        s = 0.0
        for k, (ratio, gain, decay) in enumerate(partials):
            phase[k] += 2 * math.pi * f * ratio / RATE
            s += gain * math.exp(-t / decay) * math.sin(phase[k])
        out[i] = s * env
    return out


def mix(length, events):
    """events: (start seconds, samples, volume)."""
    buf = [0.0] * int(length * RATE)
    for start, samples, vol in events:
        o = int(start * RATE)
        for i, v in enumerate(samples):
            if o + i < len(buf):
                buf[o + i] += v * vol
    return buf


def write(path, samples):
    peak = max(abs(v) for v in samples) or 1.0
    frames = b''.join(struct.pack('<h', int(round(v / peak * 24000)))
                      for v in samples)
    with wave.open(path, 'wb') as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


SOFT = [(1, 1.0, 1.0), (2, 0.15, 0.2)]                    # round, low boop
BELL = [(1, 1.0, 0.35), (2, 0.35, 0.15), (3, 0.12, 0.08), (4.2, 0.05, 0.04)]
MARIMBA = [(1, 1.0, 0.28), (4, 0.25, 0.03), (10, 0.05, 0.01)]
PLUCK = [(1, 1.0, 0.45), (2, 0.45, 0.25), (3, 0.2, 0.12), (5, 0.06, 0.05)]


def wrong():
    # Two soft notes going down: "oh-oh", gentle rather than a buzzer.
    a = tone(midi(67), 0.125, SOFT, attack=0.012, release=0.05, glide=-0.5)
    b = tone(midi(62), 0.145, SOFT, attack=0.012, release=0.09, glide=-1.0)
    return mix(0.27, [(0.0, a, 0.8), (0.125, b, 0.8)])


def right():
    # Quick rising arpeggio ending on a bright chord.
    notes = [(0.0, 84), (0.06, 88), (0.12, 91), (0.18, 96)]
    ev = [(t, tone(midi(n), 0.36 - t, BELL, release=0.05), 0.7)
          for t, n in notes]
    return mix(0.36, ev)


def no_place():
    # Two equal, neutral taps: "not here".
    a = tone(midi(69), 0.2, MARIMBA, release=0.04)
    b = tone(midi(69), 0.25, MARIMBA, release=0.08)
    return mix(0.45, [(0.0, a, 0.8), (0.2, b, 0.8)])


def jingle():
    # A short tune in C major at 120 beats a minute; 5.25 s with the tail.
    beat = 0.25
    melody = [  # (start in eighths, length in eighths, midi note)
        (0, 1, 72), (1, 1, 76), (2, 1, 79), (3, 1, 76),
        (4, 1, 77), (5, 1, 81), (6, 2, 84),
        (8, 1, 83), (9, 1, 79), (10, 1, 76), (11, 1, 79),
        (12, 1, 77), (13, 1, 74), (14, 2, 71),
        (16, 1, 72), (17, 1, 76), (18, 1, 79),
        (19, 2, 84),
    ]
    bass = [(0, 48), (4, 53), (8, 55), (12, 55), (16, 48)]
    ev = []
    for start, length, n in melody:
        ev.append((start * beat, tone(midi(n), length * beat + 0.2, PLUCK,
                                      release=0.08), 0.55))
    for start, n in bass:
        ev.append((start * beat, tone(midi(n), 4 * beat, MARIMBA,
                                      release=0.1), 0.5))
        ev.append((start * beat + 2 * beat,
                   tone(midi(n + 7), 2 * beat, MARIMBA, release=0.1), 0.3))
    # Final chord with a sparkle on top.
    for n, v in ((60, 0.35), (64, 0.3), (67, 0.3), (72, 0.35)):
        ev.append((19 * beat, tone(midi(n), 5.25 - 19 * beat, PLUCK,
                                   release=0.3), v))
    ev.append((20 * beat, tone(midi(96), 0.6, BELL, release=0.2), 0.25))
    return mix(5.25, ev)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for ident, fn in ((121, wrong), (122, right), (123, jingle),
                      (124, no_place)):
        write(os.path.join(out, f'fx-{ident}.wav'), fn())


if __name__ == '__main__':
    main()
