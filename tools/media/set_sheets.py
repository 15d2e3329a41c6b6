#!/usr/bin/python3
"""Lays each word set's twenty pictures at 3x, with id and word, on a sheet
of its own (set-<n>.png), to look at every picture as a dense screen shows
it.  Reads the finished files in resources/.

Usage: set_sheets.py RESOURCES_DIR OUT_DIR WORK_DIR
"""

import os
import subprocess
import sys

from contact_sheet import BG, FONT, as_png_uri
from setart import SETS

CELL, COLUMNS = 290, 5


def sheet_svg(number, name, words, pics, work):
    width = 20 + COLUMNS * CELL
    rows = (len(words) + COLUMNS - 1) // COLUMNS
    height = 70 + rows * (CELL + 36)
    parts = [f'<text x="24" y="44" font-family="{FONT}" font-size="28" '
             f'font-weight="bold" fill="#333">Set {number}, {name}: '
             f'pictures {1000 * number + 101}..{1000 * number + 120} '
             f'at 3x</text>']
    for i, word in enumerate(words):
        ident = 1000 * number + 101 + i
        x = 20 + (i % COLUMNS) * CELL
        y = 70 + (i // COLUMNS) * (CELL + 36)
        uri = as_png_uri(os.path.join(pics, f'{ident}@3x.png'), work)
        parts.append(f'<image x="{x}" y="{y}" width="270" height="270" '
                     f'href="{uri}"/>')
        parts.append(f'<text x="{x + 135}" y="{y + 300}" font-family="{FONT}"'
                     f' font-size="22" text-anchor="middle" fill="#333">'
                     f'{ident} {word}</text>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" '
            f'height="{height}" viewBox="0 0 {width} {height}">'
            f'<rect width="{width}" height="{height}" fill="{BG}"/>'
            + ''.join(parts) + '</svg>')


def main():
    res, out_dir, work = sys.argv[1:4]
    os.makedirs(out_dir, exist_ok=True)
    os.makedirs(work, exist_ok=True)
    pics = os.path.join(res, 'pictures')
    for s in SETS:
        number = s['number']
        svg_path = os.path.join(work, f'set-{number}.svg')
        with open(svg_path, 'w', encoding='utf-8') as f:
            f.write(sheet_svg(number, s['name'], s['words'], pics, work))
        tmp = os.path.join(work, f'set-{number}.png')
        subprocess.run(['rsvg-convert', '-o', tmp, svg_path], check=True)
        subprocess.run(['convert', tmp, '-define',
                        'png:exclude-chunks=date,time', '+set', 'date:create',
                        '+set', 'date:modify', '-define',
                        'png:compression-level=9',
                        os.path.join(out_dir, f'set-{number}.png')],
                       check=True)


if __name__ == '__main__':
    main()
