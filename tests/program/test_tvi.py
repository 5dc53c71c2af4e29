"""The TVI 950 and 955 in the running program, from outside: a scripted telnet host on
127.0.0.1 sends and expects exact bytes; the screen and the status bar are read through
the test dumps (VXNT_TEST_SCREEN, VXNT_TEST_STATUS), printed jobs land in a spooler's
files. The dump shows the window's 26 rows: the top row (the status line), the 24
display rows and the bottom row.
"""
import os
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
from telnethost import tvi  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
ESC = b"\x1b"
TVI955, TVI950 = 19, 22
FIELD_NAME = 7409


class TviSession:
    """vexaNT as a TVI 950 or 955 on a scripted host."""

    def __init__(self, test, emulation):
        self.test, self.wine = test, test.wine
        self.identity = tvi.IDENTITY["TVI950" if emulation == TVI950 else "TVI955"]
        self.dir = tempfile.mkdtemp(prefix="vxtvi")
        self.screen_path = os.path.join(self.dir, "screen.txt")
        self.status_path = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen_path)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status_path)
        self.host = th.ScriptedHost()
        self.closed = False
        try:
            test.setting("VT300", "vdumode", emulation)
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", self.host.port)):
                test.setting("CONNECTION", name, value)
            self.proc, self.hwnd = test.start_terminal("-SeDefault")
        except BaseException:
            self.host.stop()
            raise
        self.host.wait_connection(30)
        self.sync()

    def sync(self):
        """Until the terminal has taken everything sent so far (ESC M answers)."""
        self.host.send(tvi.identify())
        self.host.wait_for(lambda data: data.endswith(self.identity), 30, "the identity")
        self.host.take()

    def ask(self, request, answer, timeout=15):
        self.host.send(request)
        self.host.expect(answer, timeout)
        time.sleep(0.1)
        self.test.assertEqual(self.host.take(), b"", "nothing more after %r" % request)

    def _read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except OSError:
            return ""

    def rows(self):
        """The window's rows: 0 the top row, 1-24 the display rows, 25 the bottom row."""
        lines = self._read(self.screen_path).split("\n")[1:]
        for i, line in enumerate(lines):
            if line.startswith("status "):
                return lines[:i]
        return lines

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
        self.test.fail("timed out waiting for %s (screen %r)" % (what, self.rows()))

    def wait_row(self, row, text, what):
        self.wait(lambda: len(self.rows()) > row and self.rows()[row] == text, what)

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


class TviProgramTest(WineTestCase):
    def setting(self, section, name, value):
        if isinstance(value, int):
            kind, data = "REG_DWORD", str(value)
        else:
            kind, data = "REG_SZ", value
        code, out = self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")
        self.assertEqual(code, 0, out)

    def session(self, emulation=TVI950):
        s = TviSession(self, emulation)
        self.addCleanup(s.close)
        return s

    def status_name(self, s):
        for line in s._read(s.status_path).split("\n"):
            if line.startswith("emulation "):
                return line[len("emulation "):]
        return None

    def test_names_terminal_types_and_vt500_gets_its_rows_back(self):
        for emulation, name, terminal in ((TVI950, " TVI 950 ", b"TVI950"), (TVI955, " TVI 955 ", b"TVI955")):
            s = self.session(emulation)
            s.wait(lambda: self.status_name(s) == name, "the name %r" % name)
            s.host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            s.host.wait_for(lambda data: th.ttype_is(terminal.decode()) in data, what="the terminal type")
            s.wait(lambda: len(s.rows()) == 26, "the window's 26 rows")
            s.close()
        s = self.session(TVI955)
        s.wait(lambda: len(s.rows()) == 26, "the window's 26 rows")
        self.choose_emulation(s.hwnd, "VT500 7-Bit")
        s.wait(lambda: len(s.rows()) == 24, "VT500's 24 rows")
        s.wait(lambda: self.status_name(s) not in (None, "", " TVI 955 "), "VT500's name")

    def test_cursor_reports_and_identities(self):
        for emulation in (TVI950, TVI955):
            s = self.session(emulation)
            term = "tvi950" if emulation == TVI950 else "tvi955"
            s.host.send(tvi.terminfo(term, "cup", 5, 16))
            s.ask(tvi.report_cursor(), b"\x25\x30\r")
            s.ask(tvi.report_page(), b"\x30\x25\x30\r")
            s.ask(tvi.report_csi(), ESC + b"[5;16R")
            s.ask(tvi.report_csi(True), ESC + b"[0;5;16R")
            s.ask(b"\x1e" + tvi.report_csi(), ESC + b"[0;0R")
            s.ask(tvi.wide() + ESC + b"=!~4" + tvi.report_cursor(), b"\x21\x7e\x34\r")
            s.ask(tvi.identify(), s.identity)
            # Counts past any screen are answered at once.
            start = time.time()
            s.ask(b"\x1e" + ESC + b"[99999999999B" + ESC + b"[2000000000@" + tvi.report_csi(), ESC + b"[23;0R")
            self.assertLess(time.time() - start, 1.5)
            s.close()

    def test_status_row_pages_fields_and_boxes(self):
        s = self.session(TVI950)
        s.host.send(tvi.terminfo("tvi950", "tsl") + b"hello" + tvi.terminfo("tvi950", "fsl"))
        s.wait_row(25, " hello", "the user line in the bottom row")
        # Status-row positions outside the line write nothing (the program keeps running).
        s.host.send(tvi.load_status(1) + tvi.status_tab(-16) + b"X" + b"\t\x7f\x7fX\r")
        s.sync()
        s.wait_row(25, " XX", "the user line loaded again")
        # Protect mode sends the unprotected text of the row.
        s.host.send(tvi.terminfo("tvi950", "clear") + b"AB" + tvi.write_protect() + b"XY" +
                    tvi.write_protect(False) + b"CD" + tvi.protect())
        s.ask(tvi.send_line(), b"AB\x1cCD\r")
        s.host.send(tvi.protect(False) + tvi.terminfo("tvi950", "clear") + tvi.box(3, 3) + tvi.address(1, 3) +
                    tvi.box(3, 3))
        s.sync()
        s.wait_row(2, "\u2502  \u251c\u2500\u2500\u2510", "the second box's corner as a tee")
        # One page of 96 lines: line feeds run to row 95 and the view follows.
        s.host.send(tvi.page_size(1) + b"".join(b"%d\r\n" % i for i in range(100)))
        s.sync()
        s.wait_row(24, "", "the cursor's row at the bottom")
        s.wait_row(23, "99", "the last line above it")
        s.ask(tvi.report_csi(), ESC + b"[95;0R")

    def test_printing_from_the_byte_path_and_the_page(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        s = self.session(TVI950)
        s.host.send(tvi.transparent_print() + b"AB\r\n" + tvi.end_print())
        s.sync()
        self.assertEqual(spool.wait_jobs(1), [b"AB\r\n"], "one RAW job of exactly the bytes")
        s.wait_row(1, "", "nothing shown")
        s.host.send(tvi.copy_print() + b"AB\x14")
        s.sync()
        self.assertEqual(spool.wait_jobs(2)[1], b"AB")
        s.wait_row(1, "AB", "copy print shows")
        s.host.send(tvi.print_page())
        s.host.expect(tvi.ACK, 30)
        self.assertEqual(len(spool.wait_jobs(3)), 3)


if __name__ == "__main__":
    unittest.main()
