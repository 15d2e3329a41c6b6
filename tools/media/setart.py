#!/usr/bin/python3
"""The word sets after the household one: their words, which Twemoji glyph
or own drawing shows each word, and the drawings themselves (36 x 36 units,
like Twemoji, in its palette).

A glyph is used where a child of three reads it at once; a drawing where
Twemoji has none, shows something else (a flip-flop for sandals, a postal
horn for a whistle) or shows one thing where the word means a pair.

Usage: setart.py STRINGS_DIR   writes each set's word list (string 100 + n)
"""

import math
import os
import sys

from svgart import (_rect, _circle, _ellipse, _path, _poly, _crayon,
                    BROWN_D, BROWN, BROWN_M, BROWN_L, RED, RED_D, GREY_D,
                    GREY, GREY_L, WHITE, YELLOW, ORANGE, BLUE, GREEN,
                    GREEN_D, PURPLE, PINK)

BLUE_D = '#3B88C3'
BLUE_DD = '#226699'
SKIN = '#FFDC5D'
LINE = ' stroke-linecap="round" stroke-linejoin="round"'


def tw(code, *places):
    """Twemoji glyph `code`, drawn once, or once per transform in `places`
    (a pair of shoes from one shoe; a car raised from the box's floor)."""
    return ('twemoji', code, places or ('',))


def _raised(units, svg):
    """Moves a drawing up so that it sits in the middle of its picture."""
    return f'<g transform="translate(0 {-units})">{svg}</g>'


def _stroke(d, colour, width, extra=''):
    return _path(d, 'none', f' stroke="{colour}" stroke-width="{width}"'
                 + LINE + extra)


# --- Animals -----------------------------------------------------------

def _sheep():
    """A white woolly cloud on four dark legs, dark face: the picture-book
    sheep (Twemoji's is a horned ram, pale on a pale ground)."""
    wool = [(11, 13), (17, 10.5), (23.5, 11), (28.5, 14.5), (29, 20.5),
            (24, 24), (17.5, 24.5), (11.5, 22), (9, 17.5)]
    parts = [_rect(x, 22, 2.6, 10, GREY_D, 1.2) for x in (11, 15.5, 22, 26.5)]
    parts += [_circle(x, y, 5.2, GREY_L) for x, y in wool]
    parts += [_circle(x - 0.4, y - 0.5, 4.7, '#FFFFFF') for x, y in wool]
    parts += [_ellipse(19, 17.5, 9.5, 6.5, '#FFFFFF')]
    parts += [
        _ellipse(5.2, 12.2, 2.8, 1.3, GREY_D,
                 ' transform="rotate(-25 5.2 12.2)"'),          # ears
        _ellipse(12.8, 12, 2.8, 1.3, GREY_D,
                 ' transform="rotate(25 12.8 12)"'),
        _ellipse(9, 16, 4.6, 6, GREY_D),                       # face
        _circle(9, 10.6, 3.6, '#FFFFFF'),                      # topknot
        _circle(7.2, 14.8, 1.1, '#FFFFFF'), _circle(10.8, 14.8, 1.1, '#FFFFFF'),
        _circle(7.4, 15, 0.55, GREY_D), _circle(11, 15, 0.55, GREY_D),
        _ellipse(9, 20, 1.6, 0.8, '#4A5459'),
    ]
    return ''.join(parts)


def _cow():
    """A black-and-white cow from the side, its head turned to us: pink
    muzzle, horns and udder (Twemoji's is a grey shape without them)."""
    body = 'M13 9.5h14.5a5.5 5.5 0 0 1 5.5 5.5v4.5a5.5 5.5 0 0 1-5.5 5.5H13a5.5 5.5 0 0 1-5.5-5.5V15A5.5 5.5 0 0 1 13 9.5z'
    legs = [_rect(x, 21, 3, 11, GREY_L if x in (15, 28) else WHITE, 1)
            + _rect(x, 30.5, 3, 2.5, GREY_D, 0.6) for x in (11, 15, 24, 28)]
    return ''.join([
        _stroke('M32.5 13c2 2 2 6 1.6 10', GREY, 0.9),         # tail
        _ellipse(33.9, 24, 1.1, 2, GREY_D),
        *legs,
        _path(body, GREY_L, ' transform="translate(0 .5)"'),
        _path(body, '#FFFFFF'),
        '<clipPath id="cowbody"><path d="' + body + '"/></clipPath>',
        '<g clip-path="url(#cowbody)">',
        _path('M16 9c3 0 4 3 3 5.5S14 18 13 16s0-7 3-7z', GREY_D),
        _path('M25 8c4 0 7 2 6 5s-5 4-7 2-2-7 1-7z', GREY_D),
        _path('M21 18.5c2-1 4.5 0 4.5 2.5S23 25 21 24.5s-2-5 0-6z', GREY_D),
        '</g>',
        _ellipse(26, 25.2, 3.2, 1.8, PINK),                   # udder
        _rect(24.2, 25.8, 0.9, 1.8, PINK, 0.4),
        _rect(26.9, 25.8, 0.9, 1.8, PINK, 0.4),
        _path('M3.4 6.5c-.8-1.6-.4-3 .6-3.6.2 1.2.8 2 1.8 2.4z', '#C9A062'),
        _path('M12.6 6.5c.8-1.6.4-3-.6-3.6-.2 1.2-.8 2-1.8 2.4z', '#C9A062'),
        _ellipse(1.6, 9, 2.4, 1.2, GREY_D, ' transform="rotate(-20 1.6 9)"'),
        _ellipse(14.4, 9, 2.4, 1.2, GREY_D, ' transform="rotate(20 14.4 9)"'),
        _ellipse(8, 11.5, 5.6, 6.6, '#FFFFFF'),                # head
        _path('M8 5c3 0 5.6 2.4 5.6 6.5 0 .6-.1 1-.2 1.6-1.4-.4-3-2-3.4-4'
              '-.4-1.4-1.4-2.6-2-4.1z', GREY_D),
        _circle(5.8, 11, 0.9, GREY_D), _circle(10.2, 11, 0.9, '#FFFFFF'),
        _circle(10.2, 11, 0.7, GREY_D),
        _ellipse(8, 16.2, 5.4, 3.6, PINK),                     # muzzle
        _ellipse(6, 16.2, 0.9, 1.2, '#D1607A'),
        _ellipse(10, 16.2, 0.9, 1.2, '#D1607A'),
    ])


# --- Food --------------------------------------------------------------

def _potato():
    """A lumpy whole potato with its eyes, and a cut half showing the pale
    flesh: the cut half tells it from a stone or a cookie."""
    skin, skin_d = '#C8955E', '#8F5E33'
    lump = ('M3 14C3 8 8.5 4 14.5 4.6c4 .3 5-1 9-.4 4 .8 5.8 4.4 4.8 8.4'
            '-.6 3 .6 5-1.4 8-2.6 3.6-9 3.2-13 2.8C9.5 23.2 3 21 3 14z')
    eyes = ''.join(_stroke(f'M{x} {y}c.6-.7 1.6-.7 2.2 0', skin_d, 0.7)
                   for x, y in ((8, 10), (15, 8.4), (22, 9.2), (11, 17.6),
                                (20, 16.4), (25.2, 13.4)))
    return ''.join([
        _path(lump, skin_d, ' transform="translate(.4 .8)"'),
        _path(lump, skin),
        eyes,
        _ellipse(9.5, 8.6, 3.2, 1.4, '#FFFFFF',
                 ' opacity="0.3" transform="rotate(-15 9.5 8.6)"'),
        '<g transform="rotate(10 24 25)">',
        _ellipse(24, 25.5, 10.5, 8, skin_d),
        _ellipse(24, 25, 9.8, 7.3, '#FBE7A1'),
        _ellipse(24, 25, 7.6, 5.4, '#FFF1C1'),
        '</g>',
    ])


# --- Toys and play -------------------------------------------------------

def _cube(x, y, size, front, top, side, mark):
    """A toy block seen from the front and a little above, with a shape
    (never a letter) on its face."""
    d = size * 0.32
    return ''.join([
        _poly([(x, y), (x + d, y - d), (x + size + d, y - d), (x + size, y)],
              top),
        _poly([(x + size, y), (x + size + d, y - d),
               (x + size + d, y + size - d), (x + size, y + size)], side),
        _rect(x, y, size, size, front, 0.6),
        mark(x + size / 2, y + size / 2, size * 0.28),
    ])


def _star_shape(cx, cy, r, fill):
    pts = []
    for k in range(10):
        rr = r if k % 2 == 0 else r * 0.45
        a = -math.pi / 2 + k * math.pi / 5
        pts.append((round(cx + rr * math.cos(a), 2),
                    round(cy + rr * math.sin(a), 2)))
    return _poly(pts, fill)


def _blocks():
    """Three wooden toy blocks, two on the table and one on top."""
    def star(cx, cy, r):
        return _star_shape(cx, cy, r * 1.35, '#FFFFFF')

    def ring(cx, cy, r):
        return _circle(cx, cy, r, '#FFFFFF')

    def tri(cx, cy, r):
        return _poly([(cx, cy - r * 1.2), (cx + r * 1.25, cy + r * 0.9),
                      (cx - r * 1.25, cy + r * 0.9)], '#FFFFFF')
    return ''.join([
        _cube(2, 19.5, 14, RED, '#EA596E', RED_D, star),
        _cube(17, 19.5, 14, BLUE_D, BLUE, BLUE_DD, ring),
        _cube(9.5, 5.2, 14, '#F4900C', YELLOW, '#D67400', tri),
    ])


def _bubbles():
    """Soap bubbles of many sizes, their rainbow sheen and window glint
    telling them from balls or marbles."""
    def bubble(cx, cy, r):
        return ''.join([
            _circle(cx, cy, r, '#BDE3FA', ' opacity="0.5"'),
            _circle(cx, cy, r, 'none',
                    f' stroke="{BLUE}" stroke-width="{0.5 + r * 0.06:.2f}"'),
            _path(f'M{cx - r * 0.62} {cy - r * 0.1}a{r * 0.65} {r * 0.65} 0 0 1 '
                  f'{r * 0.5} {-r * 0.5}', 'none',
                  f' stroke="#FFFFFF" stroke-width="{r * 0.2:.2f}"' + LINE),
            _path(f'M{cx + r * 0.2} {cy + r * 0.72}a{r * 0.75} {r * 0.75} 0 0 0 '
                  f'{r * 0.5} {-r * 0.42}', 'none',
                  f' stroke="{PINK}" stroke-width="{r * 0.13:.2f}"' + LINE),
            _path(f'M{cx + r * 0.78} {cy + r * 0.05}a{r * 0.8} {r * 0.8} 0 0 0 '
                  f'{-r * 0.05} {-r * 0.45}', 'none',
                  f' stroke="{PURPLE}" stroke-width="{r * 0.12:.2f}"' + LINE),
        ])
    return ''.join([
        bubble(13, 13, 10.5), bubble(27.5, 23.5, 7.5), bubble(9, 29.5, 4.6),
        bubble(29.5, 7, 4), bubble(19.5, 31.5, 2.6), bubble(33, 14.5, 2),
    ])


def _crayons():
    """Five crayons fanned out, tips up: several, so the word's plural shows."""
    colours = [(RED, RED_D), (ORANGE, '#E07A00'), (YELLOW, '#E09A00'),
               (GREEN, GREEN_D), (BLUE_D, BLUE_DD)]
    parts = []
    for k, (body, dark) in enumerate(colours):
        tip_x, tip_y = 18 + (k - 2) * 6.6, 2 + abs(k - 2) * 1.8
        end_x, end_y = 18 + (k - 2) * 2.2, 34
        angle = math.degrees(math.atan2(end_y - tip_y, end_x - tip_x))
        length = math.hypot(end_x - tip_x, end_y - tip_y)
        parts.append(_crayon(round(tip_x, 2), round(tip_y, 2),
                             round(angle, 2), round(length, 2), body, dark))
    return ''.join(parts)


def _marbles():
    """Glass marbles with coloured swirls spilling from a little drawstring
    bag, so they are not read as balls or bubbles."""
    def marble(cx, cy, r, glass, swirl):
        return ''.join([
            _circle(cx, cy, r, glass),
            _path(f'M{cx - r * 0.8} {cy + r * 0.1}c{r * 0.5} {-r * 0.9} '
                  f'{r * 1.1} {r * 0.9} {r * 1.6} 0', 'none',
                  f' stroke="{swirl}" stroke-width="{r * 0.38:.2f}"' + LINE),
            _path(f'M{cx - r * 0.4} {cy + r * 0.65}c{r * 0.4} {-r * 0.3} '
                  f'{r * 0.8} {r * 0.1} {r * 1.1} {-r * 0.4}', 'none',
                  f' stroke="{swirl}" stroke-width="{r * 0.22:.2f}"' + LINE),
            _circle(cx, cy, r, 'none', f' stroke="{swirl}" stroke-width="0.5"'
                    ' opacity="0.6"'),
            _ellipse(cx - r * 0.4, cy - r * 0.45, r * 0.32, r * 0.22,
                     '#FFFFFF', ' opacity="0.9"'),
        ])
    return ''.join([
        '<g transform="translate(1 0) scale(0.85)">',
        _path('M3 21c-1-6 2-11 5-13l-2-3h11l-2 3c3 2 6 7 5 13'
              'c-.4 3-3.5 4.5-8.5 4.5S3.4 24 3 21z', PURPLE),   # bag
        _path('M6 5h11l-2 3H8z', '#9266CC'),
        _stroke('M8 8c2 1 5 1 7 0', '#FFCC4D', 1),
        _stroke('M15 8c2 .5 3 2 2.2 3.4', '#FFCC4D', 0.8),
        '</g>',
        marble(29.5, 14.5, 4.6, '#A6D388', GREEN_D),
        marble(23.5, 24.5, 6, '#88C9F9', BLUE_DD),
        marble(31, 30.5, 4.4, '#F4ABBA', RED_D),
        marble(12.5, 29, 5.4, '#FFD983', '#E07A00'),
        marble(4.8, 31, 3.8, '#CBB7EA', '#6E48AA'),
    ])


def _puppet():
    """A string puppet: the wooden cross it hangs from and the strings to
    its head, hands and feet are what make it a puppet and not a doll."""
    string = f' stroke="{GREY}" stroke-width="0.45"'
    return ''.join([
        _rect(7, 2.2, 22, 2.2, BROWN, 1),                       # cross
        _rect(16.9, 0.4, 2.2, 9, BROWN_M, 1),
        _path('M8 4.4L7.5 19M28 4.4L28.5 19M18 9.4V10.5M12 4.4L13.4 32'
              'M24 4.4L22.6 32', 'none', string),               # strings
        _rect(12, 27, 3, 6, BROWN_D, 1),                        # legs
        _rect(21, 27, 3, 6, BROWN_D, 1),
        _ellipse(13, 33, 2.6, 1.4, GREY_D), _ellipse(23, 33, 2.6, 1.4, GREY_D),
        _path('M12.5 17h11l2 11h-15z', RED),                    # tunic
        _rect(11.5, 25.5, 13, 2.2, BLUE_D, 0.6),
        _stroke('M12.6 18.2L7.5 19.4', RED, 2.6),               # arms
        _stroke('M23.4 18.2L28.5 19.4', RED, 2.6),
        _circle(7.3, 19.5, 1.6, SKIN), _circle(28.7, 19.5, 1.6, SKIN),
        _circle(18, 13.5, 4.6, SKIN),                           # head
        _path('M13 12.4c0-4 3-5.6 5-5.6s5 1.6 5 5.6c-2-1.4-8-1.4-10 0z',
              '#F4900C'),
        _circle(16.3, 13.6, 0.7, GREY_D), _circle(19.7, 13.6, 0.7, GREY_D),
        _ellipse(15.2, 15.6, 1, 0.6, '#FF7F96', ' opacity="0.7"'),
        _ellipse(20.8, 15.6, 1, 0.6, '#FF7F96', ' opacity="0.7"'),
        _stroke('M16.6 16.2c.8.8 2 .8 2.8 0', RED_D, 0.6),
    ])


def _swing():
    """A swing frame with one seat hanging from two ropes."""
    return ''.join([
        _stroke('M8 5L2 34M8 5L11 34M28 5L25 34M28 5L34 34', '#C1694F', 2.4),
        _rect(5, 3.4, 26, 3.2, RED, 1.4),                       # top bar
        _stroke('M13 6.5V25M23 6.5V25', GREY, 0.8),             # ropes
        _rect(11, 24.5, 14, 2.6, '#F4900C', 1),                 # seat
        _rect(11, 26.6, 14, 1, '#D67400', 0.5),
        _rect(0, 33.6, 36, 1.6, '#77B255', 0.8),                # grass
    ])


def _seesaw():
    """A plank tipped on a pivot, a handle and seat at each end."""
    plank = ('<g transform="rotate(-17 18 22)">'
             + _rect(0.5, 20.5, 35, 3.2, '#F4900C', 1.2)
             + _rect(4.2, 15, 1.8, 5.6, GREY_D, 0.6)
             + _rect(1.6, 14, 7, 1.8, RED, 0.9)
             + _rect(30, 15, 1.8, 5.6, GREY_D, 0.6)
             + _rect(27.4, 14, 7, 1.8, RED, 0.9)
             + _rect(1.8, 19, 6.5, 1.8, BLUE_D, 0.6)
             + _rect(27.7, 19, 6.5, 1.8, BLUE_D, 0.6)
             + '</g>')
    return ''.join([
        _poly([(18, 21), (25, 33), (11, 33)], RED_D),           # pivot
        plank,
        _circle(18, 22, 1.6, GREY_D),
        _rect(0, 33, 36, 1.8, '#77B255', 0.8),
    ])


def _whistle():
    """A sports whistle on its cord."""
    body, dark = '#F4900C', '#C36400'
    return ''.join([
        _stroke('M27 12C33 6 31 1 24 2S10 6 4 3', BLUE_D, 1.4),  # cord
        _circle(26, 12.5, 2.2, 'none', f' stroke="{GREY}" stroke-width="1.2"'),
        _circle(21, 22, 10.5, dark),
        _circle(21, 21.2, 9.8, body),
        _rect(1, 11.5, 20, 8.2, body, 1.5),                     # mouthpiece
        _rect(1, 17.5, 20, 2.2, dark, 0.8),
        _rect(1, 11.5, 3, 8.2, dark, 1.2),
        _rect(15.5, 11.6, 5.5, 3, GREY_D, 0.6),                 # slot
        _circle(21, 21.2, 6, dark, ' opacity="0.35"'),
        _ellipse(24.5, 16.5, 2.6, 1.5, '#FFFFFF', ' opacity="0.55"'
                 ' transform="rotate(30 24.5 16.5)"'),
    ])


# --- Clothes -----------------------------------------------------------

def _coat():
    """A long coat to the knees: collar, big buttons, pockets."""
    c, cd, cl = '#C1694F', '#8A4B38', '#D99E82'
    return ''.join([
        _path('M11 3l-6 3-4 20 4.4 1 3-13V34h19V14l3 13 4.4-1-4-20-6-3z', c),
        _path('M5.4 27l-1.9-1 .8-4 2.2.6z', cd),
        _path('M30.6 27l1.9-1-.8-4-2.2.6z', cd),
        _rect(17.4, 8, 1.2, 26, cd),
        _path('M11 3l7 7 7-7-2.5-1.4L18 6l-4.5-4.4z', cd),      # collar
        _path('M11 3l7 7-4 5-5-9z', cl), _path('M25 3l-7 7 4 5 5-9z', cl),
        _circle(21, 16, 1.4, BROWN_D), _circle(21, 22, 1.4, BROWN_D),
        _circle(21, 28, 1.4, BROWN_D),
        _rect(9.5, 23, 6, 1.6, cd, 0.6), _rect(24, 23, 2.6, 1.6, cd, 0.6),
    ])


def _shirt():
    """A long-sleeved shirt laid flat: pointed collar, a button placket,
    a breast pocket, cuffs and a rounded tail; white, so it is neither
    the blue pyjama top nor a T-shirt."""
    w, shade, dark, btn = '#FFFFFF', '#DDE5EB', '#9AAAB6', '#8899A6'
    seam = f' stroke="{shade}" stroke-width="0.7"'
    sleeve = [(9.6, 4.4), (4.8, 6.8), (0.6, 27), (6.8, 27.8), (9.4, 15)]
    parts = [
        _poly(sleeve, w),
        _poly([(36 - x, y) for x, y in sleeve], w),
        _path('M13.6 2.6L9.2 4.4V31.2c0 2.2 3.6 3.2 8.8 3.2s8.8-1 8.8-3.2'
              'V4.4l-4.4-1.8z', w),                             # body
        _path('M9.4 15L9.6 4.4M26.6 15L26.4 4.4', 'none', seam),
        _poly([(0.7, 25.8), (7, 26.7), (6.4, 31.2), (0, 30.2)], shade),
        _poly([(35.3, 25.8), (29, 26.7), (29.6, 31.2), (36, 30.2)], shade),
        _circle(4.6, 28.8, 0.6, btn), _circle(31.4, 28.8, 0.6, btn),
        _rect(16.9, 6, 2.2, 28.4, shade),                       # placket
        _path('M14 2.8c2.2-1.6 5.8-1.6 8 0L18 5.6z', dark),   # neck
        _path('M13.4 2.4L18 6.8l-3 4.8-3.4-8.2z', w,
              f' stroke="{dark}" stroke-width="0.6"' + LINE),    # collar
        _path('M22.6 2.4L18 6.8l3 4.8 3.4-8.2z', w,
              f' stroke="{dark}" stroke-width="0.6"' + LINE),
        _rect(20.6, 12.6, 4.8, 5.4, 'none', 0.5,
              f' stroke="{dark}" stroke-width="0.6"'),           # pocket
        _path('M20.6 14h4.8', 'none', f' stroke="{shade}" stroke-width="0.6"'),
    ]
    parts += [_circle(18, y, 0.75, btn) for y in (9.6, 14.6, 19.6, 24.6,
                                                  29.6)]
    return ''.join(parts)


def _jeans():
    """Denim jeans from the front: faded thighs and knees, gold stitching
    and rivets, belt loops, a front pocket, and the hems turned up."""
    d, dd, fade, turn = '#3F7DBF', '#2A5A8C', '#9CC4EA', '#7FB0DE'
    gold = '#F2A93B'
    stitch = (f' stroke="{gold}" stroke-width="0.45"'
              ' stroke-dasharray="0.9 0.6"' + LINE)
    legs = 'M7 5.6h22l1.8 25.4H21L18 12.6 15 31H5.2z'
    parts = [
        '<defs><radialGradient id="denimfade">'
        f'<stop offset="0" stop-color="{fade}" stop-opacity="0.75"/>'
        f'<stop offset="1" stop-color="{fade}" stop-opacity="0"/>'
        '</radialGradient></defs>',
        _path(legs, d),
        '<clipPath id="jeanslegs"><path d="' + legs + '"/></clipPath>',
        '<g clip-path="url(#jeanslegs)">',
        _ellipse(11.2, 14, 3.6, 7.5, 'url(#denimfade)'),       # thighs
        _ellipse(24.8, 14, 3.6, 7.5, 'url(#denimfade)'),
        _ellipse(10.4, 23.6, 3, 2.8, 'url(#denimfade)'),         # knees
        _ellipse(25.6, 23.6, 3, 2.8, 'url(#denimfade)'),
        '</g>',
        _path('M18 9.6V12.6', 'none', f' stroke="{dd}" stroke-width="0.7"'),
        _rect(6.6, 2.2, 22.8, 4, dd, 0.6),                      # waistband
        _path('M7 3h22M7 5.4h22', 'none', stitch),
        _path('M10.6 6.2c.2 3-.6 5.4-4.2 5.6', 'none', stitch),  # pocket
        _path('M25.4 6.2c-.2 3 .6 5.4 4.2 5.6', 'none', stitch),
        _path('M20.2 6.2v5.8c0 1.6-1 2.6-2.2 3.2', 'none', stitch),  # fly
        _path('M6.6 6.8l-1.5 23.6M29.4 6.8l1.5 23.6', 'none', stitch),
        _circle(10.6, 6.6, 0.55, gold), _circle(6.6, 11.8, 0.55, gold),
        _circle(25.4, 6.6, 0.55, gold), _circle(29.4, 11.8, 0.55, gold),
        _circle(18, 4.2, 1.2, gold),                            # button
        _circle(18, 4.2, 0.5, '#C77E14'),
    ]
    for x in (8.8, 14, 22, 27.2):                               # loops
        parts.append(_rect(x - 0.7, 1.6, 1.4, 5.2, d, 0.4))
    parts += [
        _path('M4.8 30.4h10.6l-.2 4H4.6z', turn),               # turn-ups
        _path('M20.6 30.4h10.6l.2 4H20.8z', turn),
        _path('M4.8 30.4h10.6M20.6 30.4h10.6', 'none',
              f' stroke="{dd}" stroke-width="0.6"'),
        _path('M5.2 33.2h10M20.8 33.2h10', 'none', stitch),
    ]
    return ''.join(parts)


def _sweater():
    """A knitted jumper: ribbed neck, cuffs and hem, a knitted band of
    diamonds; no buttons (that would be a coat)."""
    g, gd, gl = '#5C913B', '#3E721D', '#A6D388'
    parts = [
        _path('M12 4h12l8 4 4 20-5 1-3-13v16H8V16L5 29l-5-1 4-20z', g),
        _path('M13 4a5 3.2 0 0 0 10 0z', gd),                   # neck rib
        _rect(8, 27.6, 20, 4.4, gd, 0.8),                       # hem
        _path('M0 28l5 1 .6-2.6-5-1z', gd), _path('M36 28l-5 1-.6-2.6 5-1z',
                                                   gd),
        _rect(8, 14.4, 20, 5.2, gl),                            # band
    ]
    for k in range(5):
        x = 10 + k * 4
        parts.append(_poly([(x, 15), (x + 2, 17), (x, 19), (x - 2, 17)],
                           WHITE))
    for x in range(9, 28, 2):
        parts.append(_rect(x, 28, 0.6, 3.6, g))
    return ''.join(parts)


def _pajamas():
    """Pyjama top and trousers laid out, with moons and stars on them."""
    b, bd = '#88C9F9', '#55ACEE'

    def print_(x, y):
        return _star_shape(x, y, 1.3, YELLOW)

    def moon(x, y):
        return _path(f'M{x} {y - 1.3}a1.4 1.4 0 1 0 1.3 2'
                     f'a1.1 1.1 0 1 1-1.3-2z', YELLOW)
    return ''.join([
        _path('M10 19h16l1.6 15h-7.2L18 24l-2.4 10H8.4z', b),   # trousers
        _rect(10, 19, 16, 2, bd),
        _path('M11.5 1.5h13l7 4 3 10-4.2 1.4-2.6-6V20H8.3V10.9l-2.6 6'
              'L1.5 15.5l3-10z', b),                            # top
        _path('M13 1.5l5 4.2 5-4.2-1.4-.6L18 3.5l-3.6-2.6z', bd),  # collar
        _rect(17.5, 5.5, 1, 14.5, bd),
        _circle(20, 9, 0.8, WHITE), _circle(20, 13, 0.8, WHITE),
        _circle(20, 17, 0.8, WHITE),
        print_(12, 9), moon(14, 15), print_(25, 14), moon(25, 7.6),
        print_(12.5, 26), moon(23, 27.6), print_(24.6, 31.5),
    ])


def _skirt():
    """A flared, pleated skirt with its waistband and a bow."""
    p, pd, pl = '#EA596E', '#BE1931', '#F4ABBA'
    return ''.join([
        _path('M10 9h16l8 21c-5 2.6-27 2.6-32 0z', p),
        _path('M14 11L9 31M18 11v21.4M22 11l5 20', 'none',
              f' stroke="{pd}" stroke-width="0.9"'),
        _rect(9.4, 5.4, 17.2, 4.4, pd, 1.2),                    # band
        _path('M18 7.6l-5-3v6z', pl), _path('M18 7.6l5-3v6z', pl),
        _circle(18, 7.6, 1.4, pl),
    ])


def _belt():
    """A leather belt rolled into a loop, its buckle in front and its holes
    on the free end."""
    b, bd = BROWN, BROWN_D
    return ''.join([
        _ellipse(18, 16, 15.5, 10.5, 'none',
                 f' stroke="{bd}" stroke-width="5.4"'),
        _ellipse(18, 16, 15.5, 10.5, 'none',
                 f' stroke="{b}" stroke-width="4.2"'),
        _path('M20 25l12 7.6-2.4 2.4L18 27.4z', b),             # free end
        _circle(23.6, 28.4, 0.7, bd), _circle(26.4, 30.2, 0.7, bd),
        _rect(11, 20.4, 12, 11, 'none', 1.6,
              f' stroke="{YELLOW}" stroke-width="2.2"'),          # buckle
        _rect(16.2, 21, 1.6, 10, '#E09A00', 0.6),
    ])


def _tie():
    """A necktie alone, knotted, with stripes; tilted as if swinging, since
    upright a tie is too thin to fill the picture."""
    r, rd = '#3B88C3', '#1D4F75'
    blade = 'M15.6 7.6h4.8l4.4 21L18 34.4l-6.6-5.8z'
    return ''.join([
        '<g transform="rotate(30 18 18) translate(18 18) scale(1.1) '
        'translate(-18 -18)">',
        _path(blade, r),
        '<clipPath id="tieblade"><path d="' + blade + '"/></clipPath>',
        '<g clip-path="url(#tieblade)">',
        *[_rect(4, y, 28, 2, YELLOW, 0, ' transform="rotate(-40 18 20)"')
          for y in (5, 10.5, 16, 21.5, 27, 32.5)],
        '</g>',
        _path('M14.8 1.6h6.4l-1 6.4h-4.4z', rd),                   # knot
        '</g>',
    ])


def _glasses():
    """Round glasses seen a little from above, their arms open behind: big
    enough to fill the picture, and plain glasses rather than sunglasses."""
    frame = '#3B3F45'
    return ''.join([
        _stroke('M3.4 21L6 7.5c.3-1.4 1.8-1.8 2.6-.8l1.4 1.8', frame, 1.6),
        _stroke('M32.6 21L30 7.5c-.3-1.4-1.8-1.8-2.6-.8l-1.4 1.8', frame, 1.6),
        _circle(10, 23, 7.6, '#D4ECFB'), _circle(26, 23, 7.6, '#D4ECFB'),
        _path('M6.5 21.5a4.5 4.5 0 0 1 4-3.8', 'none',
              ' stroke="#FFFFFF" stroke-width="1.4"' + LINE),
        _path('M22.5 21.5a4.5 4.5 0 0 1 4-3.8', 'none',
              ' stroke="#FFFFFF" stroke-width="1.4"' + LINE),
        _circle(10, 23, 7.6, 'none', f' stroke="{frame}" stroke-width="2.2"'),
        _circle(26, 23, 7.6, 'none', f' stroke="{frame}" stroke-width="2.2"'),
        _stroke('M15.6 20.6c1.4-1.4 3.4-1.4 4.8 0', frame, 1.8),   # bridge
    ])


def _sandal():
    """One sandal from above, toe up: a foot-shaped sole, a toe strap,
    crossed straps over the instep and a buckled ankle strap, the sole
    showing between them."""
    sole = ('M6 0C10 0 12 3.5 12 8c0 4-1.5 6-1.5 10s.5 8-4 9'
            'C2 27.5 1.5 23 1.5 18S0 11.5 0 7.5C0 3 2.5 0 6 0z')
    strap = '#E75A8A'
    return ''.join([
        _path(sole, BROWN, ' transform="translate(.5 .8)"'),
        _path(sole, '#E8C39E'),
        _rect(-0.6, 4.6, 13.2, 3.2, strap, 1.4),                # toe strap
        _rect(-1, 11.4, 14.4, 2.8, strap, 1.2,
              ' transform="rotate(32 6 12.8)"'),                # crossed
        _rect(-1, 11.4, 14.4, 2.8, strap, 1.2,
              ' transform="rotate(-32 6 12.8)"'),
        _rect(0.6, 18.8, 11, 2.8, strap, 1.2),                  # ankle
        _rect(9, 18.4, 3.2, 3.6, YELLOW, 0.6),                  # buckle
        _rect(10, 19.4, 1.2, 1.6, strap, 0.3),
    ])


def _sandals():
    """A pair, toes apart, as they stand by the door."""
    return (f'<g transform="translate(3.6 5) rotate(-8 6 13)">{_sandal()}</g>'
            f'<g transform="translate(32.4 5) scale(-1 1) rotate(-8 6 13)">'
            f'{_sandal()}</g>')


def _boot(x, y, fill, dark):
    """A rubber boot from the side, its toe to the right."""
    return ''.join([
        _path(f'M{x} {y}h10v15.6c0 1.2 1 2 2.4 2.4l3.6 1'
              f'c1.6.4 2.4 1.6 2.4 3.2V{y + 25}H{x}z', fill),
        _rect(x, y + 23, 18.4, 3, dark, 1),                     # sole
        _rect(x - 0.6, y, 11.2, 2.6, dark, 1),                  # top rim
        _rect(x + 2, y + 4, 1.6, 14, '#FFFFFF', 0.8, ' opacity="0.4"'),
    ])


def _boots():
    """A pair of tall rain boots: taller than any shoe."""
    return (_boot(14, 7, '#F4900C', '#C36400')
            + _boot(2.4, 4, YELLOW, '#E09A00'))


# --- Outside -----------------------------------------------------------

def _bus():
    """A long bus from the side: a row of windows, a door, two wheels."""
    y, yd = YELLOW, '#F4900C'
    parts = [
        _path('M2 8h29c2 0 3.4 1.4 3.8 3.2l.8 3.8V27H1V9z', y),
        _rect(1, 21, 34.6, 2.2, RED, 0),                        # stripe
        _rect(1, 24.8, 34.6, 2.4, yd, 0),
        _path('M31 10h1.8c.8 0 1.6.6 1.8 1.4l.8 5.8H31z', '#88C9F9'),
    ]
    for k in range(4):
        parts.append(_rect(3 + k * 5.6, 10.4, 4.6, 6.4, '#88C9F9', 0.6))
    parts += [
        _rect(25.6, 10.4, 4.2, 14, '#5DADEC', 0.5),             # door
        _rect(27.5, 10.4, 0.5, 14, BLUE_DD),
        _circle(9, 27.5, 4, GREY_D), _circle(9, 27.5, 1.7, GREY_L),
        _circle(27, 27.5, 4, GREY_D), _circle(27, 27.5, 1.7, GREY_L),
        _rect(34, 19, 1.6, 1.8, '#FFFFFF', 0.5),                # lamp
    ]
    return ''.join(parts)


def _bridge():
    """An arched bridge over a river, with its railing."""
    s, sd = '#C1694F', '#8A4B38'
    parts = [
        _rect(0, 26, 36, 8, '#55ACEE', 1),                      # river
        _stroke('M3 30c2-1.4 4 1.4 6 0M14 31c2-1.4 4 1.4 6 0'
                'M25 29.5c2-1.4 4 1.4 6 0', '#BDE3FA', 0.9),
        _path('M0 14h36v20h-4.5V31a13.5 13.5 0 0 0-27 0v3H0z', s),
        _rect(0, 13, 36, 3, sd, 0.5),                           # deck
    ]
    for k in range(9):
        parts.append(_rect(1 + k * 4.1, 7, 1.4, 6, BROWN, 0.4))
    parts += [_rect(0, 7, 36, 1.6, BROWN, 0.6),
              _rect(0, 10.2, 36, 1, BROWN, 0.4),
              _path('M4.5 34v-3a13.5 13.5 0 0 1 27 0v3', 'none',
                    f' stroke="{sd}" stroke-width="1.2"')]
    for x, y in ((3, 20), (9, 18.4), (27, 18.4), (32, 20)):
        parts.append(_rect(x, y, 2.8, 1.6, sd, 0.4))
    return ''.join(parts)


def _pair(code):
    """Two copies of one Twemoji glyph, one behind the other."""
    return tw(code, 'translate(-1 8) scale(0.7)', 'translate(11.6 1) scale(0.7)')


SETS = [
    {
        'number': 2, 'name': 'Animals',
        'words': ['cat', 'dog', 'bird', 'fish', 'duck', 'cow', 'pig',
                  'horse', 'sheep', 'rabbit', 'mouse', 'frog', 'lion',
                  'tiger', 'elephant', 'monkey', 'bear', 'snake', 'giraffe',
                  'zebra'],
        'art': {
            'cat': tw('1f408-200d-2b1b'),   # black: never a tiger
            'dog': tw('1f415'), 'bird': tw('1f426'), 'fish': tw('1f41f', 'translate(0 -3.8)'),
            'duck': tw('1f986'), 'cow': _cow(), 'pig': tw('1f437'),
            'horse': tw('1f40e'), 'sheep': _sheep(), 'rabbit': tw('1f407'),
            'mouse': tw('1f42d'), 'frog': tw('1f438'), 'lion': tw('1f981'),
            'tiger': tw('1f42f'), 'elephant': tw('1f418'),
            'monkey': tw('1f412'), 'bear': tw('1f43b'), 'snake': tw('1f40d'),
            'giraffe': tw('1f992'), 'zebra': tw('1f993'),
        },
    },
    {
        'number': 3, 'name': 'Food and fruit',
        'words': ['apple', 'banana', 'orange', 'grapes', 'pear', 'lemon',
                  'cherry', 'peach', 'egg', 'cake', 'rice', 'cheese',
                  'carrot', 'tomato', 'corn', 'pizza', 'cookie', 'potato',
                  'noodles', 'ice cream'],
        'art': {
            'apple': tw('1f34e'), 'banana': tw('1f34c'),
            'orange': tw('1f34a'), 'grapes': tw('1f347'), 'pear': tw('1f350'),
            'lemon': tw('1f34b'), 'cherry': tw('1f352'), 'peach': tw('1f351'),
            'egg': tw('1f95a'), 'cake': tw('1f382'), 'rice': tw('1f35a'),
            'cheese': tw('1f9c0'), 'carrot': tw('1f955'),
            'tomato': tw('1f345'), 'corn': tw('1f33d'), 'pizza': tw('1f355'),
            'cookie': tw('1f36a'), 'potato': _potato(),
            'noodles': tw('1f35c'), 'ice cream': tw('1f366'),
        },
    },
    {
        'number': 4, 'name': 'Toys and play',
        'words': ['ball', 'doll', 'kite', 'teddy', 'blocks', 'balloon',
                  'yo-yo', 'puzzle', 'robot', 'puppet', 'slide', 'swing',
                  'seesaw', 'bubbles', 'crayons', 'dice', 'marbles',
                  'whistle', 'guitar', 'skates'],
        'art': {
            'ball': tw('26bd'), 'doll': tw('1fa86'), 'kite': tw('1fa81'),
            'teddy': tw('1f9f8'), 'blocks': _blocks(),
            'balloon': tw('1f388'), 'yo-yo': tw('1fa80'),
            'puzzle': tw('1f9e9'), 'robot': tw('1f916'),
            'puppet': _puppet(), 'slide': tw('1f6dd'), 'swing': _swing(),
            'seesaw': _raised(4.2, _seesaw()), 'bubbles': _bubbles(),
            'crayons': _crayons(), 'dice': _pair('1f3b2'),
            'marbles': _marbles(), 'whistle': _whistle(),
            'guitar': tw('1f3b8'), 'skates': _pair('1f6fc'),
        },
    },
    {
        'number': 5, 'name': 'Clothes',
        'words': ['hat', 'cap', 'coat', 'dress', 'shirt', 'skirt', 'socks',
                  'shoes', 'boots', 'gloves', 'scarf', 'jeans', 'shorts',
                  'sweater', 'pajamas', 'belt', 'tie', 'glasses', 'sandals',
                  'swimsuit'],
        'art': {
            'hat': tw('1f452'), 'cap': tw('1f9e2'), 'coat': _coat(),
            'dress': tw('1f457'), 'shirt': _shirt(), 'skirt': _skirt(),
            'socks': tw('1f9e6'), 'shoes': _pair('1f45e'), 'boots': _boots(),
            'gloves': tw('1f9e4'), 'scarf': tw('1f9e3'), 'jeans': _jeans(),
            'shorts': tw('1fa73'), 'sweater': _sweater(),
            'pajamas': _pajamas(), 'belt': _belt(), 'tie': _tie(),
            'glasses': _glasses(), 'sandals': _sandals(),
            'swimsuit': tw('1fa71'),
        },
    },
    {
        'number': 6, 'name': 'Outside',
        'words': ['car', 'bus', 'train', 'plane', 'boat', 'bike', 'truck',
                  'rocket', 'sun', 'moon', 'star', 'cloud', 'rainbow',
                  'snowman', 'umbrella', 'tree', 'leaf', 'house', 'bridge',
                  'mountain'],
        'art': {
            'car': tw('1f697', 'translate(0 -6.2)'), 'bus': _bus(), 'train': tw('1f682'),
            'plane': tw('2708'), 'boat': tw('26f5'), 'bike': tw('1f6b2', 'translate(0 -5.2)'),
            'truck': tw('1f69a', 'translate(0 -3.3)'), 'rocket': tw('1f680'), 'sun': tw('2600'),
            'moon': tw('1f319'), 'star': tw('2b50'), 'cloud': tw('2601'),
            'rainbow': tw('1f308'), 'snowman': tw('26c4'),
            'umbrella': tw('2602'), 'tree': tw('1f333'), 'leaf': tw('1f341'),
            'house': tw('1f3e0'), 'bridge': _raised(2.4, _bridge()),
            'mountain': tw('1f3d4'),
        },
    },
]

# Soft grounds, in turn over each set; a word whose object is pale or of the
# same hue gets another one below.
PASTELS = ['#FDE2E4', '#E2F0CB', '#CDE7F7', '#E8DFF5', '#DFF3E4', '#FFE8C2',
           '#DCEBFA', '#FFE0EC', '#E4F6F0', '#FFF4C7']
GROUND_FOR = {
    'sheep': '#CFEBC0', 'cow': '#DFF3E4', 'egg': '#CDE7F7', 'cloud': '#9FD0F2',
    'snowman': '#CDE7F7', 'rice': '#E8F6D8', 'mountain': '#DCEBFA',
    'lemon': '#DCEBFA', 'banana': '#E8DFF5', 'ice cream': '#FFE0EC',
    'star': '#DCEBFA', 'sun': '#DCEBFA', 'moon': '#E8DFF5',
    'pear': '#FFE8C2', 'corn': '#E8DFF5', 'cheese': '#DCEBFA',
    'kite': '#FFF4C7', 'bubbles': '#FFF1D6', 'ball': '#DFF3E4',
    'glasses': '#FFF4C7', 'gloves': '#FFE8C2', 'swimsuit': '#FFF4C7',
    'giraffe': '#DCEBFA', 'zebra': '#FFE8C2', 'cat': '#FFF1D6',
    'bus': '#DCEBFA', 'whistle': '#DCEBFA', 'boots': '#DCEBFA',
    'jeans': '#FFF1D6', 'cap': '#FFF1D6', 'dress': '#FFF1D6',
    'shirt': '#CDE7F7', 'tie': '#FFF1D6', 'pajamas': '#FFF1D6',
    'sweater': '#FFF1D6', 'socks': '#FFF1D6',
}


def ground(word, index):
    return GROUND_FOR.get(word, PASTELS[index % len(PASTELS)])


def pictures():
    """(id, word, art, ground) for every word of every set."""
    for s in SETS:
        for i, word in enumerate(s['words']):
            yield 1000 * s['number'] + 101 + i, word, s['art'][word], \
                ground(word, i)


def twemoji_codes(art):
    """The Twemoji glyph an artwork uses, or None for an own drawing."""
    return art[1] if isinstance(art, tuple) else None


def write_word_lists(strings_dir):
    os.makedirs(strings_dir, exist_ok=True)
    for s in SETS:
        # No trailing newline, like string 101.
        with open(os.path.join(strings_dir, f'{100 + s["number"]}.txt'), 'w',
                  encoding='ascii', newline='') as f:
            f.write(','.join(s['words']))


if __name__ == '__main__':
    write_word_lists(sys.argv[1])
