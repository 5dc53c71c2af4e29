"""The VT420 side of the DEC emulation in the running program: keys and macros the host
programs, pages and rectangle checksums, the status lines and local editing with its
block transmission. A scripted telnet host on 127.0.0.1 sends the sequences and reads
the answers; keys come from the X server (xdotool, XTEST) into the program's window.

The screen and the status line are read through the program's test screen dump
(VXNT_TEST_SCREEN): the cursor line, the rows, then "status " and the status line.
"""
import os
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.xkeys import XKeyboard

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
ESC = b"\x1b"
CSI = b"\x1b["
DCS = b"\x1bP"
ST = b"\x1b\\"


def hex_of(data):
    return data.hex().upper().encode()


class Vt420ProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxvt420")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.host = th.ScriptedHost()
        self.addCleanup(self.host.stop)

    def setting(self, section, name, kind, value):
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", value,
                                       "/f")[0], 0)

    def start(self, connections=1):
        """Starts the terminal on the Default profile, which names the host."""
        self.setting("CONNECTION", "netproto", "REG_DWORD", "0")
        self.setting("CONNECTION", "netname", "REG_SZ", "127.0.0.1")
        self.setting("CONNECTION", "iTelnetPortNum", "REG_DWORD", str(self.host.port))
        proc, hwnd = self.wine.launch(EXE, "-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        self.host.wait_connection(30, count=connections)
        self.host.expect(th.do(th.ECHO), timeout=20)
        # The host echoes: keys go to it at once and nothing is shown locally.
        self.host.send(th.will(th.ECHO))
        self.sync()
        return proc, hwnd

    def sync(self, data=b""):
        """Sends data and a status request; the answer means all of it was taken in."""
        self.host.send(data + CSI + b"5n")
        self.host.wait_for(lambda d: d.endswith(CSI + b"0n"), timeout=20, what="the status answer")
        self.host.take()

    def ask(self, request, answer):
        self.host.send(request)
        self.host.expect(answer, timeout=15)
        time.sleep(0.2)
        self.assertEqual(self.host.take(), b"", "nothing more after %r" % request)

    def dump(self, predicate, what, timeout=15):
        """The screen dump's lines once the predicate holds for them."""
        deadline = time.time() + timeout
        lines = []
        while time.time() < deadline:
            try:
                with open(self.screen, encoding="utf-8") as f:
                    lines = f.read().split("\n")
                if predicate(lines):
                    return lines
            except FileNotFoundError:
                pass
            time.sleep(0.1)
        self.fail("the screen never showed %s: %r" % (what, lines))

    @staticmethod
    def status(lines):
        return next((line[len("status "):] for line in lines if line.startswith("status ")), None)

    def keys(self, *names):
        for name in names:
            self.assertEqual(self.xdotool("key", name).returncode, 0, name)

    def test_keys_and_macros_the_host_programs(self):
        proc, hwnd = self.start()
        self.focus_terminal()
        # DECUDK: key 17 is the shifted F6.
        self.sync(DCS + b"0;1|17/414243" + ST)
        self.keys("shift+F6")
        self.host.expect(b"ABC", timeout=15)
        # Locked: answered as such, and a later definition is ignored.
        self.sync(DCS + b"1;0|18/44" + ST)
        self.ask(CSI + b"?25n", CSI + b"?21n")
        self.sync(DCS + b"1;1|17/5A" + ST)
        self.keys("shift+F6")
        self.host.expect(b"ABC", timeout=15)
        # A host's key text is taken as it stands: nothing starts, no window is raised.
        # ESC @ keys send it; ESC ! keys are local: their text is taken as if received.
        self.sync(ESC + b'@a"(notepad)"' + ESC + b'!b"(notepad)"')
        self.host_key_texts_stand()
        # Macros: stored, invoked, counted.
        self.sync(DCS + b"5;0;0!zABC" + ST + CSI + b"H" + CSI + b"2J" + CSI + b"5*z")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "ABC", "the macro's text")
        self.ask(CSI + b"?62n", CSI + b"2047*{")
        # One that deletes every macro while it runs, one that invokes itself.
        self.sync(DCS + b"1;0;1!z" + hex_of(DCS + b"0;0;0!z" + ST) + ST + CSI + b"1*z")
        self.sync(DCS + b"2;0;1!z" + hex_of(b"Z" + CSI + b"2*z") + ST + CSI + b"2*z")
        self.ask(CSI + b"5n", CSI + b"0n")
        # Saved with the session, the key's text comes back as the same text.
        self.assertTrue(self.wine.probe.run_command(hwnd, 1011))
        self.close_terminal(proc, hwnd, 15)
        self.host.close_connection()
        self.start(connections=2)
        self.focus_terminal()
        self.host_key_texts_stand()

    def host_key_texts_stand(self):
        self.keys("a")
        self.host.expect(b"(notepad)", timeout=15)
        self.sync(CSI + b"2J" + CSI + b"H")
        self.keys("b")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "(notepad)", "the local key's text")
        self.assertEqual(self.host.take(), b"", "a local key's text stays local")
        self.assertIsNone(self.wine.probe.find("Notepad", 1500), "a key started a program")

    def test_pages_and_rectangle_checksums(self):
        self.start()
        # The factory model is a vt420: six pages of a screen each.
        self.sync(CSI + b"1;1HA" + CSI + b"2 P" + CSI + b"1;1HB" + CSI + b"1 P")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "A", "page 1")
        b = "%04X" % (~(ord("B") | 0x700) & 0xFFFF)
        self.ask(CSI + b"3;2;1;1;1;1*y", DCS + b"3!~" + b.encode() + ST)
        self.ask(CSI + b"4;1;2;2;2;2*y", DCS + b"4!~F8DF" + ST)
        # NP and PP stop at the last and the first page.
        self.ask(CSI + b"9U" + CSI + b"?6n", CSI + b"?1;1;6R")
        self.ask(CSI + b"20V" + CSI + b"?6n", CSI + b"?1;1;1R")
        # Page lengths: 30 is none of the terminal's, 72 is.
        self.ask(CSI + b"30t" + CSI + b"99;1H" + CSI + b"6n", CSI + b"24;1R")
        self.ask(CSI + b"72t" + CSI + b"72;1H" + CSI + b"6n", CSI + b"72;1R")
        # A copy to the bottom right corner takes what fits there.
        self.sync(CSI + b"24t" + CSI + b"1;1;3;3;1;24;80;1$v")
        self.ask(CSI + b"5;1;24;80;24;80*y", DCS + b"5!~" + ("%04X" % (~(ord("A") | 0x700) & 0xFFFF)).encode() + ST)
        # In the VT100 emulation the pages are gone and the commands do nothing.
        self.sync(CSI + b'61"p' + CSI + b"2J" + CSI + b"HC" + CSI + b"2 P" + CSI + b"U")
        self.ask(CSI + b"6n", CSI + b"1;2R")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "C", "the one page")

    def test_status_lines(self):
        self.start()
        # tput tsl 10, "hello", tput fsl (vt420); the main cursor stays where it was.
        self.sync(CSI + b"7;20H")
        self.sync(CSI + b"2$~" + CSI + b"1$}" + CSI + b"11`" + b"hello" + CSI + b"0$}")
        lines = self.dump(lambda lines: self.status(lines) == " " * 10 + "hello", "hello in the status line")
        self.assertEqual(lines[0].split()[1:3], ["6", "19"])
        self.ask(CSI + b"6n", CSI + b"7;20R")
        # tput dsl: no status line.
        self.sync(CSI + b"0$~")
        self.dump(lambda lines: self.status(lines) == "", "no status line")
        # The indicator line: the emulation's name, and the cursor within two seconds.
        self.sync(CSI + b"1$~" + CSI + b"5;10H")
        lines = self.dump(lambda lines: "005,010" in (self.status(lines) or ""), "the cursor field", timeout=4)
        self.assertIn("VT500 7-Bit", self.status(lines))

    def test_local_editing_sends_the_block(self):
        self.setting("VT300", "inedit", "REG_DWORD", "0")
        self.setting("VT300", "erasemode", "REG_DWORD", "0")
        self.start()
        # A guarded label, end of line CR, end of block ETX, then local editing.
        self.sync(CSI + b"2J" + CSI + b"H" + ESC + b"VName:" + ESC + b"W" + CSI + b"?13's" + CSI + b"2|" +
                  CSI + b"?10h")
        self.focus_terminal()
        self.assertEqual(self.xdotool("type", "--delay", "50", "Bob").returncode, 0)
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "Name: Bob", "the typed text")
        self.assertEqual(self.host.take(), b"", "typing stays local")
        keyboard = XKeyboard(self.wine.env["DISPLAY"])
        self.addCleanup(keyboard.close)
        keyboard.tap("KP_Enter")
        self.host.expect(b"Bob\r\x03", timeout=15)
        # The rules in force: ED 2 leaves the guarded label.
        self.sync(CSI + b"2J")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "Name:", "the label alone")

    def test_deferred_edit_key_and_the_national_keyboard(self):
        # A Swedish keyboard (Wine takes the keyboard layout from the locale), national
        # mode, and an edit key that asks the host instead of switching.
        self.wine.env["LC_ALL"] = self.wine.env["LANG"] = "sv_SE.UTF-8"
        self.setting("VT300", "inedit", "REG_DWORD", "0")
        self.setting("VT300", "edit_key_defer", "REG_DWORD", "1")
        self.setting("VT300", "mltnat", "REG_DWORD", "0")
        self.start()
        self.focus_terminal()
        # Shift+End is the shifted Select key, the edit key.
        self.keys("shift+End")
        self.host.expect(CSI + b"?10h", timeout=15)
        # Editing stays off: a typed key goes to the host at once.
        self.keys("x")
        self.host.expect(b"x", timeout=15)
        self.assertEqual(self.host.take(), b"")
        # The host switches it on; a block with a national character (a-diaeresis, the
        # Swedish set's "{") names that set first.
        self.sync(CSI + b"2J" + CSI + b"H" + ESC + b"(7X{" + CSI + b"?13's" + CSI + b"2|" + CSI + b"?10h")
        self.dump(lambda lines: len(lines) > 1 and lines[1] == "X\u00e4", "the national character")
        keyboard = XKeyboard(self.wine.env["DISPLAY"])
        self.addCleanup(keyboard.close)
        keyboard.tap("KP_Enter")
        self.host.expect(ESC + b"(BX" + ESC + b"(7{\r\x03", timeout=15)


if __name__ == "__main__":
    unittest.main()
