"""The host-data workloads both benchmarks run (bench/throughput.py through the whole
program, bench/engine.py through the engine alone), of the kinds well-known terminal
benchmarks use:

- dense_cells: every cell of the screen rewritten, each with colours of its own;
- scrolling: lines of text of varied length, scrolling the whole screen;
- alt_random: random positions written on the alternate screen;
- cursor_motion: relative and absolute cursor moves, one character between them;
- scrolling_10m, alt_random_10m: the second and third at 10 MiB, as a `cat` of a large
  log or a full-screen program redrawing for a long time gives them;
- control_dense: nearly all control functions, as a full-screen program repainting with
  many attribute changes gives them, or worse: random picks of CSI and ESC introducers,
  parameter digits, separators, intermediates and finals (short, often malformed
  sequences: renditions, cursor moves, erases, modes, margins, character-set
  designations), CR, LF, BS, TAB, blanks and a few letters;
- c1_random: 1 MiB of random bytes 0x80-0x9F (C1 controls, strings begun and ended
  among them), as a binary file sent by mistake gives them.

For the Wyse family (bench/engine.py --wyse), the same kinds in its own sequences:
wyse_dense_cells (every cell, character attributes changing, as ESC G in WY60's
character-attribute mode), wyse_random (random ESC = addresses, a few characters each)
and wyse_scrolling (the text of scrolling).

Each is made from a fixed seed, so every run and every terminal gets the same bytes.
"""
import random

CSI = b"\x1b["
MIB = 1 << 20


def dense_cells(size, rng):
    out = bytearray()
    letters = b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    while len(out) < size:
        out += CSI + b"H"
        for row in range(24):
            for column in range(80):
                out += CSI + b"%d;%dm" % (30 + (row + column) % 8, 40 + (row * 3 + column) % 8)
                out.append(letters[(row * 80 + column) % len(letters)])
        out += CSI + b"0m"
    return bytes(out)


def scrolling(size, rng):
    out = bytearray()
    words = [b"alpha", b"beta", b"gamma", b"delta", b"epsilon", b"zeta", b"eta", b"theta", b"iota"]
    while len(out) < size:
        line = b" ".join(rng.choice(words) for _ in range(rng.randint(1, 12)))
        out += line[:79] + b"\r\n"
    return bytes(out)


def alt_random(size, rng):
    out = bytearray(CSI + b"?1049h" + CSI + b"H" + CSI + b"2J")
    while len(out) < size:
        out += CSI + b"%d;%dH" % (rng.randint(1, 24), rng.randint(1, 70))
        out += CSI + b"3%dm" % rng.randint(0, 7)
        out += bytes(rng.randint(0x21, 0x7E) for _ in range(rng.randint(1, 10)))
    out += CSI + b"0m" + CSI + b"?1049l"
    return bytes(out)


def cursor_motion(size, rng):
    out = bytearray(CSI + b"H" + CSI + b"2J")
    moves = [b"A", b"B", b"C", b"D"]
    while len(out) < size:
        if rng.random() < 0.5:
            out += CSI + b"%d%s" % (rng.randint(1, 5), rng.choice(moves))
        else:
            out += CSI + b"%d;%dH" % (rng.randint(1, 24), rng.randint(1, 80))
        out.append(rng.randint(0x21, 0x7E))
    return bytes(out)


ESC = b"\x1b"

# The two control-dense workloads end so that any terminal answers what follows: a string
# or sequence left open is ended (ST, CAN), VT52 mode is left (ESC <, ignored in ANSI
# mode), the display of controls is ended (CSI 3 l) and the renditions are reset.
CONTROL_TAIL = ESC + b"\\" + b"\x18" + ESC + b"<" + CSI + b"3l" + CSI + b"0m"

# The picks of control_dense, introducers weighted so that most picks fall inside a
# sequence. Letters that would make a terminal answer, test itself, print or reset
# (c, n, x, y, i, t, Z, p) are left out: the workload times the reading, and the report
# that ends it must be the only answer matching it. ESC < (ignored in ANSI mode) ends the
# VT52 mode that a CSI ? 2 l of the picks may enter, so the sequences stay ANSI ones.
CONTROL_PICKS = ([CSI] * 4 + [ESC] * 2 + [ESC + b"<"] + [b";"] * 2 + [bytes([d]) for d in b"0123456789"] +
                 [bytes([c]) for c in b"mHJKABCDhlr?$\"'!*#()%+"] +
                 [b"\r", b"\n", b"\b", b"\t", b" "] + [bytes([c]) for c in b"abefgo"])


def control_dense(size, rng):
    out = bytearray()
    picks = CONTROL_PICKS
    while len(out) < size:
        out += b"".join(rng.choice(picks) for _ in range(4096))
    return bytes(out[:size]) + CONTROL_TAIL


def c1_random(size, rng):
    return bytes(rng.randint(0x80, 0x9F) for _ in range(size)) + CONTROL_TAIL


def wyse_address(row, column):
    return ESC + b"=" + bytes((32 + row, 32 + column))


def wyse_dense_cells(size, rng):
    out = bytearray(ESC + b"e)")  # WY60: character attributes, 24 lines
    letters = b"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789"
    codes = b"0248:<>4"
    while len(out) < size:
        out += wyse_address(0, 0)
        for row in range(24):
            for column in range(80):
                out += ESC + b"G" + codes[(row + column) % 8:(row + column) % 8 + 1]
                out.append(letters[(row * 80 + column) % len(letters)])
        out += ESC + b"G0"
    return bytes(out)


def wyse_random(size, rng):
    out = bytearray(ESC + b"+")
    while len(out) < size:
        out += wyse_address(rng.randint(0, 23), rng.randint(0, 69))
        out += bytes(rng.randint(0x21, 0x7E) for _ in range(rng.randint(1, 10)))
    return bytes(out)


# (name, maker, fixed size in bytes or None for the --megabytes size)
WORKLOADS = [("dense_cells", dense_cells, None), ("scrolling", scrolling, None), ("alt_random", alt_random, None),
             ("cursor_motion", cursor_motion, None), ("scrolling_10m", scrolling, 10 * MIB),
             ("alt_random_10m", alt_random, 10 * MIB), ("control_dense", control_dense, None),
             ("c1_random", c1_random, MIB)]


WYSE_WORKLOADS = [("wyse_dense_cells", wyse_dense_cells, None), ("wyse_scrolling", scrolling, None),
                  ("wyse_random", wyse_random, None), ("wyse_scrolling_10m", scrolling, 10 * MIB)]


# The emulations the DEC family runs (and the ANSI consoles beside it), by the names
# bench/engine.py and bench/throughput.py take, with their ids.
EMULATIONS = {"vt100": 1, "vt500-7": 2, "vt500-8": 3, "ansi-bbs": 4, "sco": 5, "at386": 21}


def make(size, only=None, wyse=False):
    """[(name, bytes)] of every workload (or only the one named), `size` bytes each
    where the workload has no size of its own."""
    rng = random.Random(1)
    table = WYSE_WORKLOADS if wyse else WORKLOADS
    return [(name, maker(fixed or size, rng)) for name, maker, fixed in table if not only or name == only]
