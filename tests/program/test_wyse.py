"""The Wyse family in the running program, from outside: a scripted telnet host on
127.0.0.1 drives the personalities with sequences from their terminfo entries (tput) and
from tools/telnethost/wyse.py, the keys are pressed with xdotool, the screen is read
through the test screen dump (VXNT_TEST_SCREEN) and the status bar's emulation field
through the status dump (VXNT_TEST_STATUS); the Setup page is driven with winprobe and
the profile read back with `wine reg`."""
import os
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.printers import SpooledPrinter, ghostscript_text

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402
from telnethost import wyse as w  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
PROFILE = r"HKCU\Software\Quorlan\vexaNT\Profiles\P"
SAVE, TERMINAL, ATTRIBUTES, WYSE_PAGE, PRINT_SCREEN = 1011, 1014, 1016, 1033, 1040
ESC = b"\x1b"
# The personalities: id, name (field 7409) and telnet terminal type.
PERSONALITIES = ((8, "WY50", "ZARA-50"), (9, "WY50+", "ZARA-50"), (10, "TVI910", "TVI910"),
                 (11, "TVI920", "TVI920"), (12, "TVI925", "TVI925"), (13, "ADDS A2", "ADDS-A2"),
                 (14, "HZ1500", "HZ1500"), (15, "WY60", "ZARA-60"))


class WyseCase(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxwyse")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.status = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status)
        code, _ = self.wine.reg("add", r"HKCU\Software\Quorlan\vexaNT", "/v", "Session", "/t", "REG_SZ", "/d", "P",
                                "/f")
        self.assertEqual(code, 0)

    def setting(self, section, name, value):
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", "REG_DWORD", "/d",
                                       str(value), "/f")[0], 0)

    def start(self, host, emulation, zara=()):
        """vexaNT in `emulation` on the host, 8 data bits; returns its window."""
        self.setting("VT300", "vdumode", emulation)
        self.setting("CONNECTION", "comdatab", 2)
        for name, value in zara:
            self.setting("ZARA", name, value)
        proc, hwnd = self.start_terminal("127.0.0.1", "-Tnport%d" % host.port, "-SeP")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        host.wait_connection(60)
        host.expect(th.do(th.ECHO), timeout=30)
        self.sync(host, vt=emulation == 2)
        return hwnd

    def sync(self, host, vt=None):
        """A request answered: everything sent before has been taken in. Every Wyse
        personality answers ENQ with ACK while the answerback mode is off; the VT a
        status request."""
        host.take()
        if vt is None:
            vt = self.emulation_now() == 2
        host.send(ESC + b"[5n" if vt else w.ENQ)
        host.wait_for(lambda data: data.endswith(ESC + b"[0n" if vt else w.ACK), 30, "the answer")
        host.take()

    def emulation_now(self):
        try:
            with open(self.screen, encoding="utf-8") as f:
                first = f.readline()
            return int(first.split()[-1])
        except (FileNotFoundError, ValueError, IndexError):
            return -1

    def ask(self, host, request, answer):
        host.send(request)
        if answer:
            host.expect(answer, timeout=20)
        self.sync(host)

    def dump(self, ready, path=None, timeout=20):
        deadline, lines = time.time() + timeout, []
        while time.time() < deadline:
            try:
                with open(path or self.screen, encoding="utf-8") as f:
                    lines = f.read().split("\n")
                if ready(lines):
                    return lines
            except FileNotFoundError:
                pass
            time.sleep(0.1)
        self.fail("the dump never became ready: %r" % lines)

    def emulation_field(self, name):
        return self.dump(lambda l: "emulation " + name in l, self.status)


class WyseProgramTest(WyseCase):
    def test_personalities_show_their_names_send_their_types_and_give_vt500_back(self):
        with th.ScriptedHost() as host:
            self.start(host, 2)
            vt = self.dump(lambda l: l and l[0].endswith("emulation 2"))
            host.send(ESC + b"[42h")  # the VT's switch to WY60
            self.emulation_field("WY60")
            for emulation, name, terminal_type in PERSONALITIES:
                host.send(w.personality(name))
                self.emulation_field(name)
                self.sync(host)
                host.send(th.ttype_send())
                host.expect(th.ttype_is(terminal_type), timeout=20)
            host.send(w.personality("WY60"))
            self.emulation_field("WY60")
            self.ask(host, w.identify(), b"60\r")
            host.send(w.personality("WY50"))
            self.emulation_field("WY50")
            self.ask(host, w.identify(), b"50\r")
            host.send(w.personality("WY50+"))
            self.emulation_field("WY50+")
            self.ask(host, w.identify(), b"50+\r")
            host.send(w.personality("ADDS A2"))
            self.emulation_field("ADDS A2")
            self.ask(host, w.identify(), b"")
            self.assertEqual(host.take(), b"")
            host.send(w.personality("VT500 7-Bit"))
            back = self.dump(lambda l: l and l[0].endswith("emulation 2"))
            self.assertEqual(len(back), len(vt))
            self.ask(host, ESC + b"[5;10H" + ESC + b"[6n", b"")
            host.send(ESC + b"[6n")
            host.expect(ESC + b"[5;10R", timeout=20)

    def test_wy60_addresses_reports_labels_status_and_answerback(self):
        with th.ScriptedHost() as host:
            self.start(host, 15)
            cup = w.terminfo("wy60", "cup", 5, 16)
            self.assertEqual(cup, ESC + b"=%0")
            self.ask(host, cup + w.report_cursor(), b"\x25\x30\r")
            self.ask(host, w.report_decimal(), b"006R017C")
            self.ask(host, w.report_page(), b"\x30\x25\x30\r")
            host.send(w.terminfo("wy60", "pln", 1, "Edit") + w.terminfo("wy60", "tsl") + b"hi" +
                      w.terminfo("wy60", "fsl"))
            lines = self.dump(lambda l: any(x.startswith("labels Edit") for x in l) and
                              any(x.startswith("status") and "hi" in x for x in l))
            self.ask(host, w.columns132() + w.terminfo("wy60-w", "cup", 5, 100) + w.report_decimal(), b"006R101C")
            # The answerback: twenty characters, then ACK; thirty overrun nothing.
            self.ask(host, w.answerback_mode() + w.answerback(b"abcdefghijklmnopqrst"), b"")
            host.send(w.ENQ)
            host.expect(b"abcdefghijklmnopqrst\x06", timeout=20)
            host.send(w.answerback(b"z" * 30))
            host.send(w.ENQ)
            host.expect(b"z" * 20 + b"\x06", timeout=20)
            self.ask(host, w.answerback_mode(False), b"")

    def test_long_screen_send_reaches_the_host_whole(self):
        # A WY50+ economy page of 145 lines, its cells alternating protected and
        # unprotected (three bytes a cell when sent), sent by ESC 7 from its end.
        with th.ScriptedHost() as host:
            self.start(host, 9)
            # The page format change acknowledges itself once the memory is carved.
            host.send(ESC + b"eG" + ESC + b"wJ" + ESC + b"K")
            host.expect(w.ACK, timeout=20)
            self.sync(host)
            page = []
            for i in range(145 * 80):
                if i == 144 * 80:
                    page.append(ESC + b"d.")  # the last line without auto wrap
                page.append(ESC + b"(u" if i % 2 else ESC + b")p")
            host.send(b"".join(page))
            self.sync(host)
            line = b"".join(ESC + b"(u" if c % 2 else ESC + b")p" for c in range(80))
            host.send(ESC + b"7")
            host.expect((line + b"\x1f") * 144 + line + b"\r", timeout=60)
            host.send(w.ENQ)
            host.expect(w.ACK, timeout=20)  # and nothing more before it

    def test_wy60_keys(self):
        with th.ScriptedHost() as host:
            self.start(host, 15)
            self.focus_terminal()
            names = ["F%d" % n for n in range(1, 13)] + ["alt+F%d" % n for n in range(3, 7)]
            wanted = [w.terminfo("wy60", "kf%d" % n) for n in range(1, 17)]
            for key, cap in (("Up", "kcuu1"), ("Down", "kcud1"), ("Left", "kcub1"), ("Right", "kcuf1"),
                             ("Home", "khome"), ("Delete", "kdch1"), ("Prior", "kpp"), ("Next", "knp"),
                             ("Print", "kprt")):
                names.append(key)
                wanted.append(w.terminfo("wy60", cap))
            for key, sends in zip(names, wanted):
                self.assertEqual(self.xdotool("key", key).returncode, 0, key)
                host.expect(sends, timeout=20)
            self.ask(host, w.application_keys(), b"")
            self.xdotool("key", "F1")
            host.expect(b"\x80", timeout=20)
            self.ask(host, w.application_keys(False), b"")
            self.ask(host, w.terminfo("wy60", "pfx", 1, "ls\r"), b"")
            self.xdotool("key", "F1")
            host.expect(b"ls\r", timeout=20)
            self.ask(host, w.report_key(ord("@")), b"1@ls\r\x7f")

    def test_wy50_colours_paint_the_embedded_palette_entries(self):
        with th.ScriptedHost() as host:
            hwnd = self.start(host, 8, zara=(("wy_usecolour", 1),))
            self.ask(host, w.identify(), b"350\r")
            text = w.terminfo("wy350", "is3") + w.terminfo("wy50", "clear")
            for colour in range(1, 8):
                text += w.terminfo("wy350", "setf", colour) + b"X"
            host.send(text + w.terminfo("wy50", "civis"))
            self.dump(lambda l: len(l) > 1 and l[1].startswith(" X X X X X X X"))
            self.sync(host)
            # The frame paints a moment after the store changed.
            deadline = time.time() + 20
            while True:
                shot, rect = self.capture(hwnd)
                cells = self.cell_colours(shot, rect, 1, [2 * i + 1 for i in range(7)])
                if all(c != (0, 0, 0) for c in cells) or time.time() > deadline:
                    break
                time.sleep(0.3)
            # The terminal palette's entries 1, 3, 5, 2, 4, 6, 7: blue, green, cyan, red,
            # magenta, yellow, white, from the WY350 hues (0 blue, 120 red, 240 green).
            expected = [hls_rgb(*p) for p in (ENTRY[1], ENTRY[3], ENTRY[5], ENTRY[2], ENTRY[4], ENTRY[6], ENTRY[7])]
            for i, (got, want) in enumerate(zip(cells, expected)):
                self.assertTrue(all(abs(a - b) <= 8 for a, b in zip(got, want)), "setf %d: %r, not %r" %
                                (i + 1, got, want))

    def test_caret_stands_on_the_cursor_cell(self):
        # A steady block caret on an empty WY60 screen inks exactly the cursor's cell,
        # below the status line.
        with th.ScriptedHost() as host:
            hwnd = self.start(host, 15)
            self.focus_terminal()
            host.send(w.terminfo("wy60", "clear") + ESC + b"`2" + w.terminfo("wy60", "cup", 5, 16))
            self.sync(host)
            self.assertEqual(self.caret_cells(hwnd, [(6, 16)]), [(6, 16)])
            # On a double-width row (ESC G A) the cursor's cell is twice as wide.
            host.send(ESC + b"GA")
            self.sync(host)
            self.assertEqual(self.caret_cells(hwnd, [(6, 32)]), [(6, 32)])

    def caret_cells(self, hwnd, wanted):
        """The inked cells of the text rows, once they are `wanted` or after a while."""
        deadline = time.time() + 20
        while True:
            shot, rect = self.capture(hwnd)
            inked = self.inked_cells(shot, rect, range(1, 25), range(80))
            if inked == wanted or time.time() > deadline:
                return inked
            time.sleep(0.3)

    def inked_cells(self, shot, rect, rows, columns):
        """The (row, column) of every cell holding a pixel of another colour than the
        screen's commonest one."""
        height = (rect[3] - rect[1]) / 26.0
        width = (rect[2] - rect[0]) / 80.0
        counts = {}
        for y in range(int(rect[1] + height), int(rect[1] + 25 * height), 3):
            for x in range(rect[0], rect[2], 3):
                counts[shot[y][x]] = counts.get(shot[y][x], 0) + 1
        background = max(counts, key=counts.get)
        result = []
        for row in rows:
            for column in columns:
                x0, y0 = int(rect[0] + column * width), int(rect[1] + row * height)
                if any(shot[y][x] != background for y in range(y0 + 1, int(y0 + height) - 1)
                       for x in range(x0 + 1, int(x0 + width) - 1)):
                    result.append((row, column))
        return result

    def capture(self, hwnd):
        from test_selection import screenshot  # noqa: E402
        rect = None
        for child in self.wine.probe.children(hwnd):
            if child["class"] == "vexaNT0":
                rect = self.wine.probe.info(child["hwnd"])["rect"]
        self.assertIsNotNone(rect, "no screen window")
        return screenshot(self.wine.env), rect

    def cell_colours(self, shot, rect, row, columns):
        """The ink of each cell: the commonest colour in it that is not the background of
        the blank cell before it."""
        # 26 rows: the status line, 24 text rows, the label line.
        height = (rect[3] - rect[1]) / 26.0
        width = (rect[2] - rect[0]) / 80.0
        result = []
        for column in columns:
            counts = {}
            x0, y0 = int(rect[0] + column * width), int(rect[1] + row * height)
            background = shot[int(y0 + height / 2)][int(x0 - width / 2)]
            for y in range(y0, int(y0 + height)):
                for x in range(x0, int(x0 + width)):
                    if shot[y][x] != background:
                        counts[shot[y][x]] = counts.get(shot[y][x], 0) + 1
            result.append(max(counts, key=counts.get) if counts else background)
        return result


# The WY350 palette of a profile without one (hue, lightness, saturation).
ENTRY = {1: (0, 50, 100), 2: (120, 50, 100), 3: (240, 50, 100), 4: (75, 50, 100), 5: (300, 50, 100),
         6: (180, 50, 100), 7: (0, 100, 100)}


def hls_rgb(hue, lightness, saturation):
    """An HLS colour with the terminals' hues (0 blue, 120 red, 240 green) as 8-bit RGB."""
    import colorsys
    r, g, b = colorsys.hls_to_rgb(((hue - 120) % 360) / 360.0, lightness / 100.0, saturation / 100.0)
    return tuple(int(round(c * 255)) for c in (r, g, b))


class WyseControllerTest(WyseCase):
    def test_controller_print_is_one_raw_job_in_each_personality_and_print_screen_prints_the_rows(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        cases = (("WY60", w.terminfo("wy60", "mc5"), w.terminfo("wy60", "mc4")),
                 ("TVI925", ESC + b"`", ESC + b"a"),
                 ("ADDS A2", ESC + b"3", ESC + b"4"))
        with th.ScriptedHost() as host:
            hwnd = self.start(host, 15)
            for count, (name, start, end) in enumerate(cases, 1):
                host.send(w.personality(name))
                self.emulation_field(name)
                self.sync(host)
                marker = "shown%d" % count
                host.send(start + b"AB\r\n" + end + marker.encode())
                lines = self.dump(lambda l: any(marker in x for x in l[1:]))
                self.assertFalse(any("AB" in x for x in lines[1:]), "%s: controller data stays off the screen" % name)
                self.assertEqual(spool.wait_jobs(count), [b"AB\r\n"] * count, name)
            # The menu's print screen prints the Wyse screen's rows, not the core's.
            host.send(w.personality("WY60"))
            self.emulation_field("WY60")
            rows = [b"first row", b"  second, indented", b"", b"fourth after a blank"]
            host.send(w.terminfo("wy60", "clear") + b"\r\n".join(rows))
            self.sync(host)
            self.assertTrue(self.wine.probe.command(hwnd, PRINT_SCREEN))
            dialog = self.wine.probe.find_dialog("Print Screen", 20000)
            self.assertIsNotNone(dialog, "the menu's print screen asks for the method")
            self.assertTrue(self.wine.probe.click(dialog, 1))
            jobs = spool.wait_jobs(len(cases) + 1)
            self.assertEqual(len(jobs), len(cases) + 1)
            text = ghostscript_text(jobs[-1]).replace("\xa0", " ")
            self.assertEqual([line.strip() for line in text.split("\n") if line.strip()],
                             [r.decode().strip() for r in rows if r])


class WyseSetupTest(WyseCase):
    def page(self, hwnd):
        self.assertTrue(self.wine.probe.command(hwnd, WYSE_PAGE))
        dialog = self.wine.probe.find_dialog("Wyse Settings", 20000)
        self.assertIsNotNone(dialog, "the Wyse Settings page did not open")
        return dialog

    def ok(self, dialog):
        self.assertTrue(self.wine.probe.click(dialog, 1))
        self.assertTrue(self.wine.probe.ask("wait-gone", dialog, 10000)["ok"])

    def save(self, hwnd):
        self.wine.reg("delete", PROFILE, "/f")
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))

    def zara(self):
        return self.wine.reg_values(PROFILE + "\\ZARA") or {}

    def test_lines_follow_the_page_and_the_profile(self):
        with th.ScriptedHost() as host:
            hwnd = self.start(host, 15)
            self.save(hwnd)
            self.assertEqual(self.zara(), {}, "factory values write nothing")
            page = self.page(hwnd)
            self.assertTrue(self.wine.probe.select(page, 2700, 2))  # 42
            self.ok(page)
            host.send(w.terminfo("wy60-42", "cup", 41, 0) + b"bottom")
            lines = self.dump(lambda l: len(l) > 42 and l[42] == "bottom")
            self.assertTrue(lines[44].startswith("status"), lines[43:])
            self.save(hwnd)
            self.assertEqual(self.zara().get("wy_disp_size"), ("REG_DWORD", "0x2a"))

    def test_tvi925_keeps_24_lines(self):
        with th.ScriptedHost() as host:
            hwnd = self.start(host, 12)
            page = self.page(hwnd)
            self.assertFalse(self.wine.probe.control(page, 2700)["enabled"])
            self.assertTrue(self.wine.probe.select(page, 2700, 3))  # 43, though the page offers none
            self.ok(page)
            self.save(hwnd)
            self.assertNotIn("wy_disp_size", self.zara())
            lines = self.dump(lambda l: len(l) > 26 and l[26].startswith("status"))
            self.assertEqual(len(lines), 28)  # cursor, 24 rows, labels, status and the end
            # The Attributes page lists the Wyse elements and names intensity as a Wyse does.
            self.assertTrue(self.wine.probe.command(hwnd, ATTRIBUTES))
            attributes = self.wine.probe.find_dialog("Attributes", 20000)
            self.assertIsNotNone(attributes, "the Attributes page did not open")
            self.assertIn("Dim", self.wine.probe.control(attributes, 2215)["text"])
            self.ok(attributes)
            # The Terminal page offers the width and "Ignore Nulls" but neither the character
            # sets nor the tab ruler, and the modes a Wyse keeps on its own page are greyed:
            # a click on Auto Wrap changes nothing.
            self.assertTrue(self.wine.probe.command(hwnd, TERMINAL))
            terminal = self.wine.probe.find_dialog("Terminal Settings", 20000)
            self.assertIsNotNone(terminal, "the Terminal page did not open")
            self.assertTrue(self.wine.probe.control(terminal, 1516)["enabled"])
            self.assertFalse(self.wine.probe.control(terminal, 8)["enabled"])
            rows = [i["text"] for i in self.wine.probe.items(terminal, 1639)["items"]]
            for row in (rows.index("Auto Wrap"), rows.index("Ignore Nulls")):
                self.click_check_box(terminal, row)
            self.ok(terminal)
            self.save(hwnd)
            values = self.wine.reg_values(PROFILE + "\\VT300") or {}
            self.assertNotIn("autowrap", values)
            self.assertIn("ignnulls", values)

    def click_check_box(self, dialog, row):
        """A click on the box of the check list's row, with the X server's pointer."""
        height = self.wine.probe.items(dialog, 1639)["itemHeight"]
        left, top = self.wine.probe.control(dialog, 1639)["rect"][:2]
        self.xdotool("mousemove", str(left + 9), str(top + 3 + row * height + 5))
        self.xdotool("click", "1")
        time.sleep(0.3)


if __name__ == "__main__":
    unittest.main()
