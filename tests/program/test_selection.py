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
SCROLL_BAR = 2802


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
        time.sleep(0.6)  # not a double click with the press before
        x0, y0 = self.cell(*start)
        x1, y1 = self.cell(*end)
        self.xdotool("mousemove", "--sync", x0, y0)
        self.xdotool("mousedown", button)
        self.xdotool("mousemove", "--sync", (x0 + x1) // 2, (y0 + y1) // 2)
        self.xdotool("mousemove", "--sync", x1, y1)
        time.sleep(0.2)
        self.release(button)

    def capture(self):
        return int(self.probe.info(self.hwnd)["capture"], 16)

    def release(self, button):
        """Lets the button go once the press holds the mouse and returns once the release is
        handled: on a loaded machine real input can trail a command posted after it."""
        deadline = time.time() + 5
        while not self.capture() and time.time() < deadline:
            time.sleep(0.05)
        self.xdotool("mouseup", button)
        deadline = time.time() + 20
        while self.capture() and time.time() < deadline:
            time.sleep(0.05)
        time.sleep(0.1)

    def click(self, row, column, button=1):
        # Clicks closer together than the double-click time would be double clicks.
        time.sleep(0.6)
        x, y = self.cell(row, column)
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("click", button)

    def command(self, ident):
        self.assertTrue(self.probe.run_command(self.hwnd, ident))

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
        bar = [c["hwnd"] for c in self.probe.children(self.hwnd) if c["id"] == SCROLL_BAR][0]
        # The bar follows the history on the window's thread, after the host data.
        deadline = time.time() + 30
        while time.time() < deadline:
            live = self.probe.scroll_info(bar)
            if live["max"] >= 500 and live["pos"] == live["max"]:
                break
            time.sleep(0.1)
        self.assertEqual(live["pos"], live["max"])
        self.assertGreaterEqual(live["max"], 500)
        x, y = self.cell(22, 40)
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("mousedown", 1)
        # The wheel pans 500 lines back while the button is held; the thumb shows when
        # the terminal has panned them all.
        self.xdotool("click", "--repeat", 500, "--delay", 2, 4)
        deadline = time.time() + 60
        while self.probe.scroll_info(bar)["pos"] != live["max"] - 500 and time.time() < deadline:
            time.sleep(0.1)
        self.assertEqual(self.probe.scroll_info(bar)["pos"], live["max"] - 500)
        x, y = self.cell(0, 0)
        self.xdotool("mousemove", "--sync", x, y + 1)
        self.xdotool("mousemove", "--sync", x, y)
        time.sleep(0.3)
        self.release(1)
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
        # White letters on black, a red and a blue block; no cursor blinks between copies,
        # and no indicator line shows the cursor's place (it follows about once a second).
        self.sync(ESC + b"[?25l" + ESC + b"[0$~" + ESC + b"[H" + ESC + b"[2J" + b"text on black\r\n" + ESC + b"[41m   " + ESC + b"[44m   " +
                  ESC + b"[m\r\n")
        self.command(GRAPHICS_MODE)
        black, white = (0, 0, 0), (255, 255, 255)
        # Copies until the picture shows both blocks and stays as it is: the window paints
        # after the host data.
        deadline = time.time() + 30
        colour = None
        while True:
            last = colour
            width, height, colour = self.bitmap(COPY)
            coloured = len({p for row in colour for p in row} - {black, white}) >= 2
            if (coloured and colour == last) or time.time() > deadline:
                break
            time.sleep(0.2)
        client = self.probe.info(self.screen)["client"]
        self.assertEqual((width, height), (client[2], client[3]))
        _, _, mono = self.bitmap(COPY_MONO)
        _, _, inverse = self.bitmap(COPY_MONO_SWAP)
        seen = set()
        for y in range(height):
            for x in range(width):
                want = black if colour[y][x] == black else white
                self.assertEqual(mono[y][x], want, (x, y, colour[y][x]))
                self.assertEqual(inverse[y][x], white if want == black else black, (x, y))
                seen.add(colour[y][x])
        self.assertIn(black, seen)
        self.assertGreater(len(seen - {black, white}), 0, "the screen had colours to reduce")


def screenshot(env):
    """The X screen as rows of (r, g, b)."""
    ppm = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"], env=env, capture_output=True,
                         timeout=60, check=True).stdout
    fields, at = [], 0
    while len(fields) < 4:
        end = ppm.index(b"\n", at) if ppm[at:at + 1] == b"#" else min(
            i for i in (ppm.find(b" ", at), ppm.find(b"\n", at)) if i >= 0)
        word = ppm[at:end]
        at = end + 1
        if word and not word.startswith(b"#"):
            fields.append(word)
    width, height = int(fields[1]), int(fields[2])
    pixels = ppm[at:]
    return [[tuple(pixels[3 * (y * width + x):3 * (y * width + x) + 3]) for x in range(width)]
            for y in range(height)]


class HotspotTest(TerminalOnHost):
    # A click sends the word under the pointer; Ctrl with the button shows every hot spot.
    mouse_actions = {"Normal": 9, "Control": 5}

    def test_words_send_their_definitions_or_themselves(self):
        self.sync(ESC + b"[H" + ESC + b"[2J" + b"F1=Help  Menu\r\n")
        # F1 has the general definition, Help the VT500's; Menu has none.
        self.click(5, 5)  # focus, on a blank row
        self.sync()
        self.xdotool("key", "F1")
        f1 = self.host.wait_for(lambda d: len(d) >= 3, what="the F1 key")
        self.host.take()
        self.click(0, 1)
        self.host.expect(f1)
        for column in (2, 7, 8, 20):  # "=", the blanks, the empty rest
            self.click(0, column)
        self.sync()
        self.host.expect_nothing()
        self.click(0, 10)
        self.host.expect(b"Menu\r")
        self.xdotool("key", "alt+F5")  # where the VT keyboard has Help
        help_key = self.host.wait_for(lambda d: len(d) >= 3, what="the Help key")
        self.host.take()
        self.click(0, 4)
        self.host.expect(help_key)
        # Letting Alt go after a key the terminal used leaves the menu bar alone: it would
        # hold back the next key typed.
        self.assertFalse(self.probe.info(self.hwnd)["menumode"])
        self.wine.reg("add", HKCU + r"\P\Hotspot\VT500 7-Bit", "/v", "Menu", "/d", "ls^M", "/f")
        self.click(0, 10)
        self.host.expect(b"ls\r")
        self.sync()
        self.host.expect_nothing()

    def test_highlight_shows_exactly_the_defined_words_and_holds_keys(self):
        self.sync(ESC + b"[?25l" + ESC + b"[H" + ESC + b"[2J" + b"F1=Quit  F2\r\n")
        self.click(5, 5)
        time.sleep(0.5)
        normal = screenshot(self.wine.env)

        rect = self.probe.info(self.screen)["rect"]
        width, height = (rect[2] - rect[0]) / 80.0, (rect[3] - rect[1]) / 25.0

        def corner(shot, column):
            """A pixel of the cell's background: its top-left corner, where no glyph reaches."""
            return shot[int(rect[1]) + 1][int(rect[0] + column * width) + 1]

        def painted(marked):
            """The screen once the first word shows marked (or no longer), as the window
            paints it after the press (or the release)."""
            deadline = time.time() + 20
            while True:
                shot = screenshot(self.wine.env)
                if (corner(shot, 0) != corner(normal, 0)) == marked or time.time() > deadline:
                    return shot
                time.sleep(0.2)
        x, y = self.cell(5, 5)
        self.xdotool("mousemove", "--sync", x, y)
        self.xdotool("keydown", "ctrl")
        self.xdotool("mousedown", 1)
        self.xdotool("keyup", "ctrl")
        shown = painted(True)
        self.xdotool("type", "k")
        time.sleep(0.5)
        self.assertEqual(self.host.take(), b"", "typed keys wait while hot spots show")
        self.xdotool("mouseup", 1)
        self.host.expect(b"k")
        after = painted(False)
        marked = corner(shown, 0)
        self.assertNotEqual(marked, corner(normal, 0))
        self.assertEqual(corner(shown, 1), marked)
        self.assertEqual(corner(shown, 10), marked, "F2 is defined too")
        for column in (2, 3, 6, 8):  # "=", "Quit" (no definition), the blank between
            self.assertEqual(corner(shown, column), corner(normal, column), column)
        for column in (0, 10):
            self.assertEqual(corner(after, column), corner(normal, column), column)


def definition(send_type, text):
    """A key definition as the profile's MACROS values hold it: send type, length, text."""
    units = [send_type, len(text)] + [ord(c) for c in text]
    return "".join("%02X%02X" % (u & 0xFF, u >> 8) for u in units)


class MacroTest(TerminalOnHost):
    long_text = "".join(chr(ord("a") + n % 26) for n in range(600))
    macros = {
        "74": "a<<b((c",               # F5
        "75": "<CONTROL+VT_F6><VT_F12>",  # F6
        "76": "<SHIFT>",               # F7
        "77": long_text,               # F8
        "78": "(notepad)",             # F9
        "7A": "<F6>-<VT_F6>",          # F11
    }

    def configure(self):
        key = HKCU + r"\Profiles\P\Macros\key"
        for code, text in self.macros.items():
            self.wine.reg("add", key, "/v", code + ",0", "/t", "REG_BINARY", "/d", definition(0, text), "/f")

    def press(self, name):
        self.xdotool("key", name)

    def test_macros_send_plain_text_keys_and_start_programs(self):
        self.click(5, 5)  # the keyboard focus
        self.sync()
        # What the keys themselves send: Ctrl+F6 nothing at all on this terminal.
        self.press("ctrl+F6")
        self.sync()
        ctrl_f6 = b""
        self.host.expect_nothing()
        self.press("F5")
        self.host.expect(b"a<b(c")
        self.press("F6")
        self.host.expect(ctrl_f6 + ESC + b"[24~")
        self.press("F7")
        self.sync()
        self.host.expect_nothing()
        self.press("F8")
        self.host.expect(self.long_text.encode(), timeout=30)
        self.press("F11")
        f6 = ESC + b"[17~"
        self.host.expect(f6 + b"-" + f6)
        self.press("F9")
        self.assertIsNotNone(self.probe.find("Notepad", 30000), "the macro started notepad")
        self.sync()
        self.host.expect_nothing()


class MenuKeyTest(TerminalOnHost):
    def test_alt_f_opens_the_file_menu_below_its_item(self):
        self.assertTrue(self.probe.ask("move", self.hwnd, 300, 200, 800, 600)["ok"])
        self.click(5, 5)
        self.xdotool("key", "alt+f")
        # A menu window is made hidden at (0, 0) and moved to its place as it shows:
        # read the place of the one that is visible.
        deadline, menu = time.time() + 10, None
        while menu is None and time.time() < deadline:
            for popup in self.probe.ask("find-all", "#32768")["windows"]:
                info = self.probe.info(popup)
                if info["ok"] and info["visible"]:
                    menu = info
            time.sleep(0.05)
        self.assertIsNotNone(menu, "no pop-up menu showed")
        menu_rect = menu["rect"]
        main = self.probe.info(self.hwnd)
        client_top = self.cell(0, 0)[1]  # below the menu bar, above the first row
        self.assertGreaterEqual(menu_rect[0], main["rect"][0])
        self.assertLess(menu_rect[0], main["rect"][0] + 60, (menu_rect, main["rect"]))
        self.assertGreater(menu_rect[1], main["rect"][1] + 10, (menu_rect, main["rect"]))
        self.assertLess(menu_rect[1], client_top, (menu_rect, main["rect"]))
        self.xdotool("key", "Escape")

if __name__ == "__main__":
    unittest.main()
