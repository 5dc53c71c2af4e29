"""The TVI 950's keyboard and its profile section in the running program, from outside:
a scripted telnet host on 127.0.0.1 expects the exact bytes the keys send (those the
tvi950 terminfo description names, read with tput), keys are pressed with xdotool, the
screen is read through the test dump (VXNT_TEST_SCREEN) and the "TVI955" section
through the registry.
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

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
TVI955 = PROFILE + r"\TVI955"
VT300 = PROFILE + r"\VT300"
ESC, CR, SOH, EM = b"\x1b", b"\r", b"\x01", b"\x19"
CMD_SAVE = 1011
TVI950 = 22


def tput(name):
    return subprocess.run(["tput", "-T", "tvi950", name], capture_output=True).stdout


def report(row, column):
    """The answer to ESC ? at a row and column below 80."""
    return bytes([row + 32, column + 32]) + CR


class TviSession:
    """vexaNT as a TVI 950 on a scripted host."""

    def __init__(self, test):
        self.test, self.wine = test, test.wine
        self.dir = tempfile.mkdtemp(prefix="vxtvi")
        self.screen_path = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen_path)
        self.host = th.ScriptedHost()
        self.closed = False
        try:
            test.setting("VT300", "vdumode", TVI950)
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", self.host.port)):
                test.setting("CONNECTION", name, value)
            self.proc, self.hwnd = test.start_terminal("-SeDefault")
        except BaseException:
            self.host.stop()
            raise
        self.host.wait_connection(30)
        self.sync()

    def sync(self):
        """Until the terminal has taken everything sent so far (ESC ? answers)."""
        self.host.send(ESC + b"?")
        self.host.wait_for(lambda data: len(data) >= 3 and data.endswith(CR), 30, "the answer to ESC ?")
        return self.host.take()

    def ask(self, request, answer):
        self.host.send(request)
        self.host.expect(answer, 15)
        time.sleep(0.1)
        self.test.assertEqual(self.host.take(), b"", "nothing more after %r" % request)

    def rows(self):
        try:
            with open(self.screen_path, encoding="utf-8") as f:
                return f.read().split("\n")[1:]
        except OSError:
            return []

    def wait_text(self, text, timeout=15):
        """Until a row of the screen shows exactly `text`."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if text in (row.rstrip() for row in self.rows()):
                return
            time.sleep(0.1)
        self.test.fail("no row shows %r: %r" % (text, self.rows()[:4]))

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


class TviKeysProgramTest(WineTestCase):
    def setting(self, section, name, value):
        if isinstance(value, int):
            kind, data = "REG_DWORD", str(value)
        elif isinstance(value, bytes):
            kind, data = "REG_BINARY", value.hex()
        else:
            kind, data = "REG_SZ", value
        code, out = self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")
        self.assertEqual(code, 0, out)

    def session(self):
        s = TviSession(self)
        self.addCleanup(s.close)
        return s

    def key(self, s, name, sends):
        self.xdotool("key", name)
        s.host.expect(sends, 15)

    def test_keys_send_what_tvi950_describes(self):
        if not shutil.which("xdotool"):
            self.skipTest("xdotool is not installed")
        s = self.session()
        self.focus_terminal()
        self.key(s, "F1", SOH + b"@" + CR)
        self.key(s, "shift+F1", SOH + b"`" + CR)
        self.key(s, "ctrl+F1", SOH + b"J" + CR)
        for key, capability in (("Up", "kcuu1"), ("Down", "kcud1"), ("Left", "kcub1"), ("Right", "kcuf1"),
                                ("Insert", "kich1"), ("Delete", "kdch1"), ("shift+Insert", "kil1"),
                                ("shift+Delete", "kdl1")):
            sends = tput(capability)
            self.assertTrue(sends, capability)
            self.key(s, key, sends)
        # With the editing keys local the arrows move the cursor and send nothing.
        s.host.send(ESC + b"=%0" + ESC + b"k")
        s.sync()
        self.xdotool("key", "Up")
        self.xdotool("key", "Left")
        s.ask(ESC + b"?", report(4, 15))
        s.host.send(ESC + b"l")
        s.sync()
        self.key(s, "Up", tput("kcuu1"))
        # A key the host loads: sent, and with direction 3 also shown.
        s.host.send(ESC + b"|11ABC" + EM)
        s.sync()
        self.key(s, "F1", b"ABC")
        s.host.send(ESC + b"=  " + ESC + b"|13ABC" + EM)
        s.sync()
        self.key(s, "F1", b"ABC")
        s.wait_text("ABC")
        s.sync()
        self.assertEqual(s.host.take(), b"")

    def test_damaged_geometry_loads_the_defaults_and_runs(self):
        for name, value in (("npages", 0), ("rowsperpage", 200), ("dspheight", 90), ("dspwdth", 500),
                            ("toprow", 5000)):
            self.setting("TVI955", name, value)
        s = self.session()
        # Four pages of 24 rows: line feeds stop at row 23, where the region scrolls.
        s.host.send(b"\n" * 30 + b"X")
        s.ask(ESC + b"[6n", ESC + b"[23;1R")
        s.ask(ESC + b"[?6n", ESC + b"[0;23;1R")
        s.host.send(ESC + b"K")  # the next page exists
        s.ask(ESC + b"/", b"1" + report(0, 0))

    def test_a_profile_with_one_key_and_a_save_of_factory_values(self):
        if not shutil.which("xdotool"):
            self.skipTest("xdotool is not installed")
        self.setting("TVI955", "FKey05", b"\x01\x00h\x00i\x00")
        s = self.session()
        self.focus_terminal()
        self.key(s, "F6", b"hi")
        self.key(s, "F5", SOH + b"D" + CR)
        self.key(s, "F1", SOH + b"@" + CR)
        # Back to factory keys (ESC ~ 2): a save then writes nothing into the section.
        s.host.send(ESC + b"~2")
        s.sync()
        code, out = self.wine.reg("delete", VT300, "/v", "vdumode", "/f")
        self.assertEqual(code, 0, out)
        self.assertTrue(self.wine.probe.command(s.hwnd, CMD_SAVE))
        deadline = time.time() + 15
        while time.time() < deadline and "vdumode" not in (self.wine.reg_values(VT300) or {}):
            time.sleep(0.2)
        self.assertIn("vdumode", self.wine.reg_values(VT300) or {}, "the save ran")
        self.assertEqual(self.wine.reg_values(TVI955) or {}, {})


if __name__ == "__main__":
    unittest.main()
