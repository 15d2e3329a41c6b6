#!/usr/bin/python3
"""Draws every picture of Wordnest: the twenty word pictures, the four rooms
with their characters, the open-mouth faces cut from them, the buttons, the
ball, the book and the program icon.

Everything is written as SVG here, rendered with rsvg-convert and converted
with ImageMagick, so the output only depends on those two programs, the
Twemoji artwork and this file.

Usage: pictures.py TWEMOJI_SVG_DIR RESOURCES_DIR WORK_DIR
"""

import os
import subprocess
import sys

from svgart import (WORDS, WORD_ART, WORD_GROUNDS, ROOMS, ICON_SVG,
                    button_start_svg, button_help_svg, ball_svg, book_svg,
                    word_svg, NAVY)

PNG_DEFINES = ['-define', 'png:exclude-chunks=date,time',
               '+set', 'date:create', '+set', 'date:modify']


def run(*cmd):
    subprocess.run(cmd, check=True)


def render_png(svg_text, path_svg, path_png, width, height):
    with open(path_svg, 'w', encoding='utf-8') as f:
        f.write(svg_text)
    run('rsvg-convert', '-w', str(width), '-h', str(height),
        '-o', path_png, path_svg)


def png_to_bmp(path_png, path_bmp, ground):
    # Flatten on the picture's own ground so no alpha survives, and force a
    # plain 24-bit BI_RGB file whatever colours the picture happens to use.
    run('convert', path_png, '-background', ground, '-alpha', 'remove',
        '-alpha', 'off', '-flatten', '-type', 'TrueColor',
        '-compress', 'None', 'BMP3:' + path_bmp)


def raw_rgb(path_png):
    out = subprocess.run(['convert', path_png, '-alpha', 'off',
                          '-depth', '8', 'rgb:-'],
                         check=True, capture_output=True).stdout
    return out


def check_face_cut(closed_png, open_png, rect, size):
    """The face picture is laid on the room in the game: outside the mouth
    both renders must agree exactly, so check the cut's border here too."""
    x0, y0, w, h = rect
    a = raw_rgb(closed_png)
    b = raw_rgb(open_png)
    W = size
    diff_inside = False
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            i = 3 * (y * W + x)
            same = a[i:i + 3] == b[i:i + 3]
            on_border = x in (x0, x0 + w - 1) or y in (y0, y0 + h - 1)
            if on_border and not same:
                sys.exit(f'face cut at {rect}: border differs at ({x},{y})')
            diff_inside |= not same
    # Nothing outside the rectangle may change either.
    for y in range(W):
        for x in range(W):
            if x0 <= x < x0 + w and y0 <= y < y0 + h:
                continue
            i = 3 * (y * W + x)
            if a[i:i + 3] != b[i:i + 3]:
                sys.exit(f'open mouth reaches outside {rect} at ({x},{y})')
    if not diff_inside:
        sys.exit(f'face cut at {rect}: open mouth does not show')


def main():
    twemoji_dir, res_dir, work = sys.argv[1:4]
    pics = os.path.join(res_dir, 'pictures')
    icon_dir = os.path.join(res_dir, 'icon')
    os.makedirs(pics, exist_ok=True)
    os.makedirs(icon_dir, exist_ok=True)
    os.makedirs(work, exist_ok=True)

    def w(name):
        return os.path.join(work, name)

    # Word pictures 101..120.
    for i, word in enumerate(WORDS):
        ident = 101 + i
        art = WORD_ART[word]
        if art.startswith('twemoji:'):
            with open(os.path.join(twemoji_dir, art[8:] + '.svg'),
                      encoding='utf-8') as f:
                inner = f.read()
        else:
            inner = art
        ground = WORD_GROUNDS[word]
        render_png(word_svg(inner, ground), w(f'{ident}.svg'),
                   w(f'{ident}.png'), 90, 90)
        png_to_bmp(w(f'{ident}.png'), os.path.join(pics, f'{ident}.bmp'),
                   ground)

    # Rooms 200..203 and the open-mouth faces 204..207 cut from them.
    for room in ROOMS:
        rid, fid = room['id'], room['face_id']
        render_png(room['svg'](False), w(f'{rid}.svg'), w(f'{rid}.png'),
                   450, 450)
        render_png(room['svg'](True), w(f'{rid}-open.svg'),
                   w(f'{rid}-open.png'), 450, 450)
        check_face_cut(w(f'{rid}.png'), w(f'{rid}-open.png'),
                       room['face_rect'], 450)
        png_to_bmp(w(f'{rid}.png'), os.path.join(pics, f'{rid}.bmp'),
                   room['ground'])
        x, y, fw, fh = room['face_rect']
        run('convert', w(f'{rid}-open.png'), '-crop', f'{fw}x{fh}+{x}+{y}',
            '+repage', *PNG_DEFINES, w(f'{fid}.png'))
        png_to_bmp(w(f'{fid}.png'), os.path.join(pics, f'{fid}.bmp'),
                   room['ground'])

    # Buttons, ball and book on the window's navy.
    for ident, svg, size in ((301, button_start_svg(), (50, 35)),
                             (302, button_help_svg(), (50, 35)),
                             (303, ball_svg(), (16, 16)),
                             (304, book_svg(), (85, 85))):
        render_png(svg, w(f'{ident}.svg'), w(f'{ident}.png'), *size)
        png_to_bmp(w(f'{ident}.png'), os.path.join(pics, f'{ident}.bmp'),
                   NAVY)

    # Program icon; cairo writes no time chunk, but strip any to be sure.
    with open(w('icon.svg'), 'w', encoding='utf-8') as f:
        f.write(ICON_SVG)
    for size in (32, 48, 64, 128, 256):
        tmp = w(f'icon-{size}.png')
        run('rsvg-convert', '-w', str(size), '-h', str(size), '-o', tmp,
            w('icon.svg'))
        run('convert', tmp, *PNG_DEFINES,
            os.path.join(icon_dir, f'wordnest-{size}.png'))


if __name__ == '__main__':
    main()
