"""The DEC emulation beside python3-pyte: generated streams over their common subset
(text, C0 controls, cursor moves, ED/EL/ICH/DCH/IL/DL/ECH, DECSTBM, IND/RI/NEL,
DECSC/DECRC, DECAWM/DECOM/IRM, basic SGR, DEC graphics with SI/SO, tab stops) must
leave the same characters, renditions, colours and cursor in both.

While it generates, the test feeds pyte step by step and asks it where its cursor and
margins are, so that it can leave out the steps where the two models deliberately
differ. The deliberate differences:

1. Vertical moves outside the scroll region. pyte clamps CUU, CUD, IND, LF, NEL and RI
   to the region's margins even when the cursor is above or below the region (it jumps
   into it); a DEC terminal moves such a cursor to the screen's edge and scrolls only
   inside the region. Those steps are not sent while the cursor is outside the region.
   IL and DL outside the region likewise (pyte ignores them), and text that would wrap
   below the region (the wrap is such a line feed).
2. The cursor past the last column. pyte keeps it one column beyond the line after a
   character was written in the last column; here it stays on the last column with the
   pending-wrap flag set (compared as such). In that state the two models part: BS and
   CUB move one column left of the last column here and to the last column in pyte;
   vertical moves, erasing, inserting, deleting and DECSC clear the flag here and leave
   pyte's cursor beyond the line (where its ICH and DCH do nothing). In that state only
   text, CR, CUP and the mode, rendition and character-set changes are sent.
3. Blank cells made by erasing, inserting or deleting. Here they take the current
   colours without renditions; pyte gives erased cells every attribute of the cursor and
   inserted or deleted ones none. Blank cells are compared by their character only.
4. A colour selected while reverse video is on goes to the other side of the cell here
   (the cell keeps its reverse flag and the painter swaps the sides); pyte stores it on
   the side named. Colours are not selected while reverse is on.
5. DECSC and DECRC. pyte keeps a stack of saved cursors and restores origin and wrap
   modes only when they were set; here one saved cursor restores origin mode both ways
   and leaves autowrap alone; pyte also pulls a restored cursor into the scroll region.
   One DECRC follows each DECSC, neither origin mode, autowrap nor the margins change
   in between, and DECRC is sent only when the saved cursor lies inside the region.
6. Origin mode with a position outside the region. pyte ignores such a CUP; here it is
   clamped to the region. Positions inside the region only while origin mode is on, and
   origin mode only while margins are set (pyte has no region to be relative to
   otherwise).
7. SGR 2 (dim), 5 and 25 (blink) and 8 (invisible) are left out: pyte keeps none of
   them.
8. CSI r without parameters keeps pyte's old bottom margin; the region is reset with
   explicit margins 1;24 instead. NEL (ESC E) is a line feed without the carriage
   return in pyte, and is not sent.
9. The line-drawing set. pyte draws the Linux console's table, which adds arrows and a
   block at + , - . 0 and a shaded block at h; the DEC set has those characters
   unchanged and the newline symbol at h. pyte's forms of these are read as the DEC
   ones; its no-break space at _ is the DEC blank. pyte's G1 starts as that table, a DEC
   terminal's as ASCII: each stream designates G1 first.
10. pyte's ICH leaves the character it pushes off the line in a hidden column past the
   last one, from which a later DCH brings it back, and its IL leaves a row in place
   when the blank row above it was never written. After every step the generator
   empties that column and makes every row exist.
"""
import json
import os
import random
import subprocess
import sys
import unittest

sys.path.insert(0, "/usr/lib/python3/dist-packages")
import pyte  # noqa: E402
from pyte import modes as mo  # noqa: E402

DECSCREEN = os.environ.get("DECSCREEN") or (sys.argv.pop(1) if len(sys.argv) > 1 else "")
ROWS, COLUMNS = 24, 80
# The terminal's colour indexes (DEC order) by the names pyte uses.
COLOUR_NAMES = {0: "black", 1: "blue", 2: "red", 3: "green", 4: "magenta", 5: "cyan", 6: "brown", 7: "white"}
BOLD, UNDERLINE, REVERSE = 0x08, 0x04, 0x02


def decscreen(data):
    r = subprocess.run([DECSCREEN], input=data, capture_output=True, check=True, timeout=120)
    return json.loads(r.stdout.decode("ascii"))


class Generator:
    def __init__(self, rng):
        self.rng = rng
        self.screen = pyte.Screen(COLUMNS, ROWS)
        self.stream = pyte.ByteStream(self.screen)
        # Bytes as they are: in UTF-8 mode pyte would ignore the character sets.
        self.stream.select_other_charset("@")
        self.out = bytearray()
        self.saved = False
        # pyte starts with the Linux console's G1 (line drawing); a DEC terminal with ASCII.
        self.send(b"\x1b)B")

    def send(self, data):
        self.out.extend(data)
        self.stream.feed(bytes(data))
        # pyte's ICH keeps the character pushed off the line in a hidden column past
        # the last, where a later DCH finds it again; a line has no such column. And
        # pyte's IL moves only rows it has created: every row is made to exist.
        for y in range(ROWS):
            self.screen.buffer[y].pop(COLUMNS, None)

    def csi(self, text):
        self.send(b"\x1b[" + text.encode())

    def region(self):
        m = self.screen.margins
        return (m.top, m.bottom) if m else (0, ROWS - 1)

    def inside(self):
        top, bottom = self.region()
        return top <= self.screen.cursor.y <= bottom

    def step(self):
        r, s = self.rng, self.screen
        past_end = s.cursor.x >= COLUMNS
        top, bottom = self.region()
        y = s.cursor.y
        origin = mo.DECOM in s.mode
        kind = r.randrange(22)
        if past_end and kind in (5, 6, 7, 8, 9, 11, 12, 13, 16, 19) or (past_end and kind == 20 and not self.saved):
            return
        n = r.choice(["", "0", "1", "2", str(r.randint(1, 90))])
        if kind <= 3:
            count = r.randint(1, 30)
            if y > bottom and mo.DECAWM in s.mode:
                count = min(count, COLUMNS - s.cursor.x)  # no wrap below the region
            self.send(bytes(r.randint(0x20, 0x7E) for _ in range(count)))
        elif kind == 4:
            self.send(b"\r")
        elif kind == 5 and y <= bottom:
            self.send(r.choice([b"\n", b"\x0b", b"\x0c", b"\x1bD"]))
        elif kind == 6 and y >= top:
            self.send(b"\x1bM")
        elif kind == 7 and not past_end:
            self.send(r.choice([b"\b", b"\t"]))
        elif kind == 8 and (self.inside() or s.margins is None):
            self.csi(n + r.choice("AB"))
        elif kind == 9 and not past_end:
            self.csi(n + r.choice("CD"))
        elif kind == 10:
            if origin:
                row = r.randint(1, bottom - top + 1)
            else:
                row = r.randint(0, 30)
            self.csi("%d;%d%s" % (row, r.randint(0, 90), r.choice("Hf")))
        elif kind == 11:
            self.csi(r.choice(["", "0", "1", "2"]) + r.choice("JK"))
        elif kind == 12:
            self.csi(n + r.choice("@PX"))
        elif kind == 13 and self.inside():
            self.csi(r.choice(["", "1", "2", "5"]) + r.choice("LM"))
        elif kind == 14 and not self.saved:
            if r.random() < 0.5:
                a = r.randint(1, ROWS - 1)
                b = r.randint(a + 1, ROWS)
                self.csi("%d;%dr" % (a, b))
            else:
                self.csi("1;%dr" % ROWS)
        elif kind == 15 and not self.saved:
            mode = r.choice(["?7", "?6", "4"])
            if mode == "?6" and s.margins is None:
                return
            self.csi(mode + r.choice("hl"))
        elif kind == 16:
            self.csi("4" + r.choice("hl"))
        elif kind == 17:
            reverse = s.cursor.attrs.reverse
            choices = ["0", "1", "4", "7", "22", "24", "27"]
            if not reverse:
                choices += ["3%d" % i for i in range(8)] + ["4%d" % i for i in range(8)] + ["39", "49"]
            params = [r.choice(choices) for _ in range(r.randint(1, 3))]
            if not reverse and "7" in params:
                # Colours first, reverse last: nothing is chosen under reverse.
                params = [p for p in params if p != "7"] + ["7"]
            self.csi(";".join(params) + "m")
        elif kind == 18:
            self.send(r.choice([b"\x1b(0", b"\x1b(B", b"\x1b)0", b"\x1b)B", b"\x0e", b"\x0f"]))
        elif kind == 19:
            self.send(r.choice([b"\x1bH", b"\x1b[g", b"\x1b[0g", b"\x1b[3g"]))
        elif kind == 20:
            if self.saved:
                if not top <= s.savepoints[-1].cursor.y <= bottom:
                    return  # pyte would pull the restored cursor into the region
                self.send(b"\x1b8")
                self.saved = False
            else:
                self.send(b"\x1b7")
                self.saved = True
        elif kind == 21:
            self.send(r.choice([b"\x07", b"\x00"]))


# pyte's line-drawing characters that the DEC set draws differently.
LINUX_ONLY = {"\u00a0": " ", "\u2192": "+", "\u2190": ",", "\u2191": "-", "\u2193": ".", "\u2588": "0", "\u2591": "\u2424"}


def pyte_colour(name, default):
    return default if name == "default" else name


class PyteDifferential(unittest.TestCase):
    def compare(self, data, screen):
        ours = decscreen(bytes(data))
        problems = []
        for y in range(ROWS):
            for x in range(COLUMNS):
                ch, rend, colour = ours["cells"][y][x]
                theirs = screen.buffer[y][x]
                mine = chr(ch) if ch else " "
                if mine != LINUX_ONLY.get(theirs.data, theirs.data):
                    problems.append("cell %d,%d: %r here, %r in pyte" % (y, x, mine, theirs.data))
                    continue
                if mine == " ":
                    continue
                want = (theirs.bold, theirs.underscore, theirs.reverse,
                        pyte_colour(theirs.fg, "white"), pyte_colour(theirs.bg, "black"))
                got = (bool(rend & BOLD), bool(rend & UNDERLINE), bool(rend & REVERSE),
                       COLOUR_NAMES.get(colour & 15), COLOUR_NAMES.get(colour >> 4))
                if want != got:
                    problems.append("cell %d,%d %r: %s here, %s in pyte" % (y, x, mine, got, want))
        x = screen.cursor.x
        theirs = (screen.cursor.y, min(x, COLUMNS - 1), int(x >= COLUMNS))
        if tuple(ours["cursor"]) != theirs:
            problems.append("cursor %s here, %s in pyte" % (ours["cursor"], list(theirs)))
        return problems

    def test_generated_streams_agree(self):
        for seed in range(150):
            g = Generator(random.Random(seed))
            for _ in range(400):
                g.step()
            problems = self.compare(g.out, g.screen)
            self.assertEqual(problems[:8], [], "seed %d, stream %r" % (seed, bytes(g.out[-300:])))


if __name__ == "__main__":
    unittest.main()
