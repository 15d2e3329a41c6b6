#!/usr/bin/python3
"""Measures a spoken word the way the media tests do and prints the gain in
dB that brings its active loudness to a target.

Active loudness is the RMS over the 10 ms blocks that are no more than 30 dB
below the word's loudest block: it follows the speech and ignores the
silences around it, so a short word and a long one come out as loud.

Usage: loudness.py RAW RATE TARGET_DB
  RAW is mono 32-bit float little-endian samples (sox -t f32), full scale 1.
Prints: gain_db active_db peak_db
The gain stops where the peak reaches -1 dBFS, where 8-bit rounding and
dither would clip; it fails if the word then stays more than 1.5 dB short (the tests allow
2 dB from the set's mean).
"""

import array
import math
import sys

GATE_DB = 30.0
PEAK_LIMIT_DB = -1.0
SHORT_LIMIT_DB = 1.5


def active_rms(samples, rate):
    n = rate // 100
    blocks = [samples[i:i + n] for i in range(0, len(samples) - n + 1, n)]
    powers = [sum(v * v for v in b) / n for b in blocks]
    loudest = max(powers, default=0.0)
    if loudest <= 0:
        return 0.0
    gate = loudest * 10 ** (-GATE_DB / 10)
    active = [p for p in powers if p >= gate]
    return math.sqrt(sum(active) / len(active))


def db(v):
    return 20 * math.log10(v) if v > 0 else -math.inf


def main():
    path, rate, target = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    samples = array.array('f')
    with open(path, 'rb') as f:
        samples.frombytes(f.read())
    if sys.byteorder != 'little':
        samples.byteswap()
    level = db(active_rms(samples, rate))
    peak = db(max((abs(v) for v in samples), default=0.0))
    # A sharp burst ("p" in "pajamas") may stand far above the vowels: such a
    # word is left a little quieter than the others rather than clipped.
    gain = min(target - level, PEAK_LIMIT_DB - peak)
    if target - level - gain > SHORT_LIMIT_DB:
        sys.exit('%s: peak %.2f dBFS after %.2f dB of gain' %
                 (path, peak + target - level, target - level))
    print('%.3f %.2f %.2f' % (gain, level, peak))


if __name__ == '__main__':
    main()
