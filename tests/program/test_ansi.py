"""The ANSI consoles in the running program: the emulation switch enters Ansi BBS, SCO
Console and AT 386 with their 25 rows and names and gives VT500 its rows back; a scripted
telnet host on 127.0.0.1 sees the console's terminal type and draws with what the
consoles' terminfo entries send (tput -T scoansi / at386 / ansi).

The screen is read through the program's test screen dump (VXNT_TEST_SCREEN), the status
bar's emulation field through the status dump (VXNT_TEST_STATUS).
"""
import collections
import os
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

SAVE = 1011
PROFILE = r"HKCU\Software\Quorlan\vexaNT\Profiles\P"
CSI = b"\x1b["


def tput(term, *args):
    return subprocess.run(["tput", "-T", term] + [str(a) for a in args], check=True,
                          stdout=subprocess.PIPE).stdout


class AnsiConsoleProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxansi")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.status = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status)

    def start(self):
        proc, hwnd = self.start_terminal()
        self.addCleanup(self.stop_terminal, proc, hwnd)
        return hwnd

    def read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def wait(self, what, check, timeout=20):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if check():
                return
            time.sleep(0.1)
        self.fail("%s never came: screen %r, status %r" % (what, self.read(self.screen), self.read(self.status)))

    def rows(self):
        """The screen rows of the dump (the status line's text follows them)."""
        lines = self.read(self.screen).split("\n")[1:]
        for i, line in enumerate(lines):
            if line.startswith("status "):
                return lines[:i]
        return lines[:-1]

    def emulation_name(self):
        for line in self.read(self.status).split("\n"):
            if line.startswith("emulation "):
                return line[len("emulation "):]
        return None

    def connect(self, hwnd, host):
        self.connect_telnet(hwnd, host.port)
        host.wait_connection(60)
        host.expect(th.do(th.ECHO), timeout=30)

    def test_switch_takes_the_consoles_rows_and_names_and_gives_vt500_its_own_back(self):
        hwnd = self.start()
        self.wait("the first dump", lambda: len(self.rows()) >= 24)
        vt_rows = len(self.rows())
        vt_name = None
        self.wait("the VT name", lambda: self.emulation_name() not in (None, ""))
        vt_name = self.emulation_name()
        for name, shown in (("SCO Console", " Sco Console "), ("AT 386", "  AT 386  "), ("Ansi BBS", " Ansi BBS "),
                            ("AIXTerm", "  AIXTerm  ")):
            self.choose_emulation(hwnd, name)
            self.wait(name + " in the status bar", lambda: self.emulation_name() == shown)
            self.wait(name + "'s 25 rows", lambda: len(self.rows()) == 25)
        self.choose_emulation(hwnd, "VT500 7-Bit")
        self.wait("VT500 again", lambda: self.emulation_name() == vt_name)
        self.wait("VT500's rows", lambda: len(self.rows()) == vt_rows)

    def test_save_session_keeps_a_console_palette_only_when_it_is_not_the_factory_one(self):
        self.assertEqual(self.wine.reg("add", r"HKCU\Software\Quorlan\vexaNT", "/v", "Session", "/t", "REG_SZ",
                                       "/d", "P", "/f")[0], 0)
        hwnd = self.start()
        self.choose_emulation(hwnd, "SCO Console")
        self.wait("SCO Console", lambda: self.emulation_name() == " Sco Console ")
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        self.assertIsNotNone(self.wine.reg_values(PROFILE + r"\VT300"), "the save")
        self.assertFalse(self.wine.reg_values(PROFILE + r"\ScoConsole"), "a factory palette was written")
        # One lightness in the profile: entering the console takes it, the save writes
        # all three values.
        self.assertEqual(self.wine.reg("add", PROFILE + r"\ScoConsole", "/v", "lightness", "/t", "REG_BINARY",
                                       "/d", "0a00", "/f")[0], 0)
        self.choose_emulation(hwnd, "AT 386")
        self.wait("AT 386", lambda: self.emulation_name() == "  AT 386  ")
        self.choose_emulation(hwnd, "Ansi BBS")
        self.wait("Ansi BBS", lambda: self.emulation_name() == " Ansi BBS ")
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        self.assertEqual(len(self.wine.reg_values(PROFILE + r"\ScoConsole") or {}), 3, "the palette saved")
        values = self.wine.reg_values(PROFILE + r"\ScoConsole")
        for name in ("hue", "lightness", "saturation"):
            self.assertEqual(values[name][0], "REG_BINARY", name)
            self.assertEqual(len(values[name][1]), 64, name)
        self.assertTrue(values["lightness"][1].upper().startswith("0A003200"), values["lightness"][1])
        self.assertIsNone(self.wine.reg_values(PROFILE + r"\AT386"))

    def test_host_draws_with_the_terminfo_entries(self):
        with th.ScriptedHost() as host:
            hwnd = self.start()
            self.choose_emulation(hwnd, "SCO Console")
            self.wait("SCO Console", lambda: self.emulation_name() == " Sco Console ")
            self.connect(hwnd, host)
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.wait_for(lambda data: th.ttype_is("ansi") in data, what="the terminal type")
            host.take()
            t = "scoansi"
            host.send(tput(t, "clear") + tput(t, "cup", 2, 4) + b"abcdefgh" + tput(t, "cup", 2, 6) +
                      tput(t, "dch", 2) + tput(t, "ich", 3) + b"XY" + tput(t, "cup", 4, 0) + b"line4" +
                      tput(t, "cup", 3, 0) + tput(t, "il", 1) + b"new3" + tput(t, "cup", 6, 0) + b"gone" +
                      tput(t, "dl", 1) + tput(t, "cup", 7, 0) + tput(t, "smacs") + b"ZD?" + tput(t, "rmacs") +
                      tput(t, "sgr0") + b" done")
            self.wait("the drawing", lambda: any("done" in r for r in self.rows()))
            rows = self.rows()
            self.assertEqual(rows[2], "    abXY efgh")
            self.assertEqual(rows[3], "new3")
            self.assertEqual(rows[5], "line4")
            self.assertEqual(rows[6], "")
            self.assertEqual(rows[7], "\u250c\u2500\u2510 done")
            host.send(tput(t, "cup", 7, 3) + tput(t, "el") + CSI + b"5n")
            host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the status report")
            self.wait("the erase", lambda: self.rows()[7] == "\u250c\u2500\u2510")

    def test_keys_from_the_keyboard_send_each_consoles_strings(self):
        with th.ScriptedHost() as host:
            hwnd = self.start()
            self.choose_emulation(hwnd, "SCO Console")
            self.wait("SCO Console", lambda: self.emulation_name() == " Sco Console ")
            self.connect(hwnd, host)
            host.send(CSI + b"5n")
            host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the first status report")
            host.take()
            self.focus_terminal()

            def key(name, expected):
                self.assertEqual(self.xdotool("key", name).returncode, 0, name)
                host.expect(expected, timeout=15)

            key("F1", CSI + b"M")
            key("shift+F1", CSI + b"Y")
            # The host's strings: ESC Q for F1, a quoted key redefinition that starts
            # nothing, and a 30-byte text that is refused.
            host.send(b"\x1bQ0'hello'" + CSI + b'0;60;"(notepad)";13p' + b"\x1bQ1'" + b"x" * 30 + b"'" + CSI + b"5n")
            host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the definitions")
            host.take()
            key("F1", b"hello")
            key("shift+F1", CSI + b"Y")
            key("F2", b"(notepad)\r")  # CR as the key definition has it
            self.assertIsNone(self.wine.probe.find("Notepad", 1500), "a key started a program")
            host.send(CSI + b"0;60;0;60p" + CSI + b"5n")
            host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the restore")
            host.take()
            key("F2", CSI + b"N")
            for name, emulation, keys in (("AT 386", "  AT 386  ", (("F12", b"\x1bOA"), ("F1", b"\x1bOP"))),
                                          ("AIXTerm", "  AIXTerm  ", (("F1", CSI + b"001q"),)),
                                          ("Ansi BBS", " Ansi BBS ", (("F1", b"\x1bOP"), ("Delete", b"\x7f")))):
                self.choose_emulation(hwnd, name)
                self.wait(name, lambda: self.emulation_name() == emulation)
                self.focus_terminal()
                for key_name, expected in keys:
                    key(key_name, expected)

    def window_colours(self, hwnd):
        """The screen window's pixels as the X server holds them, counted by colour."""
        screen = [c["hwnd"] for c in self.wine.probe.children(hwnd) if c["class"] == "vexaNT0"]
        self.assertTrue(screen, "no screen window")
        rect = self.wine.probe.info(screen[0])["rect"]
        raw = subprocess.run(["import", "-display", self.wine.env["DISPLAY"], "-window", "root", "-crop",
                              "%dx%d+%d+%d" % (rect[2] - rect[0], rect[3] - rect[1], rect[0], rect[1]), "rgb:-"],
                             check=True, capture_output=True).stdout
        return collections.Counter(raw[i:i + 3] for i in range(0, len(raw) - 2, 3))

    def drawn(self, hwnd, host, sequence, text):
        """The colours on the glass once `sequence` and `text` are on row 1."""
        host.send(CSI + b"2J" + CSI + b"H" + sequence + text + CSI + b"0m" + CSI + b"5n")
        host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the status report")
        host.take()
        self.wait("the text", lambda: self.rows() and self.rows()[0] == text.decode().rstrip())
        time.sleep(1)  # drawn at the next frame
        return self.window_colours(hwnd)

    def test_sco_colour_pair_against_ansi_bbs_renditions_in_pixels(self):
        # ESC [ 2;1;4 m: in SCO Console foreground 1 (blue) on background 2 (red) by its
        # colour map; in Ansi BBS 2 is ignored, 1 bold and 4 underline, no colour. Red
        # and blue are taken as the display shows SGR 41 and 44 blanks.
        with th.ScriptedHost() as host:
            hwnd = self.start()
            self.choose_emulation(hwnd, "SCO Console")
            self.wait("SCO Console", lambda: self.emulation_name() == " Sco Console ")
            self.connect(hwnd, host)
            black = bytes(3)

            def main_colour(counts):
                return next(c for c, _ in counts.most_common() if c != black)

            blanks = b" " * 40 + b"x"
            red = main_colour(self.drawn(hwnd, host, CSI + b"41m", blanks))
            blue = main_colour(self.drawn(hwnd, host, CSI + b"44m", blanks))
            self.assertNotEqual(red, blue)
            pair = self.drawn(hwnd, host, CSI + b"2;1;4m", b"  " + b"X" * 38 + b"  x")
            self.assertEqual(main_colour(pair), red, "SCO Console: the background is colour 2")
            self.assertIn(blue, pair, "SCO Console: the text is colour 1")
            self.choose_emulation(hwnd, "Ansi BBS")
            self.wait("Ansi BBS", lambda: self.emulation_name() == " Ansi BBS ")
            bbs = self.drawn(hwnd, host, CSI + b"2;1;4m", b"  " + b"X" * 38 + b"  x")
            self.assertNotIn(red, bbs, "Ansi BBS: no colour")
            self.assertNotIn(blue, bbs, "Ansi BBS: no colour")

    def test_aixterm_status_line_title_and_device_attributes(self):
        with th.ScriptedHost() as host:
            hwnd = self.start()
            self.choose_emulation(hwnd, "AIXTerm")
            self.wait("AIXTerm", lambda: self.emulation_name() == "  AIXTerm  ")
            self.connect(hwnd, host)
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.wait_for(lambda data: th.ttype_is("aixterm") in data, what="the terminal type")
            host.take()
            t = "aixterm"
            host.send(tput(t, "clear") + tput(t, "tsl", 5) + b"on the status line" + tput(t, "fsl") +
                      tput(t, "cup", 1, 2) + tput(t, "smacs") + b"lqk" + tput(t, "rmacs") + b" main" +
                      b"\x1b]0;hi\x1b\\after")
            self.wait("the status line", lambda: "status     on the status line" in self.read(self.screen))
            self.wait("the main text", lambda: len(self.rows()) > 1 and self.rows()[1] == "  \u250c\u2500\u2510 mainafter")
            self.wait("the title", lambda: self.wine.probe.ask("text", hwnd).get("text", "").startswith("hi"))
            host.send(CSI + b"0c")
            host.wait_for(lambda data: data.endswith(CSI + b"?1;2c"), 20, "the device attributes")
            host.send(tput(t, "dsl"))
            self.wait("the status line cleared", lambda: "status \n" in self.read(self.screen))


if __name__ == "__main__":
    unittest.main()
