"""The artwork of Wordnest as SVG text: word pictures that Twemoji lacks,
the four rooms with their characters, the window's little pictures and the
icon.  Flat shapes in Twemoji's palette so that drawn and emoji pictures
look like one set.  No text anywhere: the players cannot read yet."""

import math

NAVY = '#000080'

WORDS = ['bed', 'bookcase', 'bread', 'broom', 'chair', 'clock', 'computer',
         'cup', 'door', 'drawing', 'drum', 'flower', 'jam', 'milk', 'mirror',
         'phone', 'piano', 'sofa', 'table', 'window']

# Twemoji palette, reused by the drawings below.
BROWN_D = '#662113'
BROWN = '#8A4B38'
BROWN_M = '#C1694F'
BROWN_L = '#D99E82'
RED = '#DD2E44'
RED_D = '#BE1931'
GREY_D = '#292F33'
GREY = '#66757F'
GREY_L = '#CCD6DD'
WHITE = '#F5F8FA'
YELLOW = '#FFCC4D'
ORANGE = '#FFAC33'
BLUE = '#55ACEE'
GREEN = '#77B255'
GREEN_D = '#5C913B'
PURPLE = '#AA8ED6'
PINK = '#F4ABBA'

INK = '#3A1F14'          # eyes and mouth lines of the characters


def _rect(x, y, w, h, fill, rx=0, extra=''):
    r = f' rx="{rx}"' if rx else ''
    return (f'<rect x="{x}" y="{y}" width="{w}" height="{h}"{r} '
            f'fill="{fill}"{extra}/>')


def _circle(cx, cy, r, fill, extra=''):
    return f'<circle cx="{cx}" cy="{cy}" r="{r}" fill="{fill}"{extra}/>'


def _ellipse(cx, cy, rx, ry, fill, extra=''):
    return (f'<ellipse cx="{cx}" cy="{cy}" rx="{rx}" ry="{ry}" '
            f'fill="{fill}"{extra}/>')


def _path(d, fill, extra=''):
    return f'<path d="{d}" fill="{fill}"{extra}/>'


def _poly(points, fill, extra=''):
    pts = ' '.join(f'{x},{y}' for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}"{extra}/>'


# --- Word pictures drawn here (36 x 36 units, like Twemoji) -------------

def _table():
    return ''.join([
        _rect(8.5, 16, 2.2, 12, BROWN_D),            # back legs
        _rect(25.3, 16, 2.2, 12, BROWN_D),
        _poly([(7, 10), (29, 10), (34.5, 15.5), (1.5, 15.5)], BROWN_L),
        _rect(1.5, 15.5, 33, 3.2, BROWN_M, 0.6),
        _rect(3, 18, 3.2, 15, BROWN),                # front legs
        _rect(29.8, 18, 3.2, 15, BROWN),
        _rect(3, 31.5, 3.2, 1.5, BROWN_D),
        _rect(29.8, 31.5, 3.2, 1.5, BROWN_D),
    ])


def _bookcase():
    """A piece of furniture rather than a heap of books: side panel, crown,
    feet and a cupboard below two shelves with books and a plant."""
    colours = [RED, BLUE, YELLOW, GREEN, PURPLE, ORANGE, '#3B88C3']
    parts = [
        _poly([(27, 3), (31.5, 1), (31.5, 32.5), (27, 34.5)], BROWN_D),
        _rect(4.5, 34, 2.6, 1.8, BROWN_D), _rect(24.4, 34, 2.6, 1.8, BROWN_D),
        _rect(4, 2, 24, 32.5, BROWN, 0.8),
        _poly([(3.2, 2.6), (8, 0.4), (32.6, 0.4), (28, 2.6)], BROWN_M),
        _rect(3.2, 2.4, 25.6, 2.2, BROWN_M, 0.6),                  # crown
        _rect(6.4, 5.6, 19.2, 7.6, BROWN_D),                       # shelves
        _rect(6.4, 14.6, 19.2, 7.6, BROWN_D),
    ]
    # Top shelf: books standing, then a little plant.
    x = 7
    for k, (bw, h) in enumerate(((2.2, 6.6), (2.8, 7), (2, 5.8), (2.6, 6.8))):
        parts.append(_rect(x, 13.2 - h, bw, h, colours[k], 0.3))
        x += bw + 0.3
    parts += [
        _path('M19.6 13.2l-.6-3.4h5l-.6 3.4z', '#E07A5F'),
        _path('M21.5 9.8c-2.4-1-3.4-3-3.6-4 1.8.4 3.4 1.8 3.6 4z'
              'M21.5 9.8c.4-2.2 2-3.8 3.4-4.2-.2 1.8-1.6 3.4-3.4 4.2z',
              GREEN_D),
    ]
    # Middle shelf: books standing, one leaning, a small pile lying flat.
    x = 7
    for k, (bw, h) in enumerate(((2.4, 6.8), (2, 6), (2.8, 7))):
        parts.append(_rect(x, 22.2 - h, bw, h, colours[(k + 4) % 7], 0.3))
        x += bw + 0.3
    parts += [
        _rect(x + 0.6, 22.2 - 6.4, 2.2, 6.4, RED, 0.3,
              f' transform="rotate(18 {x + 0.6} 22.2)"'),
        _rect(18.2, 20.2, 7, 2, BLUE, 0.3),
        _rect(18.8, 18.2, 6, 2, YELLOW, 0.3),
        _rect(18.4, 16.4, 6.4, 1.8, GREEN, 0.3),
    ]
    # Cupboard below.
    parts += [
        _rect(6.4, 23.6, 9.3, 9.4, BROWN_M, 0.6),
        _rect(16.3, 23.6, 9.3, 9.4, BROWN_M, 0.6),
        _circle(14.4, 28.3, 0.8, ORANGE), _circle(17.6, 28.3, 0.8, ORANGE),
    ]
    return ''.join(parts)


def _piano():
    parts = [
        _rect(3.5, 3, 29, 16, GREY_D, 1.5),            # upper case
        _rect(2.5, 2.2, 31, 2.4, '#3E4A51', 1),        # lid
        _rect(9, 7, 18, 7, '#F5F0E1', 0.6),            # music sheet
    ]
    for i in range(4):                                 # staff lines
        parts.append(_rect(10.2, 8.4 + i * 1.4, 15.6, 0.35, '#B0A890'))
    parts += [
        _circle(13.5, 10.6, 0.9, GREY_D), _rect(14.1, 8.4, 0.35, 2.3, GREY_D),
        _circle(18, 12, 0.9, GREY_D), _rect(18.6, 9.8, 0.35, 2.3, GREY_D),
        _circle(22.5, 9.9, 0.9, GREY_D), _rect(23.1, 7.7, 0.35, 2.3, GREY_D),
        _rect(1.5, 18.5, 33, 6.5, WHITE, 0.8),          # white keys
    ]
    for i in range(1, 15):
        parts.append(_rect(round(1.5 + i * 2.2, 2), 18.5, 0.3, 6.5,
                           '#99AAB5'))
    for i in (0, 1, 3, 4, 5, 7, 8, 10, 11, 12, 14):     # black keys
        x = 1.5 + (i + 1) * 2.2 - 0.75
        if x > 33:
            continue
        parts.append(_rect(round(x, 2), 18.5, 1.5, 3.8, GREY_D, 0.2))
    parts += [
        _rect(1.2, 24.6, 33.6, 1.6, '#3E4A51', 0.6),   # key bed
        _rect(4.5, 26, 27, 6.5, GREY_D),                # lower case
        _rect(5.5, 26, 2, 8, '#3E4A51'), _rect(28.5, 26, 2, 8, '#3E4A51'),
        _rect(3.5, 33, 29, 2, GREY_D, 0.6),
        _rect(14.5, 31.6, 2.4, 1.4, ORANGE, 0.5),       # pedals
        _rect(19.1, 31.6, 2.4, 1.4, ORANGE, 0.5),
    ]
    return ''.join(parts)


def _jam():
    return ''.join([
        _rect(8, 10.5, 20, 23.5, '#E1E8ED', 4),        # glass
        _rect(9.2, 14, 17.6, 18.8, RED_D, 3.2),        # jam
        _rect(9.2, 14, 17.6, 3, '#E0344F', 1.5),
        _ellipse(18, 24, 5.8, 4.8, '#FFF5E0'),           # label
        _path('M18 27.6c-2.5-.4-3.8-2.6-3.5-4.6.2-1.3 1.7-1.9 3.5-1.9'
              's3.3.6 3.5 1.9c.3 2-1 4.2-3.5 4.6z', RED),   # strawberry
        _path('M15.4 21.4l1.5.6 1.1-1.3 1.1 1.3 1.5-.6-.6 1.2h-4z', GREEN),
        _circle(16.6, 23.4, 0.35, YELLOW), _circle(19.3, 23.6, 0.35, YELLOW),
        _circle(18, 25.3, 0.35, YELLOW),
        _rect(10.4, 15.5, 1.5, 13, WHITE, 0.75, ' opacity="0.6"'),
        _rect(7, 5, 22, 6.5, RED, 1.6),                # checked cloth lid
        _rect(10, 5, 2.5, 6.5, '#FFFFFF', 0, ' opacity="0.45"'),
        _rect(15, 5, 2.5, 6.5, '#FFFFFF', 0, ' opacity="0.45"'),
        _rect(20, 5, 2.5, 6.5, '#FFFFFF', 0, ' opacity="0.45"'),
        _rect(25, 5, 2.5, 6.5, '#FFFFFF', 0, ' opacity="0.45"'),
        _rect(7, 7.2, 22, 2, '#FFFFFF', 0, ' opacity="0.45"'),
        _rect(8, 10, 20, 1.4, ORANGE, 0.6),             # string
    ])


def _bed():
    """Side view like the bedroom's bed: headboard, pillow, blanket."""
    return ''.join([
        _rect(3, 29, 2.6, 5, BROWN_D), _rect(30.4, 29, 2.6, 5, BROWN_D),
        _path('M1 31V9.5a4 4 0 0 1 8 0V31z', BROWN),             # headboard
        _path('M2.8 14a2.2 2.2 0 0 1 4.4 0v13H2.8z', BROWN_M),
        _rect(6, 19, 26, 6, WHITE, 1.5),                          # mattress
        _rect(6, 23.5, 26, 6, '#E1E8ED', 1.2),
        _ellipse(12, 17.6, 5.2, 3.2, '#FFFFFF'),                  # pillow
        _ellipse(12, 18.4, 4.4, 1.9, '#E1E8ED'),
        _path('M16 16.5h14a2.5 2.5 0 0 1 2.5 2.5v9H16z', BLUE),   # blanket
        _rect(16, 16.5, 3.6, 11.5, '#88C9F9', 0.8),
        _circle(23, 20.5, 1, '#FFFFFF', ' opacity="0.8"'),
        _circle(27.5, 24.5, 1, '#FFFFFF', ' opacity="0.8"'),
        _circle(22, 25.5, 1, '#FFFFFF', ' opacity="0.8"'),
        _path('M29 31V18.5a3.5 3.5 0 0 1 7 0V31z', BROWN),       # footboard
        _rect(1, 29, 35, 2.4, BROWN_M, 1),
    ])


def _crayon(x, y, angle, length, body, dark):
    """A wax crayon lying at `angle` degrees, its tip at (x, y)."""
    return (f'<g transform="translate({x} {y}) rotate({angle})">'
            + _path('M0 0l3.2-1.7h0.6v3.4h-0.6z', dark)
            + _rect(3.6, -1.9, length - 3.6, 3.8, body, 0.9)
            + _rect(6, -1.9, length - 9, 3.8, '#FFFFFF', 0, ' opacity="0.35"')
            + _rect(7.2, -1.9, 0.8, 3.8, dark)
            + _rect(length - 4.2, -1.9, 0.8, 3.8, dark)
            + '</g>')


def _drawing():
    """A child's picture being drawn: a big sheet with crayon lines (sun,
    a person, grass), a crayon still at work and two more beside it."""
    line = ' stroke-linecap="round" stroke-linejoin="round"'
    return ''.join([
        '<g transform="rotate(-6 18 16)">',
        _rect(3.2, 3.6, 29.6, 24.6, '#99AAB5', 1, ' opacity="0.5"'),
        _rect(2.4, 2.8, 29.6, 24.6, '#FFFFFF', 1),
        _circle(9, 9, 3, 'none', f' stroke="{ORANGE}" stroke-width="1.3"'),
        _path('M9 3.6v1.2M9 13.2v1.2M3.6 9h1.2M13.2 9h1.2M5.2 5.2l.9.9'
              'M11.9 11.9l.9.9M5.2 12.8l.9-.9M11.9 6.1l.9-.9', 'none',
              f' stroke="{ORANGE}" stroke-width="1.1"{line}'),
        _circle(21, 9.8, 2.6, 'none', f' stroke="{BLUE}" stroke-width="1.2"'),
        _path('M21 12.4v6.4M17 14.6l4 1.4 4-1.4M21 18.8l-3 4.4M21 18.8l3 4.4',
              'none', f' stroke="{BLUE}" stroke-width="1.2"{line}'),
        _path('M4.5 25.2l1.6-2.6 1.6 2.6 1.6-2.6 1.6 2.6 1.6-2.6 1.6 2.6'
              '1.6-2.6 1.6 2.6 1.6-2.6 1.6 2.6', 'none',
              f' stroke="{GREEN}" stroke-width="1.2"{line}'),
        # The line the crayon is drawing just now.
        _path('M22 25.4c2-3 3.5 1 5.5-2.2', 'none',
              f' stroke="{RED}" stroke-width="1.3"{line}'),
        '</g>',
        _crayon(27.6, 22.6, -52, 15, RED, RED_D),
        _crayon(3, 32.2, 0, 15, BLUE, '#226699'),
        _crayon(17, 33.6, -4, 15, YELLOW, '#E09A00'),
    ])


def _cup():
    """A cup with a big round handle on its saucer; nothing in it steams."""
    blue, blue_d = '#3B88C3', '#226699'
    return ''.join([
        _ellipse(17, 31, 15, 3.4, '#99AAB5'),                  # saucer
        _ellipse(17, 30, 15, 3.2, '#E1E8ED'),
        _ellipse(27.6, 17.2, 5.6, 6.2, 'none',
                 f' stroke="{blue_d}" stroke-width="3.4"'),    # handle
        _path('M4 8h24l-2.4 17.5a5 5 0 0 1-5 4.3h-9.2a5 5 0 0 1-5-4.3z',
              blue),
        _path('M4.6 12.4h22.8l-.4 3H5z', '#FFFFFF', ' opacity="0.9"'),
        _circle(11, 21, 1.4, '#FFFFFF'), _circle(17, 23, 1.4, '#FFFFFF'),
        _circle(21.5, 19.4, 1.4, '#FFFFFF'),
        _ellipse(16, 8, 12, 2.8, blue_d),                       # rim
        _ellipse(16, 8.5, 10.4, 1.9, '#1D4F75'),
        _rect(6.6, 14.5, 1.6, 9, '#FFFFFF', 0.8, ' opacity="0.45"'),
    ])


def _computer():
    """Screen, keyboard and mouse: the keyboard and mouse tell it from a
    television."""
    parts = [
        _rect(3, 1.5, 30, 20.5, GREY_D, 1.8),                   # monitor
        _rect(5, 3.4, 26, 16.2, '#7FC8F8', 0.6),
        _rect(8, 6, 17, 11, '#FFFFFF', 0.6),                     # a window
        _rect(8, 6, 17, 2.4, '#3B88C3', 0.6),
        _rect(10, 10, 8, 1.3, GREY_L), _rect(10, 12.6, 11, 1.3, GREY_L),
        _rect(10, 15.2, 6, 1.3, GREY_L),
        _rect(26.5, 6, 2.6, 2.6, YELLOW, 0.4),                   # icons
        _rect(26.5, 10, 2.6, 2.6, GREEN, 0.4),
        _rect(26.5, 14, 2.6, 2.6, RED, 0.4),
        _rect(15.5, 22, 5, 2.8, GREY),                           # stand
        _rect(11.5, 24.2, 13, 1.8, GREY, 0.9),
        _poly([(4.4, 27.2), (24.6, 27.2), (26.6, 34.6), (2.4, 34.6)],
              GREY_L),                                           # keyboard
    ]
    for row in range(3):
        y = 28.4 + row * 2.05
        shift = (26.6 - 24.6) * (y - 27.2) / (34.6 - 27.2)
        x0, x1 = 4.4 - shift + 0.9, 24.6 + shift - 0.9
        n = 8
        kw = (x1 - x0) / n
        for k in range(n):
            parts.append(_rect(round(x0 + k * kw + 0.2, 2), round(y, 2),
                               round(kw - 0.5, 2), 1.4, GREY, 0.3))
    parts += [
        _path('M30.6 26.4c0-3 -2-3 -2-5.6', 'none',
              f' stroke="{GREY}" stroke-width="0.8"'),           # cord
        _ellipse(30.8, 30.4, 3, 4.2, '#FFFFFF',
                 f' stroke="{GREY}" stroke-width="0.8"'),         # mouse
        _path('M28 29.2h5.6M30.8 26.4v2.8', 'none',
              f' stroke="{GREY}" stroke-width="0.7"'),
    ]
    return ''.join(parts)


def _milk():
    """A milk carton with cow patches and a full glass in front of it."""
    return ''.join([
        _poly([(19.5, 9), (24, 5.4), (24, 28.8), (19.5, 32.4)], '#BFD2DE'),
        _poly([(5, 9), (9.75, 3.4), (19.5, 9)], '#3B88C3'),      # gable
        _poly([(9.75, 3.4), (14.25, 1.8), (24, 5.4), (19.5, 9)], '#2A6FA8'),
        _rect(8.2, 1.6, 3.2, 2.2, '#2A6FA8', 0.4),
        _rect(5, 9, 14.5, 23.4, '#FFFFFF'),                      # carton
        # Cow patches running off the carton's edges, so they read as
        # patches and not as a face.
        _path('M5 10.5h4.6c.4 1.6-.6 3.4-2.2 3.6-1 .2-1.8.6-2.4 1.4z', GREY_D),
        _path('M12.4 15.6c1.8-1.2 4.6-.4 5 1.8.3 1.8-.8 3.6-2.8 3.4'
              '-1.2-.1-1.6-1.2-2.6-1.6-1.2-.6-1-2.6.4-3.6z', GREY_D),
        _path('M5 19.8c1.4-.4 2.6.4 2.4 1.8-.2 1-1.4 1.4-2.4 1z', GREY_D),
        _rect(5, 24, 14.5, 8.4, '#3B88C3'),
        _path('M5 24c2.4 1.6 4.8-1.2 7.2 0s4.8-1.2 7.3 0', 'none',
              ' stroke="#FFFFFF" stroke-width="1.2"'),
        _path('M18.6 13.6h13l-1.3 19.2c-.1 1.2-.9 1.8-2 1.8h-6.4'
              'c-1.1 0-1.9-.6-2-1.8z', '#E1E8ED'),                     # glass
        _path('M19.5 17.4h11.2l-1.1 15.2c-.1.8-.6 1.2-1.4 1.2h-6.2'
              'c-.8 0-1.3-.4-1.4-1.2z', '#FFFFFF'),                    # milk
        _ellipse(25.1, 17.4, 5.6, 0.9, '#F5F8FA'),
        _rect(20.6, 19, 1.2, 12.5, '#E1E8ED', 0.6),
    ])


def _mirror():
    """A hand mirror: a gold oval frame round shining glass, and a handle."""
    glass = 'M18 3.2a8.6 10 0 1 1 0 20a8.6 10 0 1 1 0-20z'
    return ''.join([
        '<g transform="rotate(18 18 18)">',
        _rect(15.6, 23, 4.8, 12, ORANGE, 2.2),                    # handle
        _rect(16.6, 24, 1.2, 10, '#FFD983', 0.6),
        _ellipse(18, 13.2, 11.4, 12.8, ORANGE),
        _ellipse(18, 13.2, 10.2, 11.6, '#FFD983'),
        '<clipPath id="mirrorglass"><path d="' + glass + '"/></clipPath>',
        _path(glass, '#9DD5F5'),
        '<g clip-path="url(#mirrorglass)">',
        _path('M6 14l12-12h5l-17 17z', '#FFFFFF', ' opacity="0.85"'),
        _path('M9 22l17-17h2.5l-17.5 17.5z', '#FFFFFF', ' opacity="0.85"'),
        _path('M14 26l15-15v5l-13 13z', '#FFFFFF', ' opacity="0.5"'),
        '</g>',
        _circle(18, 0.9, 1.4, RED), _circle(18, 25.5, 1.4, RED),
        _circle(6.6, 13.2, 1.2, RED), _circle(29.4, 13.2, 1.2, RED),
        '</g>',
    ])


WORD_ART = {
    'bed': _bed(),
    'bookcase': _bookcase(),
    'bread': 'twemoji:1f35e',
    'broom': 'twemoji:1f9f9',
    'chair': 'twemoji:1fa91',
    'clock': 'twemoji:23f0',        # alarm clock: a face a child knows
    'computer': _computer(),
    'cup': _cup(),
    'door': 'twemoji:1f6aa',
    'drawing': _drawing(),
    'drum': 'twemoji:1f941',
    'flower': 'twemoji:1f337',
    'jam': ('<g transform="translate(18 19.5) scale(1.15) translate(-18 -19.5)">'
            + _jam() + '</g>'),
    'milk': _milk(),
    'mirror': _mirror(),
    'phone': 'twemoji:260e',
    'piano': _piano(),
    'sofa': 'twemoji:1f6cb',
    'table': ('<g transform="translate(18 18) scale(1.1) translate(-18 -21.5)">'
              + _table() + '</g>'),
    'window': 'twemoji:1fa9f',
}

# One soft pastel per word, chosen so the object stands out from it.
WORD_GROUNDS = {
    'bed': '#FDE2E4', 'bookcase': '#E2F0CB', 'bread': '#CDE7F7',
    'broom': '#E8DFF5', 'chair': '#DFF3E4', 'clock': '#D6EEF8',
    'computer': '#FFE8C2', 'cup': '#E2F0CB', 'door': '#DCEBFA',
    'drawing': '#FFE0EC', 'drum': '#E4F6F0', 'flower': '#E6F0FF',
    'jam': '#FFF4C7', 'milk': '#FBD9C9', 'mirror': '#E3E8FF',
    'phone': '#E8F6D8', 'piano': '#FFEFD6', 'sofa': '#FFE4D6',
    'table': '#DDF2F6', 'window': '#FFF1D6',
}


def word_svg(inner, ground):
    """A 90 x 90 word picture: the art (36-unit SVG body or a whole Twemoji
    file) scaled to 76 px and centred on its ground."""
    if inner.lstrip().startswith('<svg'):
        inner = inner[inner.index('>') + 1:inner.rindex('</svg>')]
    scale = 76 / 36
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="90" height="90" '
            'viewBox="0 0 90 90">'
            f'<rect width="90" height="90" fill="{ground}"/>'
            f'<g transform="translate(7 7) scale({scale:.6f})">{inner}</g>'
            '</svg>')


# --- Character faces ----------------------------------------------------

def face(cx, ey, dx, er, my, mw, open_mouth, cheeks=True, depth=0.8):
    """Eyes, cheeks and a smiling mouth.  Returns (svg, bbox) where bbox is
    the box of eyes and mouth, so a room can check that its face lies inside
    the rectangle the game lays the open-mouth picture on."""
    parts = []
    if cheeks:
        for s in (-1, 1):
            parts.append(_ellipse(cx + s * (dx + er * 1.3), ey + er * 2.1,
                                  er * 1.05, er * 0.7, '#FF7F96',
                                  ' opacity="0.55"'))
    for s in (-1, 1):
        x = cx + s * dx
        parts.append(_ellipse(x, ey, er * 0.82, er, INK))
        parts.append(_circle(round(x - er * 0.28, 2), round(ey - er * 0.38, 2),
                             round(er * 0.34, 2), '#FFFFFF'))
    half = mw / 2
    if open_mouth:
        depth = mw * depth
        d = (f'M{cx - half},{my} Q{cx},{my + 2 * depth} {cx + half},{my} '
             f'Q{cx},{my + depth * 0.25} {cx - half},{my} Z')
        clip_id = f'm{int(cx)}{int(my)}'
        parts.append(f'<clipPath id="{clip_id}"><path d="{d}"/></clipPath>')
        parts.append(_path(d, '#8E2435'))
        parts.append(_ellipse(cx, my + depth * 1.05, mw * 0.26, mw * 0.2,
                              '#FF8C9A', f' clip-path="url(#{clip_id})"'))
        parts.append(_path(d, 'none', f' stroke="{INK}" stroke-width="1.4" '
                           'stroke-linejoin="round"'))
        bottom = my + depth + 1
    else:
        d = f'M{cx - half},{my} Q{cx},{my + mw * 0.5} {cx + half},{my}'
        parts.append(_path(d, 'none', f' stroke="{INK}" stroke-width="2" '
                           'stroke-linecap="round"'))
        bottom = my + mw * 0.25 + 1
    bbox = (min(cx - dx - er, cx - half - 1), ey - er,
            max(cx + dx + er, cx + half + 1), bottom)
    return ''.join(parts), bbox


def _inside(bbox, rect, margin):
    x0, y0, x1, y1 = bbox
    rx, ry, rw, rh = rect
    return (x0 >= rx + margin and y0 >= ry + margin and
            x1 <= rx + rw - margin and y1 <= ry + rh - margin)


# --- Rooms (450 x 450; the strip y < 182 stays plain wall) -------------

def _room(body, wall):
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="450" '
            'height="450" viewBox="0 0 450 450">'
            f'<rect width="450" height="450" fill="{wall}"/>{body}</svg>')


def _wood_floor(y, fill, line):
    parts = [_rect(0, y, 450, 450 - y, fill)]
    for i, ly in enumerate(range(y + 22, 450, 22)):
        parts.append(_rect(0, ly, 450, 2, line))
        off = 60 + (i % 2) * 70
        for x in range(off, 450, 140):
            parts.append(_rect(x, ly - 20, 2, 20, line))
    return ''.join(parts)


def _skirting(y):
    return _rect(0, y - 10, 450, 10, '#FFFFFF') + _rect(0, y - 1, 450, 1,
                                                         '#D8CFC4')


def _bedroom(open_mouth):
    p = []
    p.append(_wood_floor(360, '#E0B184', '#CF9B6E'))
    p.append(_skirting(360))
    # Night window with moon and stars above the bed.
    p.append(_rect(104, 196, 124, 98, '#FFFFFF', 6))
    p.append(_rect(112, 204, 108, 82, '#3D4F9F', 3))
    p.append(_path('M190 222a16 16 0 1 0 12 26 13 13 0 1 1-12-26z', '#FFE27A'))
    for x, y, r in ((130, 222, 2.6), (150, 246, 2), (136, 266, 2.4),
                    (170, 214, 1.8), (206, 272, 2.2)):
        p.append(_circle(x, y, r, '#FFF6C8'))
    p.append(_rect(164, 204, 4, 82, '#FFFFFF'))
    p.append(_rect(112, 243, 108, 4, '#FFFFFF'))
    for x in (92, 216):                                      # curtains
        p.append(_path(f'M{x} 190h24v112c-8 4-16 4-24 0z', '#F48FB1'))
        p.append(_rect(x + 10, 190, 3, 110, '#F7A8C4'))
    p.append(_rect(84, 186, 164, 7, '#B07A5A', 3))
    # Rug.
    p.append(_ellipse(170, 424, 140, 18, '#9AD0EC'))
    p.append(_ellipse(170, 424, 118, 12, '#BFE3F5'))
    # Bed: headboard on the left, footboard on the right.
    p.append(_rect(22, 404, 10, 26, BROWN_D))
    p.append(_rect(268, 404, 10, 26, BROWN_D))
    p.append(_path('M18 420V272a22 22 0 0 1 44 0v148z', BROWN))
    p.append(_path('M26 300a14 14 0 0 1 28 0v90h-28z', BROWN_M))
    p.append(_rect(40, 340, 240, 30, WHITE, 8))             # mattress
    p.append(_rect(40, 362, 240, 42, '#E6EEF3', 6))
    p.append(_ellipse(92, 334, 36, 17, '#FFFFFF'))           # pillow
    p.append(_ellipse(92, 338, 32, 11, '#EEF3F7'))
    p.append(_path('M120 330h150a12 12 0 0 1 12 12v48h-162z', '#5DADEC'))
    p.append(_rect(120, 330, 22, 60, '#8CC8F2', 4))          # turned down
    for x, y in ((170, 352), (205, 372), (240, 350), (262, 376), (186, 384),
                 (226, 332)):
        p.append(_circle(x, y, 5, '#FFFFFF', ' opacity="0.8"'))
    p.append(_path('M262 420V312a18 18 0 0 1 36 0v108z', BROWN))
    p.append(_path('M270 330a10 10 0 0 1 20 0v70h-20z', BROWN_M))
    # Bedside table with the lamp on it.
    p.append(_rect(318, 366, 118, 10, BROWN, 3))
    p.append(_rect(324, 376, 106, 54, BROWN_M))
    p.append(_rect(332, 384, 90, 18, BROWN_L, 3))
    p.append(_rect(332, 406, 90, 18, BROWN_L, 3))
    p.append(_circle(377, 393, 3, BROWN_D))
    p.append(_circle(377, 415, 3, BROWN_D))
    p.append(_rect(328, 430, 8, 16, BROWN_D))
    p.append(_rect(418, 430, 8, 16, BROWN_D))
    # The lamp: a warm glow, a big shade that carries the face.
    p.append(_circle(376, 300, 64, '#FFF3B0', ' opacity="0.55"'))
    p.append(_ellipse(376, 362, 26, 6, '#E8A33D'))
    p.append(_rect(372, 330, 8, 32, '#E8A33D'))
    p.append(_path('M350 258h52l24 76h-100z', '#FFD166',
                   ' stroke="#F0A830" stroke-width="3" '
                   'stroke-linejoin="round"'))
    p.append(_rect(330, 326, 92, 5, '#F7B84B'))
    f, bbox = face(376, 304, 11, 3.2, 311, 12, open_mouth, depth=0.6)
    p.append(f)
    return _room(''.join(p), '#E9E1F7'), bbox


def _kitchen(open_mouth):
    p = []
    # Tiles behind the counter.
    p.append(_rect(100, 252, 260, 70, '#FFFFFF'))
    for x in range(100, 361, 20):
        p.append(_rect(x, 252, 1.5, 70, '#CFE3F0'))
    for y in range(252, 323, 20):
        p.append(_rect(100, y, 260, 1.5, '#CFE3F0'))
    # Floor: big soft checks.
    p.append(_rect(0, 380, 450, 70, '#F6DDB5'))
    for row, y in enumerate(range(380, 450, 24)):
        for col, x in enumerate(range(-20 + 20 * (row % 2), 450, 40)):
            if col % 2 == 0:
                p.append(_rect(x, y, 40, 24, '#EDC58E'))
    p.append(_skirting(380))
    # Wall cupboards.
    p.append(_rect(112, 192, 236, 56, '#7CC6A4', 6))
    for x in (118, 196, 274):
        p.append(_rect(x, 198, 70, 44, '#9AD6BA', 4))
    for x in (182, 202, 260, 280):
        p.append(_circle(x, 220, 3.5, '#FFFFFF'))
    # Counter with cupboards and an oven.
    p.append(_rect(108, 322, 244, 12, BROWN_M, 4))
    p.append(_rect(112, 334, 236, 100, '#7CC6A4'))
    p.append(_rect(118, 342, 50, 84, '#9AD6BA', 4))
    p.append(_rect(292, 342, 50, 84, '#9AD6BA', 4))
    p.append(_circle(160, 384, 3.5, '#FFFFFF'))
    p.append(_circle(300, 384, 3.5, '#FFFFFF'))
    p.append(_rect(176, 338, 108, 92, '#DDE3E8', 5))          # oven
    p.append(_rect(184, 346, 92, 12, '#BAC6CF', 3))
    for x in (198, 222, 246, 262):
        p.append(_circle(x, 352, 3.5, GREY))
    p.append(_rect(188, 366, 84, 56, GREY_D, 6))
    p.append(_rect(196, 374, 68, 40, '#F4A261', 4))           # warm inside
    p.append(_rect(196, 374, 68, 10, '#F6B883', 4))
    p.append(_rect(204, 361, 52, 5, '#99AAB5', 2))
    p.append(_rect(112, 434, 236, 8, '#5FAE8B'))
    # Pot on the hob, with steam.
    p.append(_rect(192, 290, 76, 34, RED, 8))
    p.append(_rect(186, 286, 88, 8, RED_D, 4))
    p.append(_rect(222, 278, 16, 8, RED_D, 3))
    p.append(_rect(178, 300, 14, 6, RED_D, 3))
    p.append(_rect(268, 300, 14, 6, RED_D, 3))
    for x in (212, 230, 248):
        p.append(_path(f'M{x} 270c-6-8 6-12 0-20s6-12 0-18', 'none',
                       ' stroke="#FFFFFF" stroke-width="4" '
                       'stroke-linecap="round" opacity="0.9"'))
    # Fridge.
    p.append(_rect(14, 192, 86, 250, '#FFFFFF', 10,
                   ' stroke="#B8C7D1" stroke-width="3"'))
    p.append(_rect(16, 276, 82, 3, '#B8C7D1'))
    p.append(_rect(84, 226, 6, 36, '#99AAB5', 3))
    p.append(_rect(84, 292, 6, 54, '#99AAB5', 3))
    p.append(_rect(32, 214, 22, 18, '#FFE27A', 2))            # magnets
    p.append(_circle(43, 222, 4, RED))
    p.append(_circle(40, 300, 6, BLUE))
    p.append(_circle(56, 312, 6, GREEN))
    # The jam jar, standing on the floor.
    p.append(_ellipse(387, 444, 42, 5, '#D9A96B'))
    p.append(_rect(344, 362, 86, 82, '#E1E8ED', 18))
    p.append(_rect(350, 374, 74, 66, RED_D, 14))
    p.append(_rect(350, 374, 74, 10, '#E0344F', 5))
    p.append(_rect(357, 392, 58, 44, '#FFF5E0', 12))        # label
    p.append(_rect(354, 384, 6, 46, '#FFFFFF', 3, ' opacity="0.55"'))
    p.append(_path('M340 346h94l-4 20h-86z', RED))            # checked cloth
    for x in (352, 370, 388, 406, 424):
        p.append(_rect(x, 346, 8, 20, '#FFFFFF', 0, ' opacity="0.45"'))
    p.append(_rect(342, 352, 90, 7, '#FFFFFF', 0, ' opacity="0.45"'))
    p.append(_rect(344, 364, 86, 5, ORANGE, 2))              # string
    f, bbox = face(385, 407, 12, 4.2, 417, 15, open_mouth)
    p.append(f)
    return _room(''.join(p), '#FFF3C4'), bbox


def _living_room(open_mouth):
    p = []
    p.append(_wood_floor(372, '#D7A97E', '#C4946A'))
    p.append(_skirting(372))
    p.append(_ellipse(180, 426, 170, 20, '#F2C14E'))          # rug
    p.append(_ellipse(180, 426, 148, 13, '#F7D67F'))
    # Pictures on the wall.
    p.append(_rect(70, 196, 70, 54, '#B07A5A', 4))
    p.append(_rect(76, 202, 58, 42, '#BDE3F7'))
    p.append(_path('M76 244l18-20 14 14 8-8 18 14z', GREEN))
    p.append(_circle(120, 212, 5, YELLOW))
    p.append(_rect(162, 204, 52, 40, '#B07A5A', 4))
    p.append(_rect(168, 210, 40, 28, '#FFE6EE'))
    p.append(_circle(188, 224, 7, '#E75A9B'))
    p.append(_circle(188, 224, 3, YELLOW))
    # Sofa.
    p.append(_rect(42, 392, 10, 20, BROWN_D))
    p.append(_rect(246, 392, 10, 20, BROWN_D))
    p.append(_rect(44, 276, 210, 80, '#F08A5D', 22))          # back
    p.append(_rect(40, 340, 218, 58, '#E36F45', 14))          # seat base
    p.append(_rect(62, 326, 84, 26, '#F6A37C', 10))           # cushions
    p.append(_rect(152, 326, 84, 26, '#F6A37C', 10))
    p.append(_rect(22, 316, 44, 84, '#E36F45', 20))           # arms
    p.append(_rect(232, 316, 44, 84, '#E36F45', 20))
    p.append(_rect(26, 318, 36, 14, '#F08A5D', 7))
    p.append(_rect(236, 318, 36, 14, '#F08A5D', 7))
    p.append(_path('M72 300l34-8 6 34-34 6z', '#FFD166'))     # pillows
    p.append(_path('M192 294l34 6-6 34-34-6z', '#7FC8E8'))
    # Floor lamp.
    p.append(_ellipse(310, 410, 22, 6, GREY))
    p.append(_rect(307, 226, 6, 184, GREY))
    p.append(_path('M290 196h40l14 42h-68z', '#FFE08A',
                   ' stroke="#F0B84B" stroke-width="3" '
                   'stroke-linejoin="round"'))
    # Telephone, the push-button kind of the phone picture: coiled cord,
    # handset on its cradle, the face on the upper front and two rows of
    # keys below it, so the face sits where the game lays the open mouth.
    for k in range(7):
        p.append(_ellipse(306 + k * 8, 438 - k * 1.2, 4.5, 6.5, 'none',
                          f' stroke="{RED_D}" stroke-width="2.4"'))
    p.append(_ellipse(402, 448, 46, 3, '#B8895F'))
    p.append(_path('M374 382H430Q439 382 441 392L445 439Q445 448 436 448'
                   'H368Q359 448 359 439L363 392Q365 382 374 382Z', RED))
    p.append(_ellipse(402, 409, 23, 14.5, '#E9546A'))
    for row, y in enumerate((431.5, 440.5)):
        spread = 12 + row
        for col in (-1.5, -0.5, 0.5, 1.5):
            p.append(_ellipse(402 + col * spread, y, 4.6 + row * 0.3, 3,
                              '#FFFFFF'))
    p.append(_rect(384, 374, 8, 12, RED_D, 3))
    p.append(_rect(412, 374, 8, 12, RED_D, 3))
    p.append(_path('M362 368c0-10 18-14 40-14s40 4 40 14v4c0 4-4 6-8 6h-10'
                   'c-4 0-6-3-6-6v-2h-32v2c0 3-2 6-6 6h-10c-4 0-8-2-8-6z',
                   RED_D))
    f, bbox = face(402, 406, 8.5, 3.4, 413, 11, open_mouth, cheeks=False)
    p.append(f)
    return _room(''.join(p), '#DDF2E3'), bbox


def _study(open_mouth):
    p = []
    p.append(_wood_floor(374, '#D3A77C', '#C0936A'))
    p.append(_skirting(374))
    # Bookshelf full of books.
    p.append(_rect(14, 194, 108, 250, BROWN, 6))
    p.append(_rect(22, 202, 92, 234, BROWN_D))
    colours = [RED, BLUE, YELLOW, GREEN, PURPLE, ORANGE, PINK, '#3B88C3']
    for s, top in enumerate((202, 262, 322, 382)):
        x = 24
        n = 0
        while x < 108:
            bw = (10, 13, 9, 12, 11)[(s + n) % 5]
            if x + bw > 112:
                break
            h = 44 - ((s * 2 + n * 3) % 4) * 5
            p.append(_rect(x, top + 52 - h, bw, h,
                           colours[(s * 3 + n) % len(colours)], 2))
            p.append(_rect(x, top + 52 - h + 6, bw, 3, '#FFFFFF', 0,
                           ' opacity="0.5"'))
            x += bw + 2
            n += 1
        p.append(_rect(14, top + 52, 108, 8, BROWN))
    # Window with curtains: a room of the home, not a classroom.
    p.append(_rect(270, 200, 112, 92, '#FFFFFF', 6))
    p.append(_rect(277, 207, 98, 78, '#A8DBF7', 3))
    p.append(_path('M277 268c20-14 40-14 60-2s28 6 38 0v19h-98z', '#9CD07A'))
    p.append(_circle(352, 228, 10, '#FFE27A'))
    p.append(_rect(324, 207, 4, 78, '#FFFFFF'))
    p.append(_rect(277, 244, 98, 4, '#FFFFFF'))
    p.append(_rect(264, 290, 124, 7, '#FFFFFF', 2))             # sill
    for x in (256, 374):                                        # curtains
        p.append(_path(f'M{x} 194h22v108c-7 4-15 4-22 0z', '#7E9BD8'))
        p.append(_rect(x + 9, 194, 3, 106, '#9DB4E4'))
    p.append(_rect(248, 190, 156, 7, '#B07A5A', 3))
    # Rug under the armchair.
    p.append(_ellipse(200, 428, 150, 16, '#E38C8C'))
    p.append(_ellipse(200, 428, 128, 10, '#F2B2A6'))
    # Reading lamp bending over the armchair.
    p.append(_ellipse(140, 434, 16, 5, GREY))
    p.append(_path('M140 432V250c0-26 30-34 50-18', 'none',
                   f' stroke="{GREY}" stroke-width="5" '
                   'stroke-linecap="round"'))
    p.append(_path('M176 260h30l26 60h-82z', '#FFF3B0', ' opacity="0.6"'))
    p.append(_path('M182 234h16l8 26h-32z', '#FFE08A',
                   ' stroke="#F0B84B" stroke-width="3" '
                   'stroke-linejoin="round"'))
    # Armchair.
    p.append(_rect(158, 414, 8, 18, BROWN_D))
    p.append(_rect(226, 414, 8, 18, BROWN_D))
    p.append(_rect(164, 300, 64, 86, '#5FAF7A', 22))            # back
    p.append(_rect(156, 360, 80, 56, '#4C9A66', 12))            # seat base
    p.append(_rect(166, 352, 60, 20, '#7CC494', 9))             # cushion
    p.append(_rect(146, 340, 24, 76, '#4C9A66', 12))            # arms
    p.append(_rect(222, 340, 24, 76, '#4C9A66', 12))
    p.append(_rect(148, 342, 20, 12, '#5FAF7A', 6))
    p.append(_rect(224, 342, 20, 12, '#5FAF7A', 6))
    p.append(_path('M178 318l26-4 4 28-26 4z', '#F2C14E'))      # cushion
    # Plant in the corner.
    p.append(_path('M396 446l-12-44h52l-12 44z', '#E07A5F'))
    p.append(_rect(380, 396, 60, 10, '#C9664E', 3))
    for d in ('M410 396c-4-30-30-40-40-44 10 16 22 28 40 44z',
              'M410 396c2-34 18-52 30-58-6 20-16 40-30 58z',
              'M410 396c-2-30 2-52 4-66 8 20 6 46-4 66z'):
        p.append(_path(d, GREEN))
    # The school bag: straps, body, flap, pocket.
    p.append(_path('M284 336c0-30 44-30 44 0', 'none',
                   f' stroke="{BROWN_D}" stroke-width="7" '
                   'stroke-linecap="round"'))
    p.append(_ellipse(306, 445, 52, 5, '#B08058'))
    p.append(_rect(258, 328, 96, 116, '#F59A23', 22))
    p.append(_path('M258 356v-6c0-14 10-22 22-22h52c12 0 22 8 22 22v6'
                   'c-30 6-66 6-96 0z', '#E07C12'))
    p.append(_rect(274, 402, 64, 38, '#FFB547', 12))
    p.append(_rect(284, 410, 44, 4, '#E07C12', 2))
    p.append(_rect(254, 360, 8, 70, '#E07C12', 4))
    p.append(_rect(350, 360, 8, 70, '#E07C12', 4))
    f, bbox = face(306, 374, 12, 4, 383, 15, open_mouth, depth=0.65)
    p.append(f)
    return _room(''.join(p), '#DDEBFA'), bbox


def _room_builder(fn, rect):
    def build(open_mouth):
        svg, bbox = fn(open_mouth)
        # The eyes must fit and the mouth must stay clear of the border, or
        # the laid-on picture would show a seam.
        if not _inside(bbox, rect, 2):
            raise SystemExit(f'face {bbox} does not fit inside {rect}')
        return svg
    return build


ROOMS = [
    {'id': 200, 'face_id': 204, 'face_rect': (354, 298, 44, 25),
     'ground': '#E9E1F7', 'svg': _room_builder(_bedroom, (354, 298, 44, 25))},
    {'id': 201, 'face_id': 205, 'face_rect': (361, 396, 49, 42),
     'ground': '#FFF3C4', 'svg': _room_builder(_kitchen, (361, 396, 49, 42))},
    {'id': 202, 'face_id': 206, 'face_rect': (378, 392, 48, 35),
     'ground': '#DDF2E3',
     'svg': _room_builder(_living_room, (378, 392, 48, 35))},
    {'id': 203, 'face_id': 207, 'face_rect': (280, 366, 52, 32),
     'ground': '#DDEBFA', 'svg': _room_builder(_study, (280, 366, 52, 32))},
]


# --- Window furniture on navy --------------------------------------------

def _navy(w, h, body):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" '
            f'height="{h}" viewBox="0 0 {w} {h}">'
            f'<rect width="{w}" height="{h}" fill="{NAVY}"/>{body}</svg>')


def button_start_svg():
    return _navy(50, 35, ''.join([
        _ellipse(25, 18.5, 23, 15.5, '#1E7A2E'),
        _ellipse(25, 17, 23, 15.5, '#4CC35C'),
        _ellipse(25, 12, 17, 7, '#FFFFFF', ' opacity="0.18"'),
        _path('M20 8.5L34 17 20 25.5z', '#FFFFFF',
              ' stroke="#FFFFFF" stroke-width="2" stroke-linejoin="round"'),
    ]))


def button_help_svg():
    return _navy(50, 35, ''.join([
        _ellipse(25, 18.5, 23, 15.5, '#C7861A'),
        _ellipse(25, 17, 23, 15.5, '#FFC93C'),
        _ellipse(25, 12, 17, 7, '#FFFFFF', ' opacity="0.2"'),
        _path('M19.5 12.5a5.5 5.5 0 1 1 8.2 4.8c-1.8 1-2.7 2-2.7 3.7v.8',
              'none', f' stroke="{NAVY}" stroke-width="3.4" '
              'stroke-linecap="round" stroke-linejoin="round"'),
        _circle(25, 26, 2.1, NAVY),
    ]))


def ball_svg():
    return _navy(16, 16, ''.join([
        _circle(8, 8, 7, '#FF6FA8'),
        _circle(8.8, 8.8, 5.6, '#F2508F', ' opacity="0.5"'),
        _circle(5.8, 5.6, 2, '#FFFFFF', ' opacity="0.75"'),
    ]))


def book_svg():
    return _navy(85, 85, ''.join([
        _path('M6 22c12-4 26-3 36.5 4 10.5-7 24.5-8 36.5-4v46'
              'c-12-4-26-3-36.5 4-10.5-7-24.5-8-36.5-4z', '#E23C3C'),
        _path('M9 19c11-4 23-3 33.5 5v44c-10.5-7-22.5-8-33.5-5z', '#FFFFFF'),
        _path('M76 19c-11-4-23-3-33.5 5v44c10.5-7 22.5-8 33.5-5z', '#F1F4F8'),
        _path('M42.5 24v44', 'none',
              ' stroke="#C9D2DC" stroke-width="1.5"'),
        # Pictures instead of lines of print: a sun and a little tree.
        _circle(25.5, 36, 7, '#FFC93C'),
        _path('M14 58c6-5 18-5 24 0', 'none',
              f' stroke="{GREEN}" stroke-width="3" stroke-linecap="round"'),
        _path('M59.5 33l9 15h-18z', GREEN),
        _rect(57.8, 48, 3.4, 7, BROWN),
        _path('M50 60c6-3 14-3 20 0', 'none',
              ' stroke="#5DADEC" stroke-width="3" stroke-linecap="round"'),
    ]))


# --- Icon: a little bird sitting in its nest -------------------------------

ICON_SVG = ''.join([
    '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
    'viewBox="0 0 64 64">',
    _circle(32, 32, 31, '#BFE6FA'),
    _circle(32, 32, 31, 'none', ' stroke="#8CCFEF" stroke-width="2"'),
    # The bird.
    _circle(32, 30, 15, '#FFCC4D'),
    _path('M29 16c-2-4 0-7 3-7-1 2-1 4 0 6zM32 15.5c0-4 3-6 6-5-2 1-3 3-3 5z',
          '#F4A81D'),                                           # head feathers
    _ellipse(25, 34, 8, 5.5, '#F4A81D', ' transform="rotate(-20 25 34)"'),
    _circle(37, 26, 3.3, INK),
    _circle(36, 24.9, 1.2, '#FFFFFF'),
    _path('M45 27l9 3-9 4z', '#F4900C',
          ' stroke="#F4900C" stroke-width="1.5" stroke-linejoin="round"'),
    _ellipse(40.5, 33, 2.6, 1.7, '#FF8C9A', ' opacity="0.7"'),
    # The nest in front of it.
    _path('M8 38c0 12 11 19 24 19s24-7 24-19z', BROWN),
    _path('M8 38h48', 'none',
          f' stroke="{BROWN_M}" stroke-width="5" stroke-linecap="round"'),
    _path('M13 45c8 3 18 3 26-1M22 51c7 1 15 0 22-4M16 42l9 6M46 42l-8 8',
          'none', f' stroke="{BROWN_L}" stroke-width="1.6" '
          'stroke-linecap="round"'),
    '</svg>',
])
