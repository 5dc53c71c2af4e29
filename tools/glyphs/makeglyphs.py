#!/usr/bin/env python3
"""Writes the terminal's glyph resources from the drawings described below.

Outputs (all committed; run with --check to compare instead of writing):
  terminal/core/paint/glyphs.rc              RCDATA 800 801 802 803 804 805 806 807 808
  terminal/core/paint/bitmapglyphs.cpp       the character each glyph-set-6 code stands for
  terminal/core/window/status/bitmaps/*.bmp  the status bar's connection indicator, one per
                                             state

Glyph rows are 16-bit words. Resources 800, 801, 803 and 804 keep the pixels in bitmap
order (the first byte holds the leftmost eight pixels, most significant bit first);
805 keeps them in word order (bit 15 is the leftmost pixel) and is byte-swapped when
drawn. A set bit is ink. A map entry is the character the terminal font draws in the
glyph's place, or 0xFFFF to draw the bitmap; glyphs the font draws keep an empty bitmap.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from generated import write_or_check  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BITMAP = 0xFFFF


class Glyph:
    def __init__(self, width, height):
        self.w, self.h = width, height
        self.px = [[False] * width for _ in range(height)]

    def set(self, x, y):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = True

    def hline(self, x0, x1, y):
        for x in range(min(x0, x1), max(x0, x1) + 1):
            self.set(x, y)

    def vline(self, x, y0, y1):
        for y in range(min(y0, y1), max(y0, y1) + 1):
            self.set(x, y)

    def line(self, x0, y0, x1, y1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def strokes(self, *points_lists, thick=False):
        """Lines through the points; thick lines are two pixels wide (steep segments
        widened to the right, flat ones downwards), so that no stroke is lost when a
        glyph is drawn into a cell narrower or lower than itself."""
        for pts in points_lists:
            for (a, b) in zip(pts, pts[1:]):
                self.line(a[0], a[1], b[0], b[1])
                if thick:
                    steep = abs(b[1] - a[1]) >= abs(b[0] - a[0])
                    dx, dy = (1, 0) if steep else (0, 1)
                    self.line(a[0] + dx, a[1] + dy, b[0] + dx, b[1] + dy)
        return self

    def fill(self, x0, y0, x1, y1):
        for y in range(y0, y1 + 1):
            self.hline(x0, x1, y)
        return self

    def where(self, predicate):
        for y in range(self.h):
            for x in range(self.w):
                if predicate(x, y):
                    self.set(x, y)
        return self

    def rows(self):
        return [sum(1 << (15 - x) for x in range(self.w) if self.px[y][x]) for y in range(self.h)]


# --- Box drawing in a 9 x 17 cell -------------------------------------------------------
# Each character is its four arms (up, right, down, left): 0 none, 1 single, 2 double.
# Single lines run through the centre (column 4, row 8); double lines two pixels either
# side of it, so that neighbouring cells join.
BOX_ARMS = {
    0x2500: (0, 1, 0, 1), 0x2502: (1, 0, 1, 0), 0x250C: (0, 1, 1, 0), 0x2510: (0, 0, 1, 1),
    0x2514: (1, 1, 0, 0), 0x2518: (1, 0, 0, 1), 0x251C: (1, 1, 1, 0), 0x2524: (1, 0, 1, 1),
    0x252C: (0, 1, 1, 1), 0x2534: (1, 1, 0, 1), 0x253C: (1, 1, 1, 1),
    0x2550: (0, 2, 0, 2), 0x2551: (2, 0, 2, 0), 0x2552: (0, 2, 1, 0), 0x2553: (0, 1, 2, 0),
    0x2554: (0, 2, 2, 0), 0x2555: (0, 0, 1, 2), 0x2556: (0, 0, 2, 1), 0x2557: (0, 0, 2, 2),
    0x2558: (1, 2, 0, 0), 0x2559: (2, 1, 0, 0), 0x255A: (2, 2, 0, 0), 0x255B: (1, 0, 0, 2),
    0x255C: (2, 0, 0, 1), 0x255D: (2, 0, 0, 2), 0x255E: (1, 2, 1, 0), 0x255F: (2, 1, 2, 0),
    0x2560: (2, 2, 2, 0), 0x2561: (1, 0, 1, 2), 0x2562: (2, 0, 2, 1), 0x2563: (2, 0, 2, 2),
    0x2564: (0, 2, 1, 2), 0x2565: (0, 1, 2, 1), 0x2566: (0, 2, 2, 2), 0x2567: (1, 2, 0, 2),
    0x2568: (2, 1, 0, 1), 0x2569: (2, 2, 0, 2), 0x256A: (1, 2, 1, 2), 0x256B: (2, 1, 2, 1),
    0x256C: (2, 2, 2, 2),
}


def box(arms, w=9, h=17):
    up, right, down, left = arms
    g = Glyph(w, h)
    cx, cy = w // 2, h // 2
    ix0, ix1, iy0, iy1 = cx - 2, cx + 2, cy - 2, cy + 2  # the double lines
    hkind, vkind = max(left, right), max(up, down)

    # Horizontal arms.
    for arm, sign in ((left, -1), (right, 1)):
        edge = 0 if sign < 0 else w - 1
        if arm == 1:
            if left and right:
                end = cx
            elif up == 2 and down == 2:
                end = ix0 if sign < 0 else ix1
            elif vkind == 2:
                end = ix1 if sign < 0 else ix0
            else:
                end = cx
            g.hline(edge, end, cy)
        elif arm == 2:
            for y, side in ((iy0, up), (iy1, down)):
                if side == 2:
                    end = ix0 if sign < 0 else ix1
                elif vkind == 2:
                    end = ix1 if sign < 0 else ix0
                else:
                    end = cx
                g.hline(edge, end, y)
    # Vertical arms.
    for arm, sign in ((up, -1), (down, 1)):
        edge = 0 if sign < 0 else h - 1
        if arm == 1:
            if up and down:
                end = cy
            elif left == 2 and right == 2:
                end = iy0 if sign < 0 else iy1
            elif hkind == 2:
                end = iy1 if sign < 0 else iy0
            else:
                end = cy
            g.vline(cx, edge, end)
        elif arm == 2:
            for x, side in ((ix0, left), (ix1, right)):
                if side == 2:
                    end = iy0 if sign < 0 else iy1
                elif hkind == 2:
                    end = iy1 if sign < 0 else iy0
                else:
                    end = cy
                g.vline(x, edge, end)
    return g


def shade(level, w=9, h=17):
    """Light, medium and dark shades; the medium shade is a checkerboard."""
    light = lambda x, y: (y % 4 == 0 and x % 2 == 0) or (y % 4 == 2 and x % 2 == 1)
    if level == 1:
        return Glyph(w, h).where(light)
    if level == 2:
        return Glyph(w, h).where(lambda x, y: (x + y) % 2 == 0)
    return Glyph(w, h).where(lambda x, y: not light(x, y))


def block(ch, w=9, h=17):
    half_h, half_w = h // 2, w // 2
    g = Glyph(w, h)
    if ch == 0x2588:
        return g.fill(0, 0, w - 1, h - 1)
    if ch == 0x2580:
        return g.fill(0, 0, w - 1, half_h)
    if ch == 0x2584:
        return g.fill(0, half_h + 1, w - 1, h - 1)
    if ch == 0x258C:
        return g.fill(0, 0, half_w, h - 1)
    if ch == 0x2590:
        return g.fill(half_w + 1, 0, w - 1, h - 1)
    raise KeyError(ch)


def cell_graphic(ch, w=9, h=17):
    """A bitmap for a box, block or shade character, or None when the font draws it."""
    if ch in BOX_ARMS:
        return box(BOX_ARMS[ch], w, h)
    if ch in (0x2580, 0x2584, 0x2588, 0x258C, 0x2590):
        return block(ch, w, h)
    if ch in (0x2591, 0x2592, 0x2593):
        return shade(ch - 0x2590, w, h)
    if ch == 0x2320:  # top half integral: joins the bottom half below it
        return Glyph(w, h).strokes([(4, 16), (4, 4), (5, 2), (6, 1), (7, 1), (8, 2)])
    if ch == 0x2321:
        return Glyph(w, h).strokes([(4, 0), (4, 12), (3, 14), (2, 15), (1, 15), (0, 14)])
    return None


# --- A 3 x 5 letter font for the control pictures ----------------------------------------
TINY = {
    "A": ".#. #.# ### #.# #.#", "B": "##. #.# ##. #.# ##.", "C": ".## #.. #.. #.. .##",
    "D": "##. #.# #.# #.# ##.", "E": "### #.. ##. #.. ###", "F": "### #.. ##. #.. #..",
    "G": ".## #.. #.# #.# .##", "H": "#.# #.# ### #.# #.#", "I": "### .#. .#. .#. ###",
    "K": "#.# #.# ##. #.# #.#", "L": "#.. #.. #.. #.. ###", "M": "#.# ### ### #.# #.#",
    "N": "##. #.# #.# #.# #.#", "O": ".#. #.# #.# #.# .#.", "Q": ".#. #.# #.# #.# .##",
    "R": "##. #.# ##. #.# #.#", "S": ".## #.. .#. ..# ##.", "T": "### .#. .#. .#. .#.",
    "U": "#.# #.# #.# #.# ###", "V": "#.# #.# #.# #.# .#.", "X": "#.# #.# .#. #.# #.#",
    "Y": "#.# #.# .#. .#. .#.", "1": ".#. ##. .#. .#. ###", "2": "##. ..# .#. #.. ###",
    "3": "##. ..# .#. ..# ##.", "4": "#.# #.# ### ..# ..#",
}


def tiny(g, letter, x0, y0):
    for dy, row in enumerate(TINY[letter].split()):
        for dx, b in enumerate(row):
            if b == "#":
                g.set(x0 + dx, y0 + dy)


def picture(two_letters, w=9, h=17):
    """A control picture: the first letter high on the left, the second low on the right."""
    g = Glyph(w, h)
    tiny(g, two_letters[0], 1, 3)
    tiny(g, two_letters[1], 5, 9)
    return g


CONTROL_PICTURES = ["NU", "SH", "SX", "EX", "ET", "EQ", "AK", "BL", "BS", "HT", "LF", "VT", "FF",
                    "CR", "SO", "SI", "DL", "D1", "D2", "D3", "D4", "NK", "SY", "EB", "CN", "EM",
                    "SB", "EC", "FS", "GS", "RS", "US"]


def cp437(b):
    return ord(bytes([b]).decode("cp437"))


# --- Resource 800 / 807: line drawing, 146 glyphs of 9 x 17 --------------------------------
def dec_special(c):
    """DEC special graphics 95-126: (bitmap or None, map entry)."""
    scan = {111: 0, 112: 4, 113: 8, 114: 12, 115: 16}
    text = {95: 0x0020, 102: 0x00B0, 103: 0x00B1, 121: 0x2264, 122: 0x2265, 123: 0x03C0,
            124: 0x2260, 125: 0x00A3, 126: 0x00B7}
    boxes = {106: 0x2518, 107: 0x2510, 108: 0x250C, 109: 0x2514, 110: 0x253C, 116: 0x251C,
             117: 0x2524, 118: 0x2534, 119: 0x252C, 120: 0x2502}
    pictures = {98: "HT", 99: "FF", 100: "CR", 101: "LF", 104: "NL", 105: "VT"}
    if c in text:
        return None, text[c]
    if c in boxes:
        return box(BOX_ARMS[boxes[c]]), BITMAP
    if c in scan:
        g = Glyph(9, 17)
        g.hline(0, 8, scan[c])
        return g, BITMAP
    if c in pictures:
        return picture(pictures[c]), BITMAP
    if c == 96:  # diamond
        return Glyph(9, 17).where(lambda x, y: abs(x - 4) + abs(y - 8) <= 4), BITMAP
    if c == 97:  # checkerboard
        return shade(2), BITMAP
    raise KeyError(c)


def error_glyph_sub():
    """The substitute character: a reversed question mark."""
    return Glyph(9, 17).strokes([(6, 5), (5, 4), (3, 4), (2, 5), (2, 7), (3, 8), (4, 9), (4, 11)]) \
        .fill(4, 13, 4, 14)


def error_glyph_cancel():
    """The cancelled-sequence character: a crossed box."""
    g = Glyph(9, 17)
    g.hline(1, 7, 4), g.hline(1, 7, 12), g.vline(1, 4, 12), g.vline(7, 4, 12)
    return g.strokes([(1, 4), (7, 12)], [(7, 4), (1, 12)])


def line_drawing():
    glyphs = []
    for c in range(95, 127):
        g, m = dec_special(c)
        glyphs.append((g, m, "DEC %d" % c))
    for b in range(176, 255):
        u = cp437(b)
        g = cell_graphic(u)
        glyphs.append((g, BITMAP if g else u, "PC %d U+%04X" % (b, u)))
    glyphs.append((None, 0x2302, "PC 127 house"))
    glyphs.append((None, 0x20A7, "PC 158 peseta"))
    glyphs.append((None, 0x2310, "PC 169 reversed not"))
    glyphs.append((box(BOX_ARMS[0x2552]), BITMAP, "PC 213 bitmap form"))
    glyphs.append((Glyph(9, 17).strokes([(2, 5), (6, 8), (2, 11)]).strokes([(2, 13), (6, 13)]), 0x2265,
                   "PC 242 bitmap form"))
    glyphs.append((error_glyph_sub(), BITMAP, "error 132"))
    glyphs.append((error_glyph_cancel(), BITMAP, "error 133"))
    while len(glyphs) < 122:
        glyphs.append((None, 0x0020, "reserved"))
    # The IBM 3151 line-drawing set shows < = > ? as arrow heads.
    for code, arrow in zip("<=>?", (0x25BA, 0x25C4, 0x25B2, 0x25BC)):
        glyphs.append((None, arrow, "IBM 3151 %s" % code))
    while len(glyphs) < 146:
        glyphs.append((None, 0x0020, "reserved"))
    return glyphs


# --- Resource 801 / 806: the technical symbols 33-126, 10 x 20 -----------------------------
def technical():
    """The DEC technical character set. Pieces of large brackets, integrals, radicals and
    sums share the vertical stroke of columns 4-5 so that stacked cells join; their strokes
    are two pixels wide because the 10 x 20 glyphs often meet narrower cells."""
    G = lambda: Glyph(10, 20)
    T = lambda *points: G().strokes(*points, thick=True)
    pieces = {
        0x21: T([(0, 13), (1, 12), (3, 19), (4, 0)]),          # radical bottom
        0x22: T([(4, 19), (4, 1), (9, 1)]),                    # radical top
        0x23: T([(0, 1), (9, 1)]),                             # radical extension
        0x24: T([(4, 19), (4, 5), (5, 2), (7, 1), (8, 2)]),     # integral top
        0x25: T([(4, 0), (4, 14), (3, 17), (1, 18), (0, 17)]),  # integral bottom
        0x26: T([(4, 0), (4, 19)]),                            # vertical connector
        0x27: T([(4, 19), (4, 1), (8, 1)]),                    # left bracket top
        0x28: T([(4, 0), (4, 18), (8, 18)]),                   # left bracket bottom
        0x29: T([(0, 1), (4, 1), (4, 19)]),                    # right bracket top
        0x2A: T([(4, 0), (4, 18), (0, 18)]),                   # right bracket bottom
        0x2B: T([(8, 1), (6, 2), (5, 4), (4, 7), (4, 19)]),    # left parenthesis top
        0x2C: T([(4, 0), (4, 12), (5, 15), (6, 17), (8, 18)]), # left parenthesis bottom
        0x2D: T([(0, 1), (2, 2), (3, 4), (4, 7), (4, 19)]),    # right parenthesis top
        0x2E: T([(4, 0), (4, 12), (3, 15), (2, 17), (0, 18)]), # right parenthesis bottom
        0x2F: T([(4, 0), (4, 7), (1, 10), (4, 13), (4, 19)]),  # left brace middle
        0x30: T([(4, 0), (4, 7), (7, 10), (4, 13), (4, 19)]),  # right brace middle
        0x31: T([(9, 1), (1, 1), (9, 19)]),                    # sum top left
        0x32: T([(9, 0), (1, 18), (9, 18)]),                   # sum bottom left
        0x33: T([(0, 0), (9, 19)]),                            # sum top diagonal
        0x34: T([(9, 0), (0, 19)]),                            # sum bottom diagonal
        0x35: T([(0, 1), (6, 1), (7, 4)]),                     # sum top right
        0x36: T([(0, 18), (6, 18), (7, 15)]),                  # sum bottom right
        0x37: T([(0, 0), (5, 10), (0, 19)]),                   # sum right middle
    }
    drawn = {
        0x40: G().fill(4, 6, 5, 7).fill(1, 13, 2, 14).fill(7, 13, 8, 14),  # therefore
        0x41: G().strokes([(8, 7), (6, 7), (2, 13), (1, 12), (1, 8), (2, 7), (6, 13), (8, 13)]),  # proportional
        0x45: G().strokes([(1, 5), (8, 5), (5, 15), (4, 15), (1, 5)]),    # nabla
        0x48: G().strokes([(1, 11), (2, 9), (3, 9), (6, 11), (7, 11), (8, 9)]),  # tilde operator
        0x49: G().strokes([(1, 8), (2, 6), (3, 6), (6, 8), (7, 8), (8, 6)], [(1, 12), (8, 12)]),  # asymptotic
        0x4D: G().strokes([(3, 6), (0, 9), (3, 12)], [(6, 6), (9, 9), (6, 12)], [(1, 8), (8, 8)],
                          [(1, 10), (8, 10)]),                           # if and only if
        0x4E: G().strokes([(6, 6), (9, 9), (6, 12)], [(0, 8), (8, 8)], [(0, 10), (8, 10)]),  # implies
        0x5A: G().strokes([(8, 6), (3, 6), (1, 8), (1, 11), (3, 13), (8, 13)]),  # subset
        0x5B: G().strokes([(1, 6), (6, 6), (8, 8), (8, 11), (6, 13), (1, 13)]),  # superset
        0x5D: G().strokes([(1, 5), (1, 11), (3, 14), (6, 14), (8, 11), (8, 5)]),  # union
        0x5E: G().strokes([(1, 14), (4, 5), (5, 5), (8, 14)]),            # logical and
        0x5F: G().strokes([(1, 5), (4, 14), (5, 14), (8, 5)]),            # logical or
    }
    text = {
        0x3C: 0x2264, 0x3D: 0x2260, 0x3E: 0x2265, 0x3F: 0x222B, 0x42: 0x221E, 0x43: 0x00F7,
        0x44: 0x0394, 0x46: 0x03A6, 0x47: 0x0393, 0x4A: 0x0398, 0x4B: 0x00D7, 0x4C: 0x039B,
        0x4F: 0x2261, 0x50: 0x03A0, 0x51: 0x03A8, 0x53: 0x03A3, 0x56: 0x221A, 0x57: 0x03A9,
        0x58: 0x039E, 0x59: 0x03A5, 0x5C: 0x2229, 0x60: 0x00AC, 0x61: 0x03B1, 0x62: 0x03B2,
        0x63: 0x03C7, 0x64: 0x03B4, 0x65: 0x03B5, 0x66: 0x03C6, 0x67: 0x03B3, 0x68: 0x03B7,
        0x69: 0x03B9, 0x6A: 0x03B8, 0x6B: 0x03BA, 0x6C: 0x03BB, 0x6E: 0x03BD, 0x6F: 0x2202,
        0x70: 0x03C0, 0x71: 0x03C8, 0x72: 0x03C1, 0x73: 0x03C3, 0x74: 0x03C4, 0x76: 0x0192,
        0x77: 0x03C9, 0x78: 0x03BE, 0x79: 0x03C5, 0x7A: 0x03B6, 0x7B: 0x2190, 0x7C: 0x2191,
        0x7D: 0x2192, 0x7E: 0x2193,
    }
    glyphs = []
    for c in range(33, 127):
        if c in pieces:
            glyphs.append((pieces[c], BITMAP, "technical 0x%02X piece" % c))
        elif c in drawn:
            glyphs.append((drawn[c], BITMAP, "technical 0x%02X" % c))
        elif c in text:
            glyphs.append((None, text[c], "technical 0x%02X" % c))
        else:
            glyphs.append((None, 0x0020, "technical 0x%02X reserved" % c))
    return glyphs


# --- Resource 803: control pictures 0-31, 9 x 17 -------------------------------------------
def control_pictures():
    return [(picture(p), None, "control %d %s" % (i, p)) for i, p in enumerate(CONTROL_PICTURES)]


# --- Resource 804: the HP alternate (line-drawing) set, 65 glyphs of 9 x 17 ---------------
HP_ALTERNATE = [
    0x0020, 0x255F, 0x2562, 0x2564, 0x2567, 0x2551, 0x2551, 0x2564, 0x2567, 0x2551, 0x256B, 0x256A,
    0x2500, 0x2502, 0x2502, 0x253C, 0x256C, 0x2560, 0x2563, 0x2566, 0x2569, 0x251C, 0x2524, 0x252C,
    0x2534, 0x2550, 0x2551, 0x2550, 0x256B, 0x2502, 0x256A, 0x256C,
    0x255E, 0x255A, 0x2563, 0x2588, 0x258C, 0x2590, 0x2514, 0x2518, 0x2500, 0x2502, 0x2500, 0x2500,
    0x2500, 0x256C, 0x256C, 0x2502, 0x2502, 0x2554, 0x250C, 0x255D, 0x2510, 0x2524, 0x256C, 0x2557,
    0x2584, 0x2502, 0x2584, 0x2561, 0x2500, 0x2568, 0x2500, 0x2565,
]


def hp_alternate():
    glyphs = [(cell_graphic(u) or Glyph(9, 17), None, "HP U+%04X" % u) for u in HP_ALTERNATE]
    glyphs.append((Glyph(9, 17), None, "HP blank"))
    return glyphs


# --- Resources 805 / 808: glyph set 6, 243 glyphs of 9 x 17 -------------------------------
def bitmap_glyph_chars():
    """The character of each glyph-set-6 code. Codes 0-31 are the PC control symbols,
    32 is the blank, 33-111 are code page 437's 177-255 (code + 144), 112 its light
    shade 176, and the codes after that the remaining characters of code pages 437, 850
    and 852 that Latin-1 lacks, in code-page order."""
    controls = [0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x25CF, 0x25D8, 0x25CB,
                0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C, 0x25BA, 0x25C4, 0x2195, 0x203C,
                0x00B6, 0x00A7, 0x2584, 0x21A8, 0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194,
                0x25B2, 0x25BC]
    chars = controls + [0x0020] + [cp437(b) for b in range(177, 256)] + [cp437(176)]
    for cp in ("cp437", "cp850", "cp852"):
        for b in range(127, 256):
            u = ord(bytes([b]).decode(cp)) if b != 127 else 0x2302
            if u > 0xFF and u not in chars:
                chars.append(u)
    assert len(chars) <= 243, len(chars)
    return chars + [0x0020] * (243 - len(chars))


def bitmap_glyphs():
    glyphs = []
    for code, u in enumerate(bitmap_glyph_chars()):
        g = cell_graphic(u)
        glyphs.append((g, BITMAP if g else u, "code %d U+%04X" % (code, u)))
    return glyphs


# --- Resource 802: the IBM host symbols, 256 glyphs of 9 x 17 --------------------------------
# Indexed by the byte of a display cell: the 3270 DUP, field mark and substitute
# characters, the macro slot marks, the operator information area's pictures, and the
# box-drawing characters of the APL2 set that hosts write with a graphic escape.
def _boxed(letter):
    g = Glyph(9, 17)
    g.fill(0, 3, 8, 3).fill(0, 13, 8, 13).fill(0, 3, 0, 13).fill(8, 3, 8, 13)
    tiny(g, letter, 3, 6)
    return g


def _arrow(left):
    g = Glyph(9, 17).fill(1, 8, 7, 8)
    tip, back = (1, 1) if left else (7, -1)
    for k in range(1, 4):
        g.set(tip + back * k, 8 - k)
        g.set(tip + back * k, 8 + k)
    return g


def _slot_mark(kind):
    g = Glyph(9, 17).fill(1, 4, 7, 4).fill(1, 12, 7, 12).fill(1, 4, 1, 12).fill(7, 4, 7, 12)
    if kind & 1:
        g.fill(2, 9, 6, 11)
    if kind & 2:
        g.fill(2, 5, 6, 7)
    return g


def _dup():
    g = Glyph(9, 17).fill(1, 2, 7, 2)
    g.strokes([(4, 6), (4, 12)], [(1, 7), (7, 11)], [(7, 7), (1, 11)])
    return g


def _field_mark():
    g = Glyph(9, 17).fill(1, 2, 7, 2)
    g.fill(3, 6, 5, 7).fill(3, 10, 5, 11).strokes([(5, 11), (3, 14)])
    return g


# The APL2 positions of the box-drawing characters.
APL2_BOX = {0x85: 0x2502, 0xA2: 0x2500, 0xC4: 0x2514, 0xC5: 0x250C, 0xC6: 0x251C, 0xC7: 0x2534,
            0xD3: 0x253C, 0xD4: 0x2518, 0xD5: 0x2510, 0xD6: 0x2524, 0xD7: 0x252C}


def ibm_symbols():
    glyphs = [(Glyph(9, 17), "blank")] * 256
    named = {
        0x00: (_dup(), "DUP"),
        0x01: (_field_mark(), "field mark"),
        0x02: (Glyph(9, 17).fill(1, 4, 7, 12), "substitute"),
        0x16: (_slot_mark(0), "slot mark: empty"),
        0x17: (_slot_mark(1), "slot mark: first"),
        0x18: (_slot_mark(2), "slot mark: second"),
        0x19: (_slot_mark(3), "slot mark: both"),
        0x21: (Glyph(9, 17).fill(4, 3, 4, 10).fill(4, 12, 4, 13), "exclamation"),
        0x23: (Glyph(9, 17).strokes([(1, 12), (4, 5), (7, 12)], thick=True), "insert"),
        0x27: (Glyph(9, 17).strokes([(6, 4), (2, 8), (6, 12)]), "left angle"),
        0x28: (_arrow(False), "right arrow"),
        0x29: (Glyph(9, 17).strokes([(2, 4), (6, 8), (2, 12)]), "right angle"),
        0x2B: (Glyph(9, 17).fill(3, 3, 5, 5).fill(4, 6, 4, 10).fill(2, 7, 6, 7)
               .strokes([(4, 10), (2, 14)], [(4, 10), (6, 14)]), "operator"),
        0x2E: (_boxed("4"), "boxed 4: NVT"),
        0x2F: (_boxed("B"), "boxed B: 3270"),
        0x31: (Glyph(9, 17).strokes([(2, 5), (3, 3), (5, 3), (6, 5), (4, 8), (4, 10)]).fill(4, 12, 4, 12),
               "question"),
        0x34: (Glyph(9, 17).strokes([(6, 3), (3, 6), (3, 10), (6, 13)]), "clock left"),
        0x35: (Glyph(9, 17).strokes([(2, 3), (5, 6), (5, 10), (2, 13)]).fill(0, 8, 4, 8), "clock right"),
        0x36: (Glyph(9, 17).strokes([(1, 3), (7, 13)], [(7, 3), (1, 13)], thick=True), "inhibit X"),
        0x38: (_arrow(True), "left arrow"),
        0x3F: (_boxed("S"), "boxed S: SSCP-LU"),
    }
    glyphs = list(glyphs)
    for code, (g, name) in named.items():
        glyphs[code] = (g, name)
    for code, u in APL2_BOX.items():
        glyphs[code] = (box(BOX_ARMS[u]), "APL2 U+%04X" % u)
    return [(g, None, "%d %s" % (i, name)) for i, (g, name) in enumerate(glyphs)]


# --- Output -------------------------------------------------------------------------------
def words_of(glyphs, w, h, swapped):
    out = []
    for g, _, name in glyphs:
        rows = (g or Glyph(w, h)).rows()
        assert len(rows) == h and (g is None or (g.w, g.h) == (w, h)), name
        if not swapped:  # bitmap order: the high byte of the row comes first in memory
            rows = [((r >> 8) & 0xFF) | ((r & 0xFF) << 8) for r in rows]
        out.append((rows, name))
    return out


def rcdata(rid, title, entries):
    lines = ["// %s" % title, "%d RCDATA" % rid, "BEGIN"]
    for i, (words, name) in enumerate(entries):
        comma = "," if i + 1 < len(entries) else ""
        lines.append("    " + ", ".join("0x%04X" % v for v in words) + comma + "  // %d %s" % (i, name))
    lines.append("END")
    return "\n".join(lines)


def maps(glyphs):
    return [([m], name) for _, m, name in glyphs]


def render_rc():
    ld, tech, ctl, hp, bm = line_drawing(), technical(), control_pictures(), hp_alternate(), bitmap_glyphs()
    assert (len(ld), len(tech), len(ctl), len(hp), len(bm)) == (146, 94, 32, 65, 243)
    parts = [
        "// Generated by tools/glyphs/makeglyphs.py from its drawings; do not edit.",
        rcdata(800, "Line-drawing glyphs, 9 x 17, bitmap order", words_of(ld, 9, 17, False)),
        rcdata(807, "Line-drawing map: the character the font draws, or 0xFFFF", maps(ld)),
        rcdata(801, "Technical symbols 33-126, 10 x 20, bitmap order", words_of(tech, 10, 20, False)),
        rcdata(806, "Technical symbol map", maps(tech)),
        rcdata(802, "IBM host symbols 0-255, 9 x 17, bitmap order", words_of(ibm_symbols(), 9, 17, False)),
        rcdata(803, "Control pictures 0-31, 9 x 17, bitmap order", words_of(ctl, 9, 17, False)),
        rcdata(804, "HP alternate set, 9 x 17, bitmap order", words_of(hp, 9, 17, False)),
        rcdata(805, "Glyph set 6, 9 x 17 in 16-pixel rows, word order", words_of(bm, 9, 17, True)),
        rcdata(808, "Glyph set 6 map", maps(bm)),
    ]
    return "\n\n".join(parts) + "\n"


def render_cpp():
    chars = bitmap_glyph_chars()
    lines = ["// Generated by tools/glyphs/makeglyphs.py; do not edit.",
             '#include "terminal/core/paint/glyphs.h"', "",
             "const u16 kBitmapGlyphChars[kBitmapGlyphCount] = {"]
    for i in range(0, len(chars), 8):
        lines.append("    " + " ".join("0x%04X," % c for c in chars[i:i + 8]) + "  // %d" % i)
    lines.append("};")
    return "\n".join(lines) + "\n"


# --- The connection indicator: a plug socket on the button face, one colour per state ----
INDICATORS = {
    "offline": (128, 128, 128),
    "idle": (0, 128, 0),
    "active": (0, 224, 0),
    "connecting": (224, 176, 0),
}


def indicator_bmp(colour):
    """A 16 x 16 24-bit bitmap: a round socket with two pins in the state's colour."""
    size, face = 16, (192, 192, 192)
    ring = Glyph(size, size).where(lambda x, y: 20 <= (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 56)
    disc = Glyph(size, size).where(lambda x, y: (x - 7.5) ** 2 + (y - 7.5) ** 2 < 20)
    pins = Glyph(size, size).fill(5, 5, 5, 10).fill(10, 5, 10, 10)
    rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        for x in range(size):
            if pins.px[y][x]:
                c = (0, 0, 0)
            elif ring.px[y][x] or disc.px[y][x]:
                c = colour if disc.px[y][x] else tuple(v // 2 for v in colour)
            else:
                c = face
            row += bytes((c[2], c[1], c[0]))
        rows.append(row)
    pixels = b"".join(rows)
    header = b"BM" + (54 + len(pixels)).to_bytes(4, "little") + bytes(4) + (54).to_bytes(4, "little")
    info = (40).to_bytes(4, "little") + size.to_bytes(4, "little") + size.to_bytes(4, "little") + \
        (1).to_bytes(2, "little") + (24).to_bytes(2, "little") + bytes(4) + len(pixels).to_bytes(4, "little") + \
        bytes(16)
    return header + info + pixels


def main():
    bitmaps = {os.path.join(ROOT, "terminal", "core", "window", "status", "bitmaps", name + ".bmp"): indicator_bmp(colour)
               for name, colour in INDICATORS.items()}
    outputs = {
        os.path.join(ROOT, "terminal", "core", "paint", "glyphs.rc"): render_rc(),
        os.path.join(ROOT, "terminal", "core", "paint", "bitmapglyphs.cpp"): render_cpp(),
    }
    outputs = {p: text.encode() for p, text in outputs.items()}
    outputs.update(bitmaps)
    return write_or_check(outputs, "tools/glyphs/makeglyphs.py")


if __name__ == "__main__":
    sys.exit(main())
