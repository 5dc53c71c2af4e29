"""Selection, copy and paste from outside: the mouse drags over the running terminal
(xdotool under Xvfb), Edit commands go to its window, and the clipboard is read and set
by winprobe and xclip while a scripted telnet host shows text and checks what it gets."""
import os
import struct
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

ESC = b"\x1b"
HKCU = r"HKCU\Software\Quorlan\vexaNT"
COPY, COPY_SWAP, COPY_MONO, COPY_MONO_SWAP = 1074, 1075, 1076, 1077
PASTE, SELECT_ALL, TEXT_MODE, GRAPHICS_MODE = 1010, 1043, 1058, 1069
WM_NULL = 0


class TerminalOnHost(WineTestCase):
    """A terminal on a scripted telnet host that echoes, with profile "P"."""

    mouse_actions = {}

    def setUp(self):
        super().setUp()
        self.wine.reg("add", HKCU, "/v", "Session", "/d", "P", "/f")
        for slot, action in self.mouse_actions.items():
            self.wine.reg("add", HKCU + r"\P\Mouse Actions", "/v", slot, "/t", "REG_DWORD", "/d", str(action), "/f")
        self.configure()
        self.host = th.ScriptedHost()
        self.addCleanup(self.host.stop)
        self.proc, self.hwnd = self.start_terminal("127.0.0.1", "-Tnport%d" % self.host.port, "-SEP")
        self.addCleanup(self.stop_terminal, self.proc, self.hwnd)
        self.host.wait_connection(30)
        self.host.expect(th.do(th.ECHO), timeout=20)
        self.host.send(th.will(th.ECHO))
        self.probe = self.wine.probe
        self.screen = self.child("vexaNT0")
        self.sync()

    def configure(self):
        """Registry values a test needs before the terminal starts."""

    def child(self, cls, timeout=20.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [c for c in self.probe.children(self.hwnd) if c["class"] == cls and c["visible"]]
            if found:
                return found[0]["hwnd"]
            time.sleep(0.1)
        self.fail("no %s window" % cls)

    def xdotool(self, *args, timeout=120):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.wine.env, capture_output=True, text=True,
                                timeout=timeout)
        self.assertEqual(result.returncode, 0, (args, result.stderr))
        return result.stdout

    def sync(self, data=b""):
        """Sends host data and a status request; the answer means everything before it
        was acted on. What the host received so far is dropped."""
        self.host.send(data + ESC + b"[5n")
        self.host.wait_for(lambda d: d.endswith(ESC + b"[0n"), timeout=30, what="the terminal's answer")
        self.host.take()

    def cell(self, row, column):
        """Screen point at the middle of a cell (rows and columns from 0)."""
        rect = self.probe.info(self.screen)["rect"]
        width, height = (rect[2] - rect[0]) / 80.0, (rect[3] - rect[1]) / 25.0
        return int(rect[0] + (column + 0.5) * width), int(rect[1] + (row + 0.5) * height)

    def drag(self, start, end, button=1):
        x0, y0 = self.cell(*start)
        x1, y1 = self.cell(*end)
        self.xdotool("mousemove", "--sync", x0, y0)
        self.xdotool("mousedown", button)
        self.xdotool("mousemove", "--sync", (x0 + x1) // 2, (y0 + y1) // 2)
        self.xdotool("mousemove", "--sync", x1, y1)
        time.sleep(0.2)
        self.xdotool("mouseup", button)
        time.sleep(0.3)

    def click(self, row, column, button=1):
        x, y = self.cell(row, column)
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)

    def command(self, ident):
        self.assertTrue(self.probe.command(self.hwnd, ident))
        # A message sent after the post is answered once the command has run.
        self.probe.send(self.hwnd, WM_NULL)

    def clipboard_text(self):
        answer = self.probe.ask("clip-text")
        self.assertTrue(answer["ok"], answer)
        return answer.get("text")

    def set_clipboard(self, text):
        self.assertTrue(self.probe.ask("clip-set-text", text.encode("utf-8").hex())["ok"])


class TextSelectionTest(TerminalOnHost):
    # Shift with the left button drags a rectangle.
    mouse_actions = {"Shift": 11}

    def configure(self):
        # A vt320 keeps what scrolls off in its history (the factory vt420 has pages).
        self.wine.reg("add", HKCU + r"\Profiles\P\VT300", "/v", "termid", "/t", "REG_DWORD", "/d", "4", "/f")

    def copy(self):
        self.command(COPY)
        return self.clipboard_text()

    def test_drags_copy_streams_rectangles_and_line_drawing(self):
        self.sync(ESC + b"[H" + ESC + b"[2J" + b"hello\r\nworld\r\n" + b"a" * 80 + b"b" * 80 +
                  ESC + b"(0lqqk" + ESC + b"(B")
        self.drag((0, 0), (1, 79))
        self.assertEqual(self.copy(), "hello\r\nworld\r\n")
        xclip = subprocess.run(["xclip", "-selection", "clipboard", "-o"], env=self.wine.env, capture_output=True,
                               timeout=20)
        self.assertEqual(xclip.stdout.decode().splitlines(), ["hello", "world"])

        self.drag((2, 69), (3, 4))
        self.assertEqual(self.copy(), "a" * 11 + "\r\n" + "b" * 5 + "\r\n")
        self.xdotool("keydown", "shift")
        self.drag((2, 69), (3, 4))
        self.xdotool("keyup", "shift")
        self.assertEqual(self.copy(), "a" * 66 + "\r\n" + "b" * 66 + "\r\n")

        self.drag((4, 0), (4, 10))
        self.assertEqual(self.copy(), "\u250c\u2500\u2500\u2510\r\n")

    def test_a_drag_into_the_history_copies_every_line_it_marked(self):
        self.sync(b"".join(b"line %03d\r\n" % n for n in range(530)))
        x, y = self.cell(22, 40)
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("mousedown", 1)
        # The wheel pans 500 lines back while the button is held.
        self.xdotool("click", "--repeat", 500, "--delay", 2, 4)
        time.sleep(1)
        x, y = self.cell(0, 0)
        self.xdotool("mousemove", "--sync", x, y + 1)
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.3)
        self.xdotool("mouseup", 1)
        lines = self.copy().split("\r\n")
        # From the top line of the panned view to the line the drag began on.
        self.assertEqual(lines[-1], "")
        first = int(lines[0].split()[1])
        self.assertLessEqual(first, 30)
        self.assertEqual(lines[:-1], ["line %03d" % n for n in range(first, 530)])


class PasteTest(TerminalOnHost):
    def paste(self, text):
        self.set_clipboard(text)
        self.command(PASTE)

    def test_pasted_text_arrives_as_typed_lines(self):
        self.paste("A\r\nB\r\n")
        self.host.expect(b"A\rB\r")
        self.sync(ESC + b"[20h")  # new-line mode: the terminal sends CR LF for Return
        self.paste("A\r\nB\r\n")
        self.host.expect(b"A\r\nB\r")
        self.sync(ESC + b"[20l")
        self.paste("\u250c\u2500\u2510\r\n\u2502")
        self.host.expect(b"+-+\r|")
        self.sync()
        self.host.expect_nothing()

    def test_ten_thousand_lines_arrive_exactly(self):
        lines = ["%05d %s" % (n, "x" * (n % 50)) for n in range(10000)]
        with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False, newline="") as f:
            f.write("\r\n".join(lines) + "\r\n")
        self.addCleanup(os.unlink, f.name)
        self.assertTrue(self.probe.ask("clip-set-file", self.wine.windows_path(f.name))["ok"])
        self.command(PASTE)
        expected = ("\r".join(lines) + "\r").encode()
        self.host.wait_for(lambda d: len(d) >= len(expected), timeout=300, what="the pasted lines")
        self.host.expect(expected)
        self.sync()
        self.host.expect_nothing()

    def test_a_paste_without_text_or_with_a_busy_clipboard_sends_nothing(self):
        self.assertTrue(self.probe.ask("clip-set-bitmap", 16, 16)["ok"])
        self.command(PASTE)
        self.assertTrue(self.probe.ask("clip-hold")["ok"])
        self.command(PASTE)
        time.sleep(1)
        self.assertTrue(self.probe.send(self.hwnd, WM_NULL))  # the window still answers
        self.assertTrue(self.probe.ask("clip-release")["ok"])
        self.sync()
        self.host.expect_nothing()
        self.paste("next\r\n")
        self.host.expect(b"next\r")


def read_bmp(path):
    """Width, height and the rows of (r, g, b) pixels, top row first."""
    with open(path, "rb") as f:
        data = f.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    assert bits == 24
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        rows.append([tuple(data[start + 3 * x + 2 - i] for i in range(3)) for x in range(width)])
    if height > 0:
        rows.reverse()
    return width, abs(height), rows


class GraphicsCopyTest(TerminalOnHost):
    def bitmap(self, ident):
        self.command(SELECT_ALL)
        self.command(ident)
        path = os.path.join(tempfile.mkdtemp(prefix="vxbmp"), "copy.bmp")
        answer = self.probe.ask("clip-save-bitmap", self.wine.windows_path(path))
        self.assertTrue(answer["ok"], answer)
        return read_bmp(path)

    def test_mono_copies_are_black_and_white_and_the_swap_inverts_them(self):
        # White letters on black, a red and a blue block; no cursor blinks between copies.
        self.sync(ESC + b"[?25l" + ESC + b"[H" + ESC + b"[2J" + b"text on black\r\n" + ESC + b"[41m   " + ESC + b"[44m   " +
                  ESC + b"[m\r\n")
        time.sleep(1)  # the rows are painted
        self.command(GRAPHICS_MODE)
        width, height, colour = self.bitmap(COPY)
        client = self.probe.info(self.screen)["client"]
        self.assertEqual((width, height), (client[2], client[3]))
        _, _, mono = self.bitmap(COPY_MONO)
        _, _, inverse = self.bitmap(COPY_MONO_SWAP)
        black, white = (0, 0, 0), (255, 255, 255)
        seen = set()
        for y in range(height):
            for x in range(width):
                want = black if colour[y][x] == black else white
                self.assertEqual(mono[y][x], want, (x, y, colour[y][x]))
                self.assertEqual(inverse[y][x], white if want == black else black, (x, y))
                seen.add(colour[y][x])
        self.assertIn(black, seen)
        self.assertGreater(len(seen - {black, white}), 0, "the screen had colours to reduce")


if __name__ == "__main__":
    unittest.main()
