#!/usr/bin/env python3
"""Writes the pictures of the button bars and the program icon from the drawings below.

Outputs (all committed; run with --check to compare instead of writing):
  terminal/input/bars/pictures/<name>.bmp  the 21 toolbar images (21 x 17, drawn on the
                                           light grey of the bar), the six button faces
                                           (small 26, medium 41, large 56 pixels wide, 22
                                           high, up and down) and the drop-down arrows of
                                           the button dialog's tool list (small and, for
                                           large fonts, medium)
  terminal/input/bars/pictures.rc          their resource names
  terminal/core/program/vexaNT.ico         the program icon (32 x 32 and 16 x 16)

Every picture is a 24-bit bottom-up bitmap; a drawing is a list of filled shapes in
colour, laid over the background in order.
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "common"))
from generated import write_or_check  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

GREY = (192, 192, 192)
WHITE = (255, 255, 255)
DARK = (128, 128, 128)
BLACK = (0, 0, 0)
BLUE = (0, 0, 160)
NAVY = (0, 0, 96)
RED = (192, 0, 0)
GREEN = (0, 128, 0)
YELLOW = (255, 224, 0)
CYAN = (0, 160, 160)
TEAL = (0, 96, 128)
PAPER = (248, 248, 240)


class Picture:
    def __init__(self, width, height, background=GREY):
        self.w, self.h = width, height
        self.px = [[background] * width for _ in range(height)]

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c
        return self

    def box(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)
        return self

    def frame(self, x0, y0, x1, y1, c):
        self.box(x0, y0, x1, y0, c).box(x0, y1, x1, y1, c)
        return self.box(x0, y0, x0, y1, c).box(x1, y0, x1, y1, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.dot(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return self
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def disc(self, cx, cy, r, c, inner=-1.0):
        for y in range(self.h):
            for x in range(self.w):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if inner * inner <= d <= r * r if inner >= 0 else d <= r * r:
                    self.dot(x, y, c)
        return self

    def bmp(self):
        row = (self.w * 3 + 3) // 4 * 4
        pixels = b"".join(b"".join(bytes((c[2], c[1], c[0])) for c in self.px[y]).ljust(row, b"\0")
                          for y in range(self.h - 1, -1, -1))
        info = struct.pack("<IiiHHIIiiII", 40, self.w, self.h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
        return b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54) + info + pixels


# --- The 21 toolbar images: 21 x 17 on the bar's grey -------------------------------------

def image():
    return Picture(21, 17)


def monitor(p, screen=TEAL):
    p.box(3, 2, 15, 11, DARK).box(4, 3, 14, 10, screen).box(7, 12, 11, 13, DARK).box(5, 14, 13, 14, BLACK)
    return p


def page(p, x, y, w=9, h=12):
    return p.box(x, y, x + w - 1, y + h - 1, PAPER).frame(x, y, x + w - 1, y + h - 1, BLACK)


def text_lines(p, x0, x1, y0, count, c=DARK):
    for i in range(count):
        p.box(x0, y0 + 2 * i, x1 - (i % 2) * 2, y0 + 2 * i, c)
    return p


def printer(p):
    page(p, 6, 1, 9, 6)
    p.box(2, 7, 18, 13, DARK).frame(2, 7, 18, 13, BLACK).box(5, 11, 15, 11, BLACK).dot(16, 9, GREEN)
    return page(p, 6, 12, 9, 4)


def draw_connect():
    p = monitor(image())
    return p.line(16, 7, 19, 7, BLACK).box(17, 5, 18, 9, YELLOW).line(16, 6, 16, 8, BLACK)


def draw_open():
    p = image()
    p.box(2, 5, 17, 14, YELLOW).frame(2, 5, 17, 14, BLACK).box(2, 3, 7, 4, YELLOW).frame(2, 3, 7, 5, BLACK)
    return p.line(12, 2, 16, 2, NAVY).line(16, 2, 18, 4, NAVY).dot(17, 4, NAVY).dot(18, 3, NAVY)


def draw_save():
    p = image().box(3, 1, 17, 15, NAVY).box(6, 1, 14, 6, WHITE).box(6, 10, 14, 15, DARK).box(11, 11, 12, 14, NAVY)
    return p.frame(3, 1, 17, 15, BLACK)


def draw_copy():
    p = page(image(), 2, 1)
    text_lines(p, 4, 8, 3, 4)
    page(p, 9, 4)
    return text_lines(p, 11, 15, 6, 4)


def draw_paste():
    p = image().box(3, 2, 13, 15, (160, 96, 32)).frame(3, 2, 13, 15, BLACK).box(6, 1, 10, 3, DARK)
    page(p, 9, 5, 9, 11)
    return text_lines(p, 11, 16, 7, 4)


def draw_prints():
    p = printer(image())
    return p.box(17, 1, 19, 3, RED).dot(18, 4, RED)


def draw_print():
    return printer(image())


def draw_colour():
    p = image()
    for i, c in enumerate([RED, YELLOW, GREEN, CYAN, BLUE, (160, 0, 160)]):
        p.box(2 + 3 * i, 3, 4 + 3 * i, 13, c)
    return p.frame(1, 2, 19, 14, BLACK)


def draw_keybrd():
    p = image().box(1, 5, 19, 14, DARK).frame(1, 5, 19, 14, BLACK)
    for row, (x0, n) in enumerate([(3, 8), (4, 7), (3, 8)]):
        for k in range(n):
            p.box(x0 + 2 * k, 7 + 2 * row, x0 + 2 * k, 7 + 2 * row, WHITE)
    return p.box(6, 13, 14, 13, WHITE)


def draw_button():
    p = image()
    for x0, y0 in [(1, 3), (11, 3), (1, 10), (11, 10)]:
        p.box(x0, y0, x0 + 8, y0 + 4, GREY).frame(x0, y0, x0 + 8, y0 + 4, BLACK)
        p.box(x0 + 1, y0 + 1, x0 + 7, y0 + 1, WHITE).box(x0 + 2, y0 + 3, x0 + 6, y0 + 3, BLUE)
    return p


def draw_mouse():
    p = image().disc(10, 10, 6, WHITE).disc(10, 10, 7, BLACK, inner=6.2).box(10, 3, 10, 9, BLACK)
    return p.box(4, 9, 16, 9, BLACK).box(7, 5, 9, 8, RED).line(10, 1, 14, 0, BLACK)


def draw_tools():
    p = image().line(3, 14, 13, 4, DARK).line(4, 14, 14, 4, DARK).box(13, 1, 17, 5, DARK).box(15, 1, 16, 3, GREY)
    return p.line(5, 3, 16, 14, (160, 96, 32)).line(5, 4, 15, 14, (160, 96, 32)).box(3, 1, 6, 4, RED)


def draw_help():
    p = image().disc(10, 8, 7, YELLOW).disc(10, 8, 8, BLACK, inner=7.2)
    return p.box(8, 4, 12, 5, BLACK).box(12, 5, 12, 7, BLACK).box(10, 8, 11, 9, BLACK).box(10, 11, 11, 12, BLACK)


def draw_reset():
    p = monitor(image(), screen=BLACK)
    return p.disc(9, 6, 3, GREEN, inner=2).box(9, 3, 10, 6, BLACK).box(9, 3, 9, 5, GREEN)


def draw_clear():
    p = monitor(image(), screen=WHITE)
    return p.line(16, 1, 10, 9, (160, 96, 32)).box(8, 8, 11, 10, YELLOW)


def draw_capture():
    p = page(image(), 2, 1)
    text_lines(p, 4, 8, 3, 4)
    return p.box(13, 7, 17, 9, RED).line(13, 4, 13, 12, RED).line(12, 5, 12, 11, RED).line(17, 8, 11, 8, RED)


def draw_replay():
    p = page(image(), 2, 1)
    text_lines(p, 4, 8, 3, 4)
    for i in range(6):
        p.box(13 + i, 3 + i, 13 + i, 13 - i, GREEN)
    return p


def draw_cube():
    p = image().box(4, 6, 12, 14, BLUE).frame(4, 6, 12, 14, BLACK)
    for i in range(4):
        p.line(5 + i, 5 - i, 13 + i, 5 - i, CYAN).line(13 + i, 5 - i, 13 + i, 13 - i, NAVY)
    return p.line(4, 6, 8, 2, BLACK).line(12, 6, 16, 2, BLACK).line(8, 2, 16, 2, BLACK).line(16, 2, 16, 10, BLACK)


def draw_smile():
    p = image().disc(10, 8, 7, YELLOW).disc(10, 8, 8, BLACK, inner=7.2).box(7, 5, 8, 6, BLACK).box(12, 5, 13, 6, BLACK)
    return p.line(6, 10, 8, 12, BLACK).line(8, 12, 12, 12, BLACK).line(12, 12, 14, 10, BLACK)


def draw_hand():
    p = image().box(6, 7, 14, 15, (240, 200, 160))
    for x, top in [(6, 3), (8, 1), (10, 2), (12, 3)]:
        p.box(x, top, x + 1, 8, (240, 200, 160)).frame(x, top, x + 1, 8, BLACK)
    return p.line(14, 10, 17, 6, BLACK).line(15, 11, 17, 7, (240, 200, 160)).frame(6, 8, 14, 15, BLACK)


def draw_sblank():
    return image()


IMAGES = [("Connect", draw_connect), ("Open", draw_open), ("Save", draw_save), ("Copy", draw_copy),
          ("Paste", draw_paste), ("Prints", draw_prints), ("Print", draw_print), ("Colour", draw_colour),
          ("keybrd", draw_keybrd), ("Button", draw_button), ("Mouse", draw_mouse), ("tools", draw_tools),
          ("help", draw_help), ("Reset", draw_reset), ("Clear", draw_clear), ("capture", draw_capture),
          ("replay", draw_replay), ("cube", draw_cube), ("smile", draw_smile), ("hand", draw_hand),
          ("sblank", draw_sblank)]


# --- Button faces: a raised key (up) and a sunken one (down) ------------------------------

def face(width, down):
    p = Picture(width, 22)
    light, shade = (DARK, WHITE) if down else (WHITE, DARK)
    p.frame(0, 0, width - 1, 21, BLACK)
    p.box(1, 1, width - 2, 1, light).box(1, 1, 1, 20, light)
    p.box(1, 20, width - 2, 20, shade).box(width - 2, 1, width - 2, 20, shade)
    if not down:
        p.box(2, 19, width - 3, 19, DARK).box(width - 3, 2, width - 3, 19, DARK)
    return p


FACES = [("Sbup", 26, False), ("Sbdn", 26, True), ("Mbup", 41, False), ("Mbdn", 41, True),
         ("Lbup", 56, False), ("Lbdn", 56, True)]


# --- The tool-list arrows: closed (combo), open (up) and pressed (down) --------------------

def arrow(width, height, up, pressed):
    p = Picture(width, height)
    light, shade = (DARK, DARK) if pressed else (WHITE, DARK)
    p.frame(0, 0, width - 1, height - 1, BLACK).box(1, 1, width - 2, 1, light).box(1, 1, 1, height - 2, light)
    p.box(1, height - 2, width - 2, height - 2, shade).box(width - 2, 1, width - 2, height - 2, shade)
    half, cx, cy = width // 4, width // 2 + (1 if pressed else 0), height // 2 + (1 if pressed else 0)
    for i in range(half):
        y = cy - half // 2 + (half - 1 - i if up else i)
        p.box(cx - half + 1 + i, y, cx + half - 1 - i, y, BLACK)
    return p


ARROWS = [("combo", 17, 17, False, False), ("scup", 17, 17, True, False), ("scdn", 17, 17, False, True),
          ("mcombo", 21, 21, False, False), ("mcup", 21, 21, True, False), ("mcdn", 21, 21, False, True)]


# --- The program icon: a terminal with a prompt ---------------------------------------------

def icon_picture(size):
    s = size / 32.0
    p = Picture(size, size, None)
    q = lambda v: int(round(v * s))  # noqa: E731
    p.box(q(2), q(3), q(29), q(23), DARK).frame(q(2), q(3), q(29), q(23), BLACK)
    p.box(q(5), q(6), q(26), q(20), NAVY)
    p.box(q(7), q(9), q(9), q(9), (0, 224, 0)).box(q(11), q(9), q(17), q(9), (0, 224, 0))
    p.box(q(7), q(13), q(12), q(13), (0, 224, 0)).box(q(7), q(16), q(8), q(17), (0, 224, 0))
    p.box(q(12), q(24), q(19), q(25), DARK).box(q(7), q(26), q(24), q(28), GREY).frame(q(7), q(26), q(24), q(28), BLACK)
    return p


def icon_image(p):
    """One icon image: a 32-bit header of doubled height, colour rows, then the mask."""
    pixels = b"".join(b"".join(bytes((c[2], c[1], c[0], 255)) if c else bytes(4) for c in p.px[y])
                      for y in range(p.h - 1, -1, -1))
    mask_row = (p.w + 31) // 32 * 4
    mask = b""
    for y in range(p.h - 1, -1, -1):
        bits = 0
        for x in range(p.w):
            bits = bits << 1 | (1 if p.px[y][x] is None else 0)
        mask += bits.to_bytes((p.w + 7) // 8, "big").ljust(mask_row, b"\0")
    info = struct.pack("<IiiHHIIiiII", 40, p.w, 2 * p.h, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return info + pixels + mask


def icon():
    images = [icon_image(icon_picture(32)), icon_image(icon_picture(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def pictures():
    out = {name: draw().bmp() for name, draw in IMAGES}
    out.update({name: face(width, down).bmp() for name, width, down in FACES})
    out.update({name: arrow(w, h, up, pressed).bmp() for name, w, h, up, pressed in ARROWS})
    return out


def render_rc(names):
    lines = ["// Generated by tools/pictures/makepictures.py; do not edit.",
             "// The button bars' pictures: toolbar images, button faces, tool-list arrows."]
    lines += ['%s BITMAP "terminal/input/bars/pictures/%s.bmp"' % (n, n) for n in names]
    return "\n".join(lines) + "\n"


def main():
    drawn = pictures()
    outputs = {os.path.join(ROOT, "terminal", "input", "bars", "pictures", n + ".bmp"): data for n, data in drawn.items()}
    outputs[os.path.join(ROOT, "terminal", "input", "bars", "pictures.rc")] = render_rc(list(drawn)).encode()
    outputs[os.path.join(ROOT, "terminal", "core", "program", "vexaNT.ico")] = icon()
    return write_or_check(outputs, "tools/pictures/makepictures.py")


if __name__ == "__main__":
    sys.exit(main())
