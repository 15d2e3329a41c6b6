#!/usr/bin/python3
"""Draws every picture of Wordnest: the twenty word pictures, the four rooms
with their characters, the open-mouth faces cut from them, the buttons, the
ball, the book and the program icon.

Each picture is written at its own size as a 24-bit BMP (<id>.bmp) and, for
high-density screens, rendered again from the same SVG at two and three times
that size as 24-bit RGB PNG (<id>@2x.png, <id>@3x.png).  A bitmap is never
scaled up: every size comes straight from the vector source.

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
import setart

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


def png_to_rgb_png(path_png, path_out, ground):
    # The same flattening as the BMP, kept as an RGB PNG without alpha.
    run('convert', path_png, '-background', ground, '-alpha', 'remove',
        '-alpha', 'off', '-flatten', '-type', 'TrueColor', '-depth', '8',
        *PNG_DEFINES, 'PNG24:' + path_out)


SCALES = (1, 2, 3)


def scaled_name(ident, scale):
    return f'{ident}.bmp' if scale == 1 else f'{ident}@{scale}x.png'


def write_picture(path_png, pics, ident, scale, ground):
    out = os.path.join(pics, scaled_name(ident, scale))
    if scale == 1:
        png_to_bmp(path_png, out, ground)
    else:
        png_to_rgb_png(path_png, out, ground)


def set_art_svg(art, twemoji_dir):
    """A word set's artwork as a 36-unit SVG body: an own drawing as it is,
    a Twemoji glyph once per place it is drawn at."""
    if not isinstance(art, tuple):
        return art
    _, code, places = art
    with open(os.path.join(twemoji_dir, code + '.svg'), encoding='utf-8') as f:
        glyph = f.read()
    glyph = glyph[glyph.index('>') + 1:glyph.rindex('</svg>')]
    return ''.join(f'<g transform="{p}">{glyph}</g>' if p else glyph
                   for p in places)


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
    row = 3 * size
    for y in range(size):
        ra, rb = a[y * row:(y + 1) * row], b[y * row:(y + 1) * row]
        if ra == rb:
            continue
        if not y0 <= y < y0 + h:
            sys.exit(f'open mouth reaches outside {rect} at row {y}')
        # Left of, right of and on the edges of the cut nothing may differ.
        if (ra[:3 * (x0 + 1)] != rb[:3 * (x0 + 1)] or
                ra[3 * (x0 + w - 1):] != rb[3 * (x0 + w - 1):]):
            sys.exit(f'face cut at {rect}: row {y} differs at or beyond '
                     'the cut\'s sides')
        if y in (y0, y0 + h - 1):
            sys.exit(f'face cut at {rect}: border row {y} differs')
    if a == b:
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
        for s in SCALES:
            png = w(f'{ident}-{s}.png')
            render_png(word_svg(inner, ground), w(f'{ident}.svg'), png,
                       90 * s, 90 * s)
            write_picture(png, pics, ident, s, ground)

    # The other word sets, 1000 n + 101 + index, made the same way.
    for ident, word, art, ground in setart.pictures():
        inner = set_art_svg(art, twemoji_dir)
        for s in SCALES:
            png = w(f'{ident}-{s}.png')
            render_png(word_svg(inner, ground), w(f'{ident}.svg'), png,
                       90 * s, 90 * s)
            write_picture(png, pics, ident, s, ground)

    # Rooms 200..203 and the open-mouth faces 204..207 cut from them, each
    # scale cut at the scaled place so it fits the room of the same scale.
    for room in ROOMS:
        rid, fid = room['id'], room['face_id']
        for s in SCALES:
            closed, opened = w(f'{rid}-{s}.png'), w(f'{rid}-open-{s}.png')
            render_png(room['svg'](False), w(f'{rid}.svg'), closed,
                       450 * s, 450 * s)
            render_png(room['svg'](True), w(f'{rid}-open.svg'), opened,
                       450 * s, 450 * s)
            rect = tuple(v * s for v in room['face_rect'])
            check_face_cut(closed, opened, rect, 450 * s)
            write_picture(closed, pics, rid, s, room['ground'])
            x, y, fw, fh = rect
            face_png = w(f'{fid}-{s}.png')
            run('convert', opened, '-crop', f'{fw}x{fh}+{x}+{y}', '+repage',
                *PNG_DEFINES, face_png)
            write_picture(face_png, pics, fid, s, room['ground'])

    # Buttons, ball and book on the window's navy.
    for ident, svg, (pw, ph) in ((301, button_start_svg(), (50, 35)),
                                 (302, button_help_svg(), (50, 35)),
                                 (303, ball_svg(), (16, 16)),
                                 (304, book_svg(), (85, 85))):
        for s in SCALES:
            png = w(f'{ident}-{s}.png')
            render_png(svg, w(f'{ident}.svg'), png, pw * s, ph * s)
            write_picture(png, pics, ident, s, NAVY)

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
