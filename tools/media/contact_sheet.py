#!/usr/bin/python3
"""Lays every committed picture on one sheet for a quick look: the word
pictures with their words, each room with its open-mouth face laid on at the
game's coordinates beside the plain room, and the small window pictures.

It reads the finished files in resources/, so the sheet shows exactly what
the game ships.  Usage: contact_sheet.py RESOURCES_DIR OUT_PNG WORK_DIR
"""

import base64
import os
import subprocess
import sys

from svgart import WORDS, ROOMS

FONT = 'DejaVu Sans'
BG = '#F3F1EC'


def as_png_uri(path, work):
    png = os.path.join(work, os.path.basename(path) + '.png')
    subprocess.run(['convert', path, '-define',
                    'png:exclude-chunks=date,time', '+set', 'date:create',
                    '+set', 'date:modify', png], check=True)
    with open(png, 'rb') as f:
        return 'data:image/png;base64,' + base64.b64encode(f.read()).decode()


def main():
    res, out_png, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    pics = os.path.join(res, 'pictures')

    def pic(ident):
        return as_png_uri(os.path.join(pics, f'{ident}.bmp'), work)

    parts = []

    def image(uri, x, y, w, h):
        parts.append(f'<image x="{x}" y="{y}" width="{w}" height="{h}" '
                     f'preserveAspectRatio="none" '
                     f'style="image-rendering:pixelated" href="{uri}"/>')

    def text(x, y, s, size=20, anchor='middle', weight='normal'):
        parts.append(f'<text x="{x}" y="{y}" font-family="{FONT}" '
                     f'font-size="{size}" font-weight="{weight}" '
                     f'text-anchor="{anchor}" fill="#333">{s}</text>')

    width = 1900
    y = 50
    text(30, y, 'Wordnest media: word pictures 101..120', 28, 'start', 'bold')
    y += 20
    cell = 188
    for i, word in enumerate(WORDS):
        col, row = i % 10, i // 10
        x = 20 + col * cell
        top = y + row * 230
        image(pic(101 + i), x, top, 180, 180)
        text(x + 90, top + 206, f'{101 + i} {word}', 20)
    y += 2 * 230 + 40

    text(30, y, 'Rooms 200..203: open-mouth face laid on (left), '
         'plain room (right)', 28, 'start', 'bold')
    y += 20
    for k, room in enumerate(ROOMS):
        col, row = k % 2, k // 2
        x = 20 + col * 940
        top = y + row * 490
        fx, fy, fw, fh = room['face_rect']
        image(pic(room['id']), x, top, 450, 450)
        image(pic(room['face_id']), x + fx, top + fy, fw, fh)
        image(pic(room['id']), x + 460, top, 450, 450)
        text(x + 450, top + 474, f'{room["id"]} with {room["face_id"]} at '
             f'({fx},{fy})  |  {room["id"]}', 18)
    y += 2 * 490 + 40

    text(30, y, 'Faces 204..207, buttons 301 302, ball 303, book 304, icon '
         '(all enlarged)', 28, 'start', 'bold')
    y += 20
    x = 20
    for room in ROOMS:
        fw, fh = room['face_rect'][2:]
        image(pic(room['face_id']), x, y, fw * 3, fh * 3)
        text(x + fw * 1.5, y + 150, str(room['face_id']), 18)
        x += fw * 3 + 24
    for ident, w, h, k in ((301, 50, 35, 3), (302, 50, 35, 3),
                           (303, 16, 16, 6), (304, 85, 85, 1.5)):
        image(pic(ident), x, y, w * k, h * k)
        text(x + w * k / 2, y + 150, str(ident), 18)
        x += w * k + 24
    y += 190
    x = 20
    for size in (256, 128, 64, 48, 32):
        uri = as_png_uri(os.path.join(res, 'icon', f'wordnest-{size}.png'),
                         work)
        image(uri, x, y, size, size)
        text(x + size / 2, y + 280, f'icon {size}', 18)
        x += max(size, 80) + 24
    height = y + 300

    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" '
           f'height="{height}" viewBox="0 0 {width} {height}">'
           f'<rect width="{width}" height="{height}" fill="{BG}"/>'
           + ''.join(parts) + '</svg>')
    svg_path = os.path.join(work, 'contact-sheet.svg')
    with open(svg_path, 'w', encoding='utf-8') as f:
        f.write(svg)
    tmp = os.path.join(work, 'contact-sheet.png')
    subprocess.run(['rsvg-convert', '-o', tmp, svg_path], check=True)
    subprocess.run(['convert', tmp, '-define', 'png:exclude-chunks=date,time',
                    '+set', 'date:create', '+set', 'date:modify',
                    '-define', 'png:compression-level=9', out_png],
                   check=True)


if __name__ == '__main__':
    main()
