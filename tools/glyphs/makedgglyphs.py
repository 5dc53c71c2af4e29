#!/usr/bin/env python3
"""Writes the DG 410/412 glyph sets from the drawings below.

Output (committed; run with --check to compare instead of writing):
  terminal/emulations/dg/dgglyphs.cpp  the bitmaps of glyph sets 1, 2 and 3 and the
                                       character each glyph copies as

Each glyph is 8 pixels wide and 16 rows high, one byte a row from the top, the most
significant bit the leftmost pixel; a set bit is ink. Set 1 (0x20-0x42) is the line
drawing set, set 2 (0x20-0x7F) the mathematical and word-processing set, set 3
(0x20-0x5F) the block mosaics: character - 0x20 names its six blocks.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "common"))
sys.path.insert(0, HERE)
from generated import write_or_check  # noqa: E402
from makeglyphs import Glyph, box, BOX_ARMS  # noqa: E402,F401

ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
W, H = 8, 16


def empty():
    return Glyph(W, H)


def art(*lines, top=None):
    """A drawing in rows of '#' (ink) and '.', placed centred vertically unless `top`."""
    g = empty()
    y0 = top if top is not None else (H - len(lines)) // 2
    for dy, line in enumerate(lines):
        for x, c in enumerate(line):
            if c == "#":
                g.set(x, y0 + dy)
    return g


def rows_of(g):
    return [sum(1 << (7 - x) for x in range(W) if g.px[y][x]) for y in range(H)]


# --- Set 1: line drawing --------------------------------------------------------------
# The single-line pieces at the codes the terminal description's alternate characters
# name, their double-line forms after them, then shades and blocks.
SET1 = {
    0x21: 0x250C, 0x22: 0x2510, 0x23: 0x2514, 0x24: 0x2518, 0x25: 0x252C, 0x26: 0x2524,
    0x27: 0x251C, 0x28: 0x2534, 0x29: 0x253C, 0x2A: 0x2502, 0x2B: 0x2500,
    0x2C: 0x2554, 0x2D: 0x2557, 0x2E: 0x255A, 0x2F: 0x255D, 0x30: 0x2566, 0x31: 0x2563,
    0x32: 0x2560, 0x33: 0x2569, 0x34: 0x256C, 0x35: 0x2551, 0x36: 0x2550,
    0x37: 0x2591, 0x38: 0x2592, 0x39: 0x2593, 0x3A: 0x2588, 0x3B: 0x2580, 0x3C: 0x2584,
    0x42: 0x2022,
}


def set1_glyph(code):
    u = SET1.get(code)
    if u is None:
        return empty()
    if u in BOX_ARMS:
        return box(BOX_ARMS[u], W, H)
    g = empty()
    if u == 0x2591:
        return g.where(lambda x, y: (x + 2 * y) % 4 == 0)
    if u == 0x2592:
        return g.where(lambda x, y: (x + y) % 2 == 0)
    if u == 0x2593:
        return g.where(lambda x, y: (x + 2 * y) % 4 != 0)
    if u == 0x2588:
        return g.fill(0, 0, W - 1, H - 1)
    if u == 0x2580:
        return g.fill(0, 0, W - 1, H // 2 - 1)
    if u == 0x2584:
        return g.fill(0, H // 2, W - 1, H - 1)
    if u == 0x2022:
        return art("..##..", ".####.", ".####.", "..##..", top=6)
    return g


# --- Set 2: mathematics and word processing ---------------------------------------------
# The codes the font draws (Greek, f-hook, partial, not-equal, double exclamation, pilcrow)
# keep no bitmap; the others are drawn here.
SYMBOLS = {
    0x21: (0x2264, ["....##..", "..##....", "##......", "..##....", "....##..", "........", "######.."]),
    0x22: (0x2265, ["##......", "..##....", "....##..", "..##....", "##......", "........", "######.."]),
    0x23: (0x00B1, ["...#....", "...#....", "#######.", "...#....", "...#....", "........", "#######."]),
    0x24: (0x221E, [".##.##..", "#..#..#.", "#..#..#.", ".##.##.."]),
    0x26: (0x221A, ["....####", "....#...", "....#...", "#...#...", ".#.#....", "..##....", "...#...."]),
    0x28: (0x222B, ["....##..", "...#..#.", "...#....", "...#....", "...#....", "...#....", "...#....",
                    "...#....", "#..#....", ".##....."]),
    0x29: (0x2211, ["#######.", "#.......", ".#......", "..#.....", ".#......", "#.......", "#######."]),
    0x2A: (0x220F, ["#######.", ".#...#..", ".#...#..", ".#...#..", ".#...#..", ".#...#..", "###.###."]),
    0x2B: (0x00F7, ["...#....", "........", "#######.", "........", "...#...."]),
    0x2C: (0x2248, [".##...#.", "#..###..", "........", ".##...#.", "#..###.."]),
    0x2D: (0x2261, ["#######.", "........", "#######.", "........", "#######."]),
    0x2E: (0x221D, [".##..##.", "#..##...", "#..##...", ".##..##."]),
    0x2F: (0x2234, ["...#....", "........", "........", "#.....#."]),
    0x30: (0x00B0, ["..##....", ".#..#...", ".#..#...", "..##...."], 1),
    0x31: (0x2192, ["....#...", ".....#..", "#######.", ".....#..", "....#..."]),
    0x32: (0x2190, ["..#.....", ".#......", "#######.", ".#......", "..#....."]),
    0x33: (0x2191, ["...#....", "..###...", ".#.#.#..", "...#....", "...#....", "...#....", "...#...."]),
    0x34: (0x2193, ["...#....", "...#....", "...#....", "...#....", ".#.#.#..", "..###...", "...#...."]),
    0x35: (0x2194, ["..#...#.", ".#.....#", "########", ".#.....#", "..#...#."]),
    0x36: (0x2207, ["#######.", "#.....#.", ".#...#..", ".#...#..", "..#.#...", "..#.#...", "...#...."]),
    0x37: (0x2208, ["..#####.", ".#......", "#.......", "######..", "#.......", ".#......", "..#####."]),
    0x38: (0x2229, ["..###...", ".#...#..", "#.....#.", "#.....#.", "#.....#.", "#.....#."]),
    0x39: (0x222A, ["#.....#.", "#.....#.", "#.....#.", "#.....#.", ".#...#..", "..###..."]),
    0x3B: (0x2282, ["..#####.", ".#......", "#.......", "#.......", ".#......", "..#####."]),
    0x3C: (0x2283, ["#####...", ".....#..", "......#.", "......#.", ".....#..", "#####..."]),
    0x3D: (0x2227, ["...#....", "..#.#...", "..#.#...", ".#...#..", ".#...#..", "#.....#."]),
    0x3E: (0x2228, ["#.....#.", ".#...#..", ".#...#..", "..#.#...", "..#.#...", "...#...."]),
    0x3F: (0x00AC, ["#######.", "......#.", "......#."]),
    0x7A: (0x2020, ["...#....", "...#....", "#######.", "...#....", "...#....", "...#....", "...#....",
                    "...#...."]),
    0x7B: (0x2021, ["...#....", "#######.", "...#....", "...#....", "...#....", "#######.", "...#...."]),
    0x7C: (0x00A7, ["..####..", ".#......", "..###...", ".#...#..", "..###...", ".....#..", ".####..."]),
    0x7D: (0x2022, ["..##....", ".####...", ".####...", "..##...."]),
    0x7E: (0x2026, ["#..#..#."], 12),
}

# Digits and signs of 3 x 5 pixels for the raised and lowered characters.
SMALL = {
    "0": ["###", "#.#", "#.#", "#.#", "###"], "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"], "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"], "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"], "7": ["###", "..#", ".#.", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"], "9": ["###", "#.#", "###", "..#", "###"],
    "+": ["...", ".#.", "###", ".#.", "..."], "-": ["...", "...", "###", "...", "..."],
    "(": [".#.", "#..", "#..", "#..", ".#."], ")": [".#.", "..#", "..#", "..#", ".#."],
    "n": ["...", "##.", "#.#", "#.#", "#.#"],
}
SUPERSCRIPTS = [0x2070, 0x00B9, 0x00B2, 0x00B3, 0x2074, 0x2075, 0x2076, 0x2077, 0x2078, 0x2079]
# 0x5C-0x65 raised digits, 0x66-0x6F lowered digits, then raised and lowered signs.
RAISED_LOWERED = {}
for i in range(10):
    RAISED_LOWERED[0x5C + i] = (SUPERSCRIPTS[i], str(i), True)
    RAISED_LOWERED[0x66 + i] = (0x2080 + i, str(i), False)
for code, (u, ch, up) in {0x70: (0x207A, "+", True), 0x71: (0x207B, "-", True), 0x72: (0x208A, "+", False),
                          0x73: (0x208B, "-", False), 0x74: (0x207D, "(", True), 0x75: (0x207E, ")", True),
                          0x76: (0x208D, "(", False), 0x77: (0x208E, ")", False),
                          0x78: (0x207F, "n", True)}.items():
    RAISED_LOWERED[code] = (u, ch, up)
SET2_FONT = {0x25, 0x27, 0x3A, 0x40} | set(range(0x41, 0x5C))


def set2_entry(code):
    """(bitmap, character it copies as)."""
    if code in SYMBOLS:
        entry = SYMBOLS[code]
        return art(*entry[1], top=entry[2] if len(entry) > 2 else None), entry[0]
    if code in RAISED_LOWERED:
        u, ch, up = RAISED_LOWERED[code]
        drawing = ["." + row for row in SMALL[ch]]
        return art(*drawing, top=2 if up else 9), u
    if code == 0x79:  # per mille
        return art("##...#..", "##..#...", "...#....", "..#.....", ".#.#.#..", "#..#.#.."), 0x2030
    return empty(), 0x20 if code == 0x20 else code


# --- Set 3: block mosaics ----------------------------------------------------------------
# Character - 0x20 is six bits: bit 0 the top-left block, 1 top-right, 2 middle-left,
# 3 middle-right, 4 bottom-left, 5 bottom-right. The three bands are 5, 6 and 5 rows.
BANDS = [(0, 4), (5, 10), (11, 15)]


def set3_glyph(code):
    bits = code - 0x20
    g = empty()
    for band, (y0, y1) in enumerate(BANDS):
        if bits & (1 << (2 * band)):
            g.fill(0, y0, 3, y1)
        if bits & (1 << (2 * band + 1)):
            g.fill(4, y0, 7, y1)
    return g


def set3_text(code):
    bits = code - 0x20
    if bits == 0:
        return 0x20
    if bits == 63:
        return 0x2588
    return 0x2592  # no single character shows a mosaic: a shade stands in for it


def render():
    sets = []
    for first, last, make in ((0x20, 0x42, lambda c: (set1_glyph(c), SET1.get(c, 0x20 if c == 0x20 else c))),
                              (0x20, 0x7F, set2_entry),
                              (0x20, 0x5F, lambda c: (set3_glyph(c), set3_text(c)))):
        sets.append([make(c) for c in range(first, last + 1)])
    out = ["// Generated by tools/glyphs/makedgglyphs.py; do not edit.",
           '#include "terminal/emulations/dg/dgglyphs.h"', "", "namespace {", "", "// clang-format off"]
    names = ["kSet1", "kSet2", "kSet3"]
    for name, glyphs in zip(names, sets):
        out.append("constexpr u8 %sRows[%d][16] = {" % (name, len(glyphs)))
        for g, _ in glyphs:
            out.append("    {" + ", ".join("0x%02X" % r for r in rows_of(g)) + "},")
        out.append("};")
        out.append("constexpr u16 %sText[%d] = {" % (name, len(glyphs)))
        texts = ["0x%04X" % (u if code != 0x7F else 0x2592) for code, (_, u) in enumerate(glyphs, 0x20)]
        for i in range(0, len(texts), 12):
            out.append("    " + ", ".join(texts[i:i + 12]) + ",")
        out.append("};")
    out += ["// clang-format on", "", "}  // namespace", "",
            "const u8* DgGlyphRows(int glyphSet, u8 ch)",
            "{",
            "    const int i = ch - 0x20;",
            "    switch (glyphSet) {",
            "    case 1: return i >= 0 && i < 35 ? kSet1Rows[i] : nullptr;",
            "    case 2: return i >= 0 && i < 96 ? kSet2Rows[i] : nullptr;",
            "    case 3: return i >= 0 && i < 64 ? kSet3Rows[i] : nullptr;",
            "    default: return nullptr;",
            "    }",
            "}", "",
            "u16 DgGlyphText(int glyphSet, u8 ch)",
            "{",
            "    const int i = ch - 0x20;",
            "    switch (glyphSet) {",
            "    case 1: return i >= 0 && i < 35 ? kSet1Text[i] : u16{' '};",
            "    case 2: return i >= 0 && i < 96 ? kSet2Text[i] : u16{' '};",
            "    case 3: return i >= 0 && i < 64 ? kSet3Text[i] : u16{' '};",
            "    default: return ch;",
            "    }",
            "}", ""]
    return "\n".join(out)


def main():
    path = os.path.join(ROOT, "terminal", "emulations", "dg", "dgglyphs.cpp")
    return write_or_check({path: render().encode()}, "tools/glyphs/makedgglyphs.py")


if __name__ == "__main__":
    sys.exit(main())
