"""The host-data workloads both benchmarks run (bench/throughput.py through the whole
program, bench/engine.py through the engine alone), of the kinds well-known terminal
benchmarks use:

- dense_cells: every cell of the screen rewritten, each with colours of its own;
- scrolling: lines of text of varied length, scrolling the whole screen;
- alt_random: random positions written on the alternate screen;
- cursor_motion: relative and absolute cursor moves, one character between them;
- scrolling_10m, alt_random_10m: the second and third at 10 MiB, as a `cat` of a large
  log or a full-screen program redrawing for a long time gives them.

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
             ("alt_random_10m", alt_random, 10 * MIB)]


WYSE_WORKLOADS = [("wyse_dense_cells", wyse_dense_cells, None), ("wyse_scrolling", scrolling, None),
                  ("wyse_random", wyse_random, None), ("wyse_scrolling_10m", scrolling, 10 * MIB)]


def make(size, only=None, wyse=False):
    """[(name, bytes)] of every workload (or only the one named), `size` bytes each
    where the workload has no size of its own."""
    rng = random.Random(1)
    table = WYSE_WORKLOADS if wyse else WORKLOADS
    return [(name, maker(fixed or size, rng)) for name, maker, fixed in table if not only or name == only]
