"""The DEC emulations in the running program, driven by a scripted telnet host on
127.0.0.1: what the host sends reaches the screen and every report comes back byte for
byte, in VT52, VT100, VT500 7-Bit and VT500 8-Bit.

The screen is read through the program's test screen dump (VXNT_TEST_SCREEN).
"""
import os
import random
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
VT300 = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default\VT300"
CONNECTION = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default\CONNECTION"
ESC = b"\x1b"
CSI = b"\x1b["
DCS = b"\x1bP"
ST = b"\x1b\\"


class DecProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxdec")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)

    def connect(self, host, profile=False, options=()):
        """Starts vexaNT on the host (with command-line `options`); answers (proc, hwnd)."""
        if os.path.exists(self.screen):
            os.remove(self.screen)  # a dump from an earlier session in this test
        if profile:
            # The profile names the host; its VT300 section is read with it.
            for name, kind, value in (("netproto", "REG_DWORD", "0"), ("netname", "REG_SZ", "127.0.0.1"),
                                      ("iTelnetPortNum", "REG_DWORD", str(host.port))):
                self.assertEqual(self.wine.reg("add", CONNECTION, "/v", name, "/t", kind, "/d", value, "/f")[0], 0)
            proc, hwnd = self.wine.launch(EXE, "-SeDefault", *options)
        else:
            proc, hwnd = self.wine.launch(EXE, "127.0.0.1", "-Tnport%d" % host.port, *options)
        self.addCleanup(self.close, proc, hwnd)
        host.wait_connection(30)
        host.expect(th.do(th.ECHO), timeout=20)
        # A request answered proves the terminal is reading; whatever it negotiated
        # meanwhile is dropped.
        host.send(CSI + b"5n")
        host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the first status report")
        host.take()
        return proc, hwnd

    def close(self, proc, hwnd):
        if proc.poll() is None:
            self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
            try:
                proc.wait(timeout=15)
            except Exception:
                proc.kill()

    def ask(self, host, request, answer, timeout=15):
        host.send(request)
        host.expect(answer, timeout)
        time.sleep(0.2)
        self.assertEqual(host.take(), b"", "nothing more after %r" % request)

    def screen_lines(self, marker):
        """The screen dump once it shows `marker` somewhere."""
        deadline = time.time() + 15
        lines = []
        while time.time() < deadline:
            try:
                with open(self.screen, encoding="utf-8") as f:
                    lines = f.read().split("\n")
                if any(marker in line for line in lines):
                    return lines
            except FileNotFoundError:
                pass
            time.sleep(0.1)
        self.fail("the screen never showed %r: %r" % (marker, lines))

    def set_vt300(self, name, text):
        self.assertEqual(self.wine.reg("add", VT300, "/v", name, "/t", "REG_SZ", "/d", text, "/f")[0], 0)

    def test_vt100_reports_and_vt52_round_trip(self):
        with th.ScriptedHost() as host:
            self.connect(host)
            host.send(CSI + b'61"p')  # VT100 conformance
            self.ask(host, CSI + b"2J" + CSI + b"5;10HX" + CSI + b"6n", CSI + b"5;11R")
            self.ask(host, CSI + b"3;20r" + CSI + b"?6h" + CSI + b"6n", CSI + b"1;1R")
            self.ask(host, CSI + b"?6l" + CSI + b"r" + CSI + b"?2l" + ESC + b"Z", ESC + b"/Z")
            # VT52 draws with its own commands: cursor address, graphics, erase.
            host.send(ESC + b"H" + ESC + b"J" + ESC + b"Y%*VT52" + ESC + b"Fqqq" + ESC + b"G")
            lines = self.screen_lines("VT52\u2500")  # the status line names the emulation too
            self.assertEqual(lines[6][10:], "VT52\u2500\u2500\u2500")
            self.assertEqual(lines[0], "cursor 5 17 emulation 0")
            self.ask(host, ESC + b"<" + CSI + b"c", CSI + b"?64;1;2;6;7;8;9;15;18;19;21c")
            self.ask(host, ESC + b"Z", CSI + b"?64;1;2;6;7;8;9;15;18;19;21c")

    def test_vt500_reports_in_seven_and_eight_bits(self):
        with th.ScriptedHost() as host:
            self.connect(host)
            self.ask(host, CSI + b"c", CSI + b"?64;1;2;6;7;8;9;15;18;19;21c")
            self.ask(host, CSI + b"1;4m" + DCS + b"$qm" + ST, DCS + b"1$r0;1;4;37;40;50m" + ST)
            self.ask(host, CSI + b"4h" + CSI + b"4$p" + CSI + b"?7l" + CSI + b"?7$p" + CSI + b"?99$p",
                     CSI + b"4;1$y" + CSI + b"?7;2$y" + CSI + b"?99;0$y")
            self.ask(host, CSI + b"4l" + ESC + b")0" + ESC + b"*<" + CSI + b"1$w", DCS + b"1$u1;1;1;C;@;@;0;2;@;B0<<" + ST)
            host.send(CSI + b"0m" + CSI + b"H" + CSI + b"2J" + ESC + b"(0lqk" + ESC + b"(B done")
            self.assertEqual(self.screen_lines("done")[1], "\u250c\u2500\u2510 done")
            # VT500 8-Bit with 8 data bits leads its reports with the one-byte CSI.
            self.ask(host, ESC + b" G" + CSI + b"5n", b"\x9b0n")
            self.ask(host, th.escape(b"\x9b6n"), b"\x9b1;9R")
            self.ask(host, ESC + b" F" + CSI + b"5n", CSI + b"0n")

    def test_custom_terminal_id_is_sent_exactly(self):
        self.set_vt300("szCustomID", "ABC")
        with th.ScriptedHost() as host:
            self.connect(host, profile=True)
            self.ask(host, CSI + b"c", b"ABC")

    def window_pixels(self, hwnd):
        """The screen window's pixels as the X server holds them (raw RGB)."""
        screen = [c["hwnd"] for c in self.wine.probe.children(hwnd) if c["class"] == "vexaNT0"]
        self.assertTrue(screen, "no screen window")
        rect = self.wine.probe.info(screen[0])["rect"]
        width, height = rect[2] - rect[0], rect[3] - rect[1]
        return subprocess.run(["import", "-display", self.wine.env["DISPLAY"], "-window", "root", "-crop",
                               "%dx%d+%d+%d" % (width, height, rect[0], rect[1]), "rgb:-"],
                              check=True, capture_output=True).stdout

    def assert_full_repaint_changes_nothing(self, hwnd):
        # Deferred drawing is done within half a second of the last byte, later on a
        # loaded machine: the picture counts once two looks a second apart agree.
        shown = self.window_pixels(hwnd)
        deadline = time.time() + 20
        while time.time() < deadline:
            time.sleep(1)
            again = self.window_pixels(hwnd)
            if again == shown:
                break
            shown = again
        self.assertGreater(len(set(shown)), 2, "the window shows text")
        # Posted from outside, the repaint command invalidates the whole screen window;
        # a picture that differs for as long as the deadline allows is a fault.
        self.wine.probe.post(hwnd, vxtest.WM_COMMAND, 1056 | (0xFFFF << 16), 0)
        deadline = time.time() + 20
        while True:
            time.sleep(1)
            same = self.window_pixels(hwnd) == shown
            if same or time.time() > deadline:
                break
        self.assertTrue(same, "a full repaint changed the picture")

    def assert_flood_ends_with_a_full_repaint_picture(self, settings, flood, report, expected, tail=b""):
        """Sends `flood`, then "last" and a cursor position request answered by `report`;
        `expected` maps screen dump lines to their text. Then what is on the glass must
        be what a full repaint of the window draws. `tail` is sent after the flood (once
        a cursor position request sent with it is answered) and before "last", in one
        piece."""
        # A steady cursor, so that the two pictures below differ only by what was drawn.
        for name, value in settings + (("curstyle", "3"),):
            self.assertEqual(self.wine.reg("add", VT300, "/v", name, "/t", "REG_DWORD", "/d", value, "/f")[0], 0)
        with th.ScriptedHost() as host:
            self.connect(host, profile=True)
            if tail:
                host.send(flood + CSI + b"6n")
                host.wait_for(lambda data: data.endswith(b"R"), 120, "the report after the flood")
                host.take()
                flood = tail
            host.send(flood + CSI + b"0mlast" + CSI + b"6n")
            host.expect(report, 120)
            lines = self.screen_lines("last")
            for index, text in expected.items():
                self.assertEqual(lines[index], text, "screen line %d" % index)
            self.assert_full_repaint_changes_nothing(self.wine.probe.find("vexaNT", 5000))

    def test_jump_scroll_flood_ends_with_the_right_screen(self):
        flood = b"".join(b"\x1b[3%dmline %05d of the flood\r\n" % (i % 8, i) for i in range(3000))
        expected = {1 + r: "line %05d of the flood" % (2977 + r) for r in range(23)}
        expected[24] = "last"
        self.assert_flood_ends_with_a_full_repaint_picture((("JumpScroll", "1"),), flood, CSI + b"24;5R", expected)

    def test_smooth_scroll_flood_in_a_region_ends_with_the_right_screen(self):
        # Scrolls of a flood are merged and drawn together: coloured lines in a region,
        # a line above it rewritten now and then, and bursts of reverse index. The last
        # few lines come in one piece after a pause: their scrolls are merged into fewer
        # than the region's rows, so most of the picture is moved, not painted again.
        parts = [CSI + b"2;22r" + CSI + b"22;1H"]
        for i in range(3000):
            parts.append(b"\x1b[3%d;4%dmline %05d of the flood\x1b[K\r\n" % (i % 8, (i // 3) % 8, i))
            if i % 97 == 0:
                parts.append(ESC + b"7" + CSI + b"1;1H" + CSI + b"7mtop %05d" % i + CSI + b"0m" + ESC + b"8")
            if i % 250 == 0:
                parts.append(CSI + b"2;1H" + (ESC + b"M" + b"back %05d\r" % i) * 3 + CSI + b"22;1H")
        tail = b"".join(b"\x1b[3%d;4%dmtail %d\x1b[K\r\n" % (7 - i, i + 1, i) for i in range(5))
        expected = {1: "top 02910", 22: "last"}
        expected.update({2 + r: "line %05d of the flood" % (2985 + r) for r in range(15)})
        expected.update({17 + i: "tail %d" % i for i in range(5)})
        self.assert_flood_ends_with_a_full_repaint_picture((("JumpScroll", "0"),), b"".join(parts), CSI + b"22;5R",
                                                           expected, tail)

    def settled_screen(self, host):
        """The screen dump once the terminal has answered a status request sent after
        everything before it, and the dump has caught up."""
        host.send(CSI + b"5n")
        host.wait_for(lambda data: data.endswith(CSI + b"0n"), 60, "the status report")
        host.take()
        time.sleep(0.5)
        return self.screen_lines("cursor")

    def scroll_bar(self, hwnd):
        bars = [c["hwnd"] for c in self.wine.probe.children(hwnd) if c["class"] == "ScrollBar" and c["visible"]]
        return bars[0] if bars else None

    def thumb_to(self, hwnd, bar, position):
        """Drags the thumb to `position`; answers the screen dump's rows afterwards."""
        WM_VSCROLL, SB_THUMBPOSITION = 0x0115, 4
        self.assertTrue(self.wine.probe.send(hwnd, WM_VSCROLL, SB_THUMBPOSITION | (position << 16), int(bar, 16))["ok"])
        deadline = time.time() + 15
        while time.time() < deadline:
            if self.wine.probe.scroll_info(bar)["pos"] == position:
                break
            time.sleep(0.1)
        time.sleep(0.5)
        return self.screen_lines("cursor")[1:25]

    def session(self, options, script):
        """Runs `script`(host, hwnd) on a terminal started with `options`, and closes the
        terminal whatever the script found, so that the next session's window is its own."""
        with th.ScriptedHost() as host:
            proc, hwnd = self.connect(host, profile=True, options=options)
            try:
                script(host, hwnd)
            finally:
                self.close(proc, hwnd)

    def test_reverse_index_at_the_top_opens_a_blank_line_with_and_without_scroll_back(self):
        # A steady cursor, so that two pictures differ only by what was drawn.
        self.assertEqual(self.wine.reg("add", VT300, "/v", "curstyle", "/t", "REG_DWORD", "/d", "3", "/f")[0], 0)
        # A vt320 keeps what scrolls off in its history (the factory vt420 has pages).
        self.assertEqual(self.wine.reg("add", VT300, "/v", "termid", "/t", "REG_DWORD", "/d", "4", "/f")[0], 0)

        def numbered(first, last):
            return b"".join(b"line%d\r\n" % n for n in range(first, last + 1))

        def reduced(host, hwnd):
            # Seven lines go into the history, then two reverse indexes at the top.
            host.send(numbered(1, 30) + CSI + b"HRI1" + ESC + b"M" + ESC + b"M" + CSI + b"1;1HTOP")
            lines = self.settled_screen(host)
            self.assertEqual(lines[1:5], ["TOP", "", "RI1e8", "line9"])
            bar = self.scroll_bar(hwnd)
            if options:
                self.assertIsNone(bar, "no scroll bar with -Sb")
                return
            self.assertIsNotNone(bar)
            self.assertEqual(self.wine.probe.scroll_info(bar)["max"], 7)
            self.assertEqual(self.thumb_to(hwnd, bar, 0)[:9], ["line%d" % n for n in range(1, 8)] + ["TOP", ""])
            self.assertEqual(self.thumb_to(hwnd, bar, 7), lines[1:25])

        def less_back_a_page(host, hwnd):
            # What less sends to go back a page after G.
            host.send(numbered(1, 200))
            host.send(b"".join(CSI + b"H" + ESC + b"M" + b"line%d\r\n" % k for k in range(181, 158, -1)))
            lines = self.settled_screen(host)
            self.assertEqual(lines[1:24], ["line%d" % n for n in range(159, 182)])
            self.assert_full_repaint_changes_nothing(hwnd)
            if options:
                return
            bar = self.scroll_bar(hwnd)
            self.assertEqual(self.wine.probe.scroll_info(bar)["max"], 177, "the history holds line1-177")
            self.assertEqual(self.thumb_to(hwnd, bar, 176)[:2], ["line177", "line159"])
            self.assertEqual(self.thumb_to(hwnd, bar, 0)[0], "line1")
            self.assertEqual(self.thumb_to(hwnd, bar, 177), lines[1:25])
            self.assert_full_repaint_changes_nothing(hwnd)

        for options in ((), ("-Sb",)):
            with self.subTest(options=options):
                self.session(options, reduced)
                self.session(options, less_back_a_page)

    def test_random_bytes_then_a_status_request(self):
        noise = random.Random(20261209).randbytes(1 << 20)
        with th.ScriptedHost() as host:
            self.connect(host)
            for i in range(0, len(noise), 65536):
                host.send(th.escape(noise[i:i + 65536]))
            # CAN and ST end whatever sequence or string the noise left open; VT500
            # 7-bit (ESC SP F) puts any 8-bit switch of the noise back.
            host.send(b"\x18" + ST + ESC + b"<" + ESC + b" F" + CSI + b"5n")
            host.wait_for(lambda data: data.endswith(CSI + b"0n"), 120, "the status report after the noise")


if __name__ == "__main__":
    unittest.main()
