"""The IBM 3151 in the running program, from outside: a scripted telnet host on
127.0.0.1 sends and expects exact bytes; the screen and the status bar are read through
the test dumps (VXNT_TEST_SCREEN, VXNT_TEST_STATUS), keys are typed with xdotool, the
Setup page is driven with winprobe and printed jobs land in a spooler's files. The
profile starts the terminal as an IBM 3151 (Echo mode, turnaround CR).
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.printers import SpooledPrinter

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
IBM3151 = PROFILE + r"\IBM3151"
ESC = b"\x1b"
CR = b"\r"
CMD_SAVE, CMD_IBM3151 = 1011, 1031
FIELD_NAME, FIELD_CURSOR, FIELD_MODE, FIELD_STATE = 7409, 7400, 7581, 7586


def cup(row, column):
    return ESC + b"Y" + bytes([row + 32, column + 32])


class Ibm3151Session:
    """vexaNT as an IBM 3151 on a scripted host."""

    def __init__(self, test, values=None):
        self.test, self.wine = test, test.wine
        self.dir = tempfile.mkdtemp(prefix="vx3151")
        self.screen_path = os.path.join(self.dir, "screen.txt")
        self.status_path = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen_path)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status_path)
        self.host = th.ScriptedHost()
        self.closed = False
        try:
            test.setting("VT300", "vdumode", 16)
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", self.host.port)):
                test.setting("CONNECTION", name, value)
            for name, value in (values or {}).items():
                test.setting("IBM3151", name, value)
            self.proc, self.hwnd = test.start_terminal("-SeDefault")
        except BaseException:
            self.host.stop()
            raise
        self.host.wait_connection(30)
        self.sync()

    def sync(self, turnaround=CR):
        """Until the terminal has taken everything sent so far (ESC 6 answers)."""
        self.host.send(ESC + b"6")
        self.host.wait_for(lambda data: data.endswith(ESC + b"6 @" + turnaround), 30, "the answer to ESC 6")
        self.host.take()

    def ask(self, request, answer):
        self.host.send(request)
        self.host.expect(answer, 15)
        time.sleep(0.1)
        self.test.assertEqual(self.host.take(), b"", "nothing more after %r" % request)

    def _read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except OSError:
            return ""

    def dump(self):
        return self._read(self.screen_path).split("\n")

    def rows(self):
        return self.dump()[1:]

    def field(self, field_id):
        for line in self._read(self.status_path).split("\n"):
            if line.startswith("field%d " % field_id):
                return line.split(" ", 1)[1]
        return None

    def wait(self, predicate, what, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if predicate():
                return
            time.sleep(0.1)
        self.test.fail("timed out waiting for %s (screen %r, mode %r, state %r)" %
                       (what, self.rows()[:6], self.field(FIELD_MODE), self.field(FIELD_STATE)))

    def wait_rows(self, expected, what):
        self.wait(lambda: self.rows()[:len(expected)] == expected, what)

    def close(self):
        if self.closed:
            return
        self.closed = True
        if self.proc.poll() is None:
            self.wine.probe.post(self.hwnd, vxtest.WM_CLOSE, 1, 0)
            try:
                self.proc.wait(timeout=15)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        self.host.stop()


class Ibm3151ProgramTest(WineTestCase):
    def setting(self, section, name, value):
        if isinstance(value, int):
            kind, data = "REG_DWORD", str(value)
        elif isinstance(value, bytes):
            kind, data = "REG_BINARY", value.hex()
        else:
            kind, data = "REG_SZ", value
        code, out = self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")
        self.assertEqual(code, 0, out)

    def session(self, values=None):
        s = Ibm3151Session(self, values)
        self.addCleanup(s.close)
        return s

    def test_replies_addresses_and_the_terminfo_strings(self):
        s = self.session({"i51_termID": "ABC".encode("utf-16-le")})
        s.ask(ESC + b"6", ESC + b"6 @" + CR)
        s.ask(ESC + b" 6", ESC + b" 6T" + CR)
        s.ask(ESC + b'"6', ESC + b'"6%(! B' + CR)
        s.ask(ESC + b"!6", ESC + b"!6ABC" + ESC + b"6" + CR)
        s.ask(ESC + b" 7", ESC + b" 7@" + CR)
        s.ask(ESC + b"!7", ESC + b"!78Z" + CR)
        # tput -T ibm3151 cup 4 9, then the address read back.
        cup49 = subprocess.run(["tput", "-T", "ibm3151", "cup", "4", "9"], capture_output=True).stdout
        self.assertEqual(cup49, ESC + b"Y$)")
        s.ask(cup49 + ESC + b"5", ESC + b"Y$)" + CR)
        s.ask(ESC + b"[5\x00;10H" + ESC + b"5", ESC + b"Y$)" + CR)
        s.ask(ESC + b"[?5;12H" + ESC + b"5", ESC + b"Y$)" + CR)
        s.ask(ESC + b"$9.31C" + ESC + b"6", ESC + b"6 @\x13")
        s.host.send(ESC + b"$9.31A")
        s.sync()
        # The terminfo entry's strings, each on a fresh screen with three lines on it.
        tput = lambda *cap: subprocess.run(["tput", "-T", "ibm3151", *cap], capture_output=True).stdout
        screen = tput("clear") + b"line0\r\nline1\r\nline2"
        cases = (
            ("el", tput("cup", "1", "2") + tput("el"), ["line0", "li", "line2"]),
            ("ed", tput("cup", "1", "2") + tput("ed"), ["line0", "li", ""]),
            ("il1", tput("cup", "1", "3") + tput("il1"), ["line0", "", "line1", "line2"]),
            ("dl1", tput("cup", "0", "3") + tput("dl1"), ["line1", "line2", ""]),
            ("dch1", tput("cup", "1", "1") + tput("dch1"), ["line0", "lne1", "line2"]),
            ("cursor moves", tput("cup", "1", "1") + tput("cuu1") + tput("cuf1") + tput("cud1") + tput("cud1") +
             tput("cub1") + b"*", ["line0", "line1", "l*ne2"]),
            ("home", tput("home") + b"H", ["Hine0", "line1", "line2"]),
            ("attributes", tput("home") + tput("rev") + b"r" + tput("smul") + b"u" + tput("blink") + b"b" +
             tput("bold") + b"d" + tput("invis") + b"i" + tput("sgr0") + b"n", ["rubd n", "line1", "line2"]),
            ("clear", tput("clear"), ["", "", ""]),
        )
        for name, data, expected in cases:
            s.host.send(screen + data)
            s.sync()
            s.wait_rows(expected, name)
        # The status bar: the name, the position at home and at the last cell.
        s.host.send(tput("home"))
        s.sync()
        s.wait(lambda: s.field(FIELD_CURSOR) == " 001,001 ", "the home position")
        self.assertEqual(s.field(FIELD_NAME), " IBM 3151 ")
        s.host.send(tput("cup", "23", "79"))
        s.sync()
        s.wait(lambda: s.field(FIELD_CURSOR) == " 024,080 ", "the last cell's position")
        # Transparent display: controls as their pictures until DLE ETX.
        s.host.send(tput("clear") + b"\x10\x02a\rb\x10\x03\rc")
        s.sync()
        s.wait_rows(["c\u240db"], "the controls shown")
        s.host.send(b"\x10\x02")  # ESC 6 would be shown, not answered, until DLE ETX
        s.wait(lambda: (s.field(FIELD_MODE) or "").strip() == "TRANSP", "TRANSP")
        s.host.send(b"\x10\x03")
        s.sync()
        s.wait(lambda: (s.field(FIELD_MODE) or "").strip() == "ECHO", "ECHO")
        # 132 columns: the long address form.
        s.ask(ESC + b" r!! 8$D" + ESC + b"[5;101H" + ESC + b"5", ESC + b"y $#D" + CR)

    def test_sends_of_formatted_and_unformatted_pages(self):
        s = self.session()
        # The only modified field starts at row 2, column 10.
        s.ask(cup(0, 0) + ESC + b"3 B" + b"title" + cup(2, 9) + ESC + b"3 A" + b"data" + cup(2, 16) + ESC + b"3 B" +
              ESC + b"8", ESC + b'X"*' + b"data  " + CR)
        # Unformatted, trimming off: every cell of 24 x 80 and the turnaround.
        s.host.send(ESC + b"L" + cup(3, 0) + b"row three" + ESC + b"#9@" + ESC + b"8")
        s.host.wait_for(lambda data: len(data) >= 1921, 20, "a whole page")
        data = s.host.take()
        self.assertEqual(len(data), 1921)
        self.assertEqual(data[240:249], b"row three")
        self.assertEqual(data[-1:], CR)
        # 25 x 132 of 1,650 one-character modified fields: far more than one block.
        fields = b"".join(ESC + b"3 A" + bytes([ord("a") + i % 26]) for i in range(1650))
        s.host.send(ESC + b" r!! 9$D" + ESC + b"H" + fields)
        s.sync()
        s.host.send(ESC + b"8")
        expected = bytearray()
        for i in range(1650):
            row, column = divmod(2 * i + 1, 132)
            if column < 95:
                expected += ESC + b"X" + bytes([row + 32, column + 32])
            else:
                expected += ESC + b"x" + bytes([row // 32 + 32, row % 32 + 32, column // 32 + 32, column % 32 + 64])
            expected.append(ord("a") + i % 26)
        expected += CR
        s.host.expect(bytes(expected), 30)

    def test_keys_in_echo_character_and_block_mode(self):
        if not shutil.which("xdotool"):
            self.skipTest("xdotool is not installed")
        s = self.session()
        self.focus_terminal()
        kf = lambda n: subprocess.run(["tput", "-T", "ibm3151", "kf%d" % n], capture_output=True).stdout
        for n in range(1, 13):
            self.xdotool("key", "F%d" % n)
            s.host.expect(kf(n), 15)
            self.xdotool("key", "shift+F%d" % n)
            s.host.expect(kf(n + 12), 15)
        for key, sent in (("Up", b"A"), ("Down", b"B"), ("Right", b"C"), ("Left", b"D")):
            self.xdotool("key", key)
            s.host.expect(ESC + sent, 15)
        for key, sent in (("Insert", ESC + b"P \x08"), ("Home", ESC + b"H"), ("Prior", ESC + b"L" + CR),
                          ("Delete", ESC + b"Q"), ("End", ESC + b"2"), ("Next", ESC + b"I")):
            self.xdotool("key", key)
            s.host.expect(sent, 15)
        self.assertEqual(subprocess.run(["tput", "-T", "ibm3151", "kich1"], capture_output=True).stdout,
                         ESC + b"P \x08")
        # A key the host defines, then clears.
        s.host.send(ESC + b'!=A0abc' + ESC + b"=")
        s.sync()
        self.xdotool("key", "F1")
        s.host.expect(b"abc" + CR, 15)
        s.host.send(ESC + b"tA")
        s.sync()
        self.xdotool("key", "F1")
        s.host.expect(ESC + b"a" + CR, 15)
        # Character mode: a typed key is sent and shown.
        s.host.send(ESC + b" 9A")
        s.sync()
        self.xdotool("type", "x")
        s.host.expect(b"x", 15)
        s.wait_rows(["x"], "the typed x")
        # Block mode: typed text stays on the screen; ETX is refused with a bell.
        s.host.send(ESC + b" 9B")
        s.sync()
        self.xdotool("type", "local")
        s.wait_rows(["local"], "the text typed in Block mode")
        self.xdotool("key", "ctrl+c")
        s.wait(lambda: s.field(FIELD_STATE) == "INVALID KEY", "INVALID KEY")
        self.assertEqual(s.host.take(), b"")
        # A numeric field: a letter is in the wrong place, a digit modifies the field.
        s.host.send(ESC + b"L" + cup(2, 9) + ESC + b"3 H" + cup(2, 20) + ESC + b"3 B" + cup(2, 10))
        s.sync()
        self.xdotool("type", "A")
        s.wait(lambda: s.field(FIELD_STATE) == "WRONG PLACE", "WRONG PLACE")
        self.xdotool("type", "7")
        s.wait(lambda: s.rows()[2].strip() == "7", "the digit in its field")
        s.ask(ESC + b"8", ESC + b'X"*' + b"7" + b" " * 9 + CR)

    def test_printer_pass_through_and_page_print(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        s = self.session()
        s.host.send(b"\x10\x12AB\x10\x14shown")
        s.sync()
        self.assertEqual(spool.wait_jobs(1), [b"AB"], "one RAW job of exactly the bytes")
        s.wait_rows(["shown"], "nothing printed reaches the screen")
        s.host.send(b"\x10\x12a\x10\x12b\x10\x14c\x10\x14")
        s.sync()
        self.assertEqual(spool.wait_jobs(2)[1], b"a\x10\x12b\x10\x14c")
        s.host.send(ESC + b"L" + cup(0, 0) + b"first" + cup(1, 2) + b"second" + ESC + b"W")
        s.sync()
        page = spool.wait_jobs(3)[2]
        self.assertEqual(page, b"first\r\n  second\r\n" + b"\r\n" * 22)
        # A print while the trace prints does nothing: one job, the traced bytes.
        s.host.send(ESC + b" :T" + ESC + b"W" + ESC + b" ;")
        s.sync()
        time.sleep(1)
        jobs = spool.wait_jobs(5, timeout=5)
        self.assertEqual(len(jobs), 4, "no page job beside the trace's")
        self.assertEqual(jobs[3][:1], b"T")

    def test_setup_page(self):
        s = self.session()
        probe = self.wine.probe

        def open_page():
            self.assertTrue(probe.command(s.hwnd, CMD_IBM3151))
            page = probe.find_dialog("IBM 3151 Settings", 20000)
            self.assertIsNotNone(page)
            return page

        def close(page, button):
            self.assertTrue(probe.click(page, button))
            self.assertTrue(probe.ask("wait-gone", page, 10000)["ok"])

        # Cancel changes nothing.
        page = open_page()
        self.assertTrue(probe.select(page, 2620, 0))
        close(page, 2)
        s.sync()
        # Turnaround ETX: the answers end in it, and it is saved.
        page = open_page()
        self.assertTrue(probe.select(page, 2620, 0))
        close(page, 1)
        s.sync(b"\x03")
        self.assertTrue(probe.command(s.hwnd, CMD_SAVE))
        deadline = time.time() + 15
        while time.time() < deadline and "i51_c5pa4" not in (self.wine.reg_values(IBM3151) or {}):
            time.sleep(0.2)
        self.assertEqual((self.wine.reg_values(IBM3151) or {}).get("i51_c5pa4"), ("REG_DWORD", "0x5c"))
        # Block clears the page; 25 x 132 makes one page of that size.
        s.host.send(b"before")
        s.sync(b"\x03")
        page = open_page()
        self.assertTrue(probe.select(page, 2600, 2))
        self.assertTrue(probe.select(page, 2610, 3))
        close(page, 1)
        s.sync(b"\x03")
        s.wait(lambda: not any(r.strip() for r in s.rows()[:24]), "the page cleared")
        s.host.send(ESC + b"[25;132H" + ESC + b"5")
        s.host.expect(ESC + b"y 8$C\x03", 15)

    def test_a_profile_without_values_saves_none(self):
        s = self.session()
        s.host.send(b"x")
        s.sync()
        self.assertTrue(self.wine.probe.command(s.hwnd, CMD_SAVE))
        time.sleep(2)
        values = self.wine.reg_values(IBM3151) or {}
        self.assertFalse([name for name in values if name.startswith("i51_")], values)

    def test_closing_inside_sequences_and_pf_keys_over_a_restart(self):
        for opening in (ESC + b"=status", ESC + b"!=A0abc", ESC + b"[1;"):
            s = self.session()
            s.host.send(opening)
            time.sleep(0.5)
            self.assertTrue(self.wine.probe.post(s.hwnd, vxtest.WM_CLOSE, 1, 0))
            start = time.time()
            self.wait_exit(s.proc, 10)
            self.assertLess(time.time() - start, 2.0, "closing inside %r" % opening)
            s.close()
        # A key defined, saved, cleared, saved: after a restart F1 is ESC a again.
        s = self.session()
        s.host.send(ESC + b"!=A0abc" + ESC + b"=")
        s.sync()
        self.assertTrue(self.wine.probe.command(s.hwnd, CMD_SAVE))
        self.wait_value(lambda v: "i51_pf_area1" in v, "the PF keys saved")
        s.host.send(ESC + b" t")
        s.sync()
        self.assertTrue(self.wine.probe.command(s.hwnd, CMD_SAVE))
        self.wait_value(lambda v: not [n for n in v if n.startswith("i51_pf_area")], "the PF keys deleted")
        s.close()
        s = self.session()
        if shutil.which("xdotool"):
            self.focus_terminal()
            self.xdotool("key", "F1")
            s.host.expect(ESC + b"a" + CR, 15)

    def wait_value(self, predicate, what, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if predicate(self.wine.reg_values(IBM3151) or {}):
                return
            time.sleep(0.2)
        self.fail("timed out waiting for %s: %r" % (what, self.wine.reg_values(IBM3151)))


if __name__ == "__main__":
    unittest.main()
