"""The HP 700/92 in the running program, from outside: a scripted telnet host on
127.0.0.1 sends and expects exact bytes (every reply waits for the host's DC1); the
screen is read through the test dump (VXNT_TEST_SCREEN). The profile starts the terminal
as an HP 700/92.
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

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
ESC = b"\x1b"
CR = b"\r"
DC1 = b"\x11"
IDENTITY = ESC + b"*s1^" + DC1


def tput(*cap):
    return subprocess.run(["tput", "-T", "hp70092", *cap], capture_output=True).stdout


class Hp700Session:
    """vexaNT as an HP 700/92 on a scripted host."""

    def __init__(self, test, values=None):
        self.test, self.wine = test, test.wine
        self.dir = tempfile.mkdtemp(prefix="vxhp700")
        self.screen_path = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen_path)
        self.host = th.ScriptedHost()
        self.closed = False
        try:
            test.setting("VT300", "vdumode", 18)
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", self.host.port)):
                test.setting("CONNECTION", name, value)
            for name, value in (values or {}).items():
                test.setting("HP70092", name, value)
            self.proc, self.hwnd = test.start_terminal("-SeDefault")
        except BaseException:
            self.host.stop()
            raise
        self.host.wait_connection(30)
        self.sync()

    def sync(self):
        """Until the terminal has taken everything sent so far (its identity answers)."""
        self.host.send(IDENTITY)
        self.host.wait_for(lambda data: data.endswith(b"70092" + CR), 30, "the identity")
        self.host.take()

    def ask(self, request, answer):
        self.host.send(request)
        self.host.expect(answer, 15)
        time.sleep(0.2)
        self.test.assertEqual(self.host.take(), b"", "nothing more after %r" % request)

    def dump(self):
        try:
            with open(self.screen_path, encoding="utf-8") as f:
                return f.read().split("\n")
        except OSError:
            return []

    def rows(self):
        return self.dump()[1:25]

    def wait(self, predicate, what, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if predicate():
                return
            time.sleep(0.1)
        self.test.fail("timed out waiting for %s (screen %r)" % (what, self.rows()[:6]))

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


class Hp700ProgramTest(WineTestCase):
    def setting(self, section, name, value):
        if isinstance(value, int):
            kind, data = "REG_DWORD", str(value)
        else:
            kind, data = "REG_SZ", value
        code, out = self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")
        self.assertEqual(code, 0, out)

    def session(self, values=None):
        s = Hp700Session(self, values)
        self.addCleanup(s.close)
        return s

    def test_replies_and_cursor_sensing(self):
        s = self.session()
        s.ask(b"\x05", b"\x06")
        # Two requests before the handshake give one reply.
        s.ask(ESC + b"^" + ESC + b"^" + DC1, ESC + b"\\8008000" + CR)
        s.ask(ESC + b"~" + DC1, ESC + b"|0500000" + CR)
        s.ask(ESC + b"*s-1^" + DC1, b"C !#" + CR)
        s.host.send(ESC + b"*s5^" + DC1)
        s.sync()  # nothing came before the identity
        cup = tput("cup", "5", "10")
        self.assertEqual(cup, ESC + b"&a5y10C")
        s.ask(cup + ESC + b"`" + DC1, ESC + b"&a010c005Y" + CR)
        s.ask(ESC + b"a" + DC1, ESC + b"&a010c005R" + CR)
        lines = b"".join(b"%d\r\n" % i for i in range(1, 31))
        s.ask(tput("clear") + lines + ESC + b"&a-2Y" + ESC + b"`" + DC1, ESC + b"&a000c021Y" + CR)
        # Block mode with page transfers: replies end in RS.
        s.ask(ESC + b"&k1B" + ESC + b"&s1D" + ESC + b"^" + DC1, ESC + b"\\880:000\x1e")
        s.host.send(ESC + b"&k0B" + ESC + b"&s0D")
        s.ask(ESC + b"&v0.5a2I" + ESC + b"&v2^" + DC1, ESC + b"&v0m0.50a02I" + CR)

    def test_terminfo_strings(self):
        s = self.session()
        screen = tput("clear") + b"line0\r\nline1\r\nline2"
        cases = (
            ("clear", tput("clear"), ["", "", ""]),
            ("el", tput("cup", "1", "2") + tput("el"), ["line0", "li", "line2"]),
            ("il1", tput("cup", "1", "3") + tput("il1"), ["line0", "", "line1", "line2"]),
            ("dl1", tput("cup", "0", "3") + tput("dl1"), ["line1", "line2", ""]),
            ("dch1", tput("cup", "1", "1") + tput("dch1"), ["line0", "lne1", "line2"]),
            ("smir", tput("cup", "1", "1") + tput("smir") + b"XY" + tput("rmir"), ["line0", "lXYine1", "line2"]),
            ("cursor moves", tput("cup", "1", "1") + tput("cuu1") + tput("cuf1") + tput("cud1") + tput("cud1") +
             tput("cub1") + b"*", ["line0", "line1", "l*ne2"]),
            ("hpa vpa", tput("vpa", "2") + tput("hpa", "3") + b"#", ["line0", "line1", "lin#2"]),
            ("tabs", tput("cup", "0", "2") + tput("hts") + tput("cup", "2", "0") + b"\t" + b"T" + tput("cbt") +
             b"B" + tput("tbc") + b"\r\t!", ["line0", "line1", "liBe2", "!"]),
            ("enhancements", tput("cup", "0", "0") + tput("smso") + b"s" + tput("rmso") + tput("smul") + b"u" +
             tput("rmul") + tput("blink") + b"b" + tput("dim") + b"d" + tput("sgr0"), ["subd0", "line1", "line2"]),
        )
        for name, data, expected in cases:
            s.host.send(screen + data)
            s.sync()
            s.wait_rows(expected, name)

    def test_eight_bit_roman8(self):
        s = self.session()
        codes = bytes(range(0xA0, 0xFF))
        s.host.send(ESC + b"&k1I" + tput("clear") + codes)
        s.sync()
        expected = ""
        for code in codes:
            ch = bytes([code]).decode("hp_roman8")
            try:
                ch.encode("latin-1")
            except UnicodeEncodeError:
                ch = " "
            expected += ch
        expected = expected.replace("\xa4", "\u20ac")  # Roman-8 BA: the euro of HP's later set
        row = expected[:80] + "\n" + expected[80:]
        s.wait(lambda: "\n".join(s.rows()[:2]) == row.rstrip(), "the Roman-8 characters")
        self.assertEqual(sum(1 for c in expected if c == " "), 10)
        self.assertEqual(s.rows()[0][0x1A], "\u20ac")
        self.assertEqual(s.rows()[1][0x5A - 80], "\xba")

    def test_random_bytes_then_status(self):
        s = self.session()
        rng = random.Random(3870092)
        pieces = [b"\x1b&a", b"\x1b&v", b"\x1b&k", b"\x1b&j", b"\x1b*s", b"\x1b&d", b"\x1b&s", b"\x1b&w", b"\x1b",
                  b"0.5", b"-", b"+", b"999999", b"^", b"\x11", b"\x0e", b"\x0f"]
        data = bytearray()
        while len(data) < 1 << 20:
            if rng.random() < 0.3:
                data += rng.choice(pieces)
            else:
                data += bytes(rng.randrange(256) for _ in range(rng.randrange(1, 16)))
        # The return to VT500 (ESC & k 1 backslash) would end the HP run: no backslashes.
        data = bytes(data).replace(b"\\", b"/")
        s.host.send(data)
        # Modes the bytes may have left: format mode, Display Functions, insert, block
        # mode, local mode.
        s.host.send(b"\x1bX\x1bZ\x1bR\x1b&k0B\x1b&k1R")
        deadline = time.time() + 300
        while time.time() < deadline:
            s.host.send(DC1 + ESC + b"^" + DC1)
            time.sleep(1)
            if ESC + b"\\" in s.host.take():
                return
        self.fail("no status after the random bytes")

    def test_closing_inside_an_unterminated_sequence(self):
        for opening in (ESC + b"&a12", ESC + b"^"):
            s = self.session()
            s.host.send(opening)
            time.sleep(0.5)
            self.assertTrue(self.wine.probe.post(s.hwnd, vxtest.WM_CLOSE, 1, 0))
            start = time.time()
            deadline = start + 10
            while s.proc.poll() is None and time.time() < deadline:
                time.sleep(0.05)
            self.assertIsNotNone(s.proc.poll(), "the program ended")
            self.assertLess(time.time() - start, 2.0, "closing inside %r" % opening)
            s.close()


if __name__ == "__main__":
    unittest.main()
