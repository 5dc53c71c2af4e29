"""The DG 410/412 emulation in the running program, driven by a scripted telnet host on
127.0.0.1: it starts as emulation 20 in native mode, answers the host's requests byte for
byte in both modes, shows its windows, views and character sets in the screen dump,
prints through the printer controller and its print command, and gives the emulation
that comes after it back its rows, columns and history. Cursor addressing comes from
the DG terminal descriptions through tput."""
import os
import subprocess
import sys
import tempfile
import textwrap
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.printers import SpooledPrinter, ghostscript_text

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402
from telnethost import dg  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
DG_EMULATION = 20


def tput(term, *args):
    return subprocess.run(["tput", "-T", term, *args], check=True, capture_output=True).stdout


class DgProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxdg")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.status = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status)

    def setting(self, section, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data,
                                       "/f")[0], 0)

    def start(self, host, emulation=DG_EMULATION, terminal_type=None):
        """vexaNT on the host in the profile's emulation; the host has seen it read."""
        self.setting("VT300", "vdumode", emulation)
        for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", host.port)):
            self.setting("CONNECTION", name, value)
        proc, hwnd = self.wine.launch(EXE, "-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        host.wait_connection(30)
        host.expect(th.do(th.ECHO), timeout=20)
        if terminal_type:
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.expect(th.will(th.TERMINAL_TYPE) + th.ttype_is(terminal_type), timeout=20)
        self.sync(host, native=emulation == DG_EMULATION)
        return proc, hwnd

    def sync(self, host, native=True):
        """A request answered: the terminal has taken everything sent before it."""
        if native:
            host.send(dg.READ_ID)
            host.wait_for(lambda d: dg.RS + b"o#*8" in d[-6:-1], 30, "the terminal ID")
        else:
            host.send(dg.STATUS_REQUEST)
            host.wait_for(lambda d: d.endswith(b"\x1b[0n"), 30, "the status report")
        host.take()

    def ask(self, host, request, answer):
        host.send(request)
        host.expect(answer, timeout=15)
        time.sleep(0.2)
        self.assertEqual(host.take(), b"", "nothing more after %r" % request)

    def read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except OSError:
            return ""

    def dump(self, marker, timeout=15):
        """The screen dump's lines once they show `marker`."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            lines = self.read(self.screen).split("\n")
            if any(marker in line for line in lines):
                return lines
            time.sleep(0.1)
        self.fail("the screen never showed %r: %r" % (marker, self.read(self.screen)))

    def dump_row(self, row, expected, timeout=15):
        """Waits until screen row `row` of the dump reads `expected`."""
        deadline = time.time() + timeout
        shown = None
        while time.time() < deadline:
            lines = self.read(self.screen).split("\n")
            shown = lines[1 + row] if len(lines) > 1 + row else None
            if shown == expected:
                return
            time.sleep(0.1)
        self.assertEqual(shown, expected, "row %d" % row)

    def status_field(self, key, expected, timeout=15):
        deadline = time.time() + timeout
        value = None
        while time.time() < deadline:
            for line in self.read(self.status).split("\n"):
                if line.startswith(key + " "):
                    value = line[len(key) + 1:]
            if value == expected:
                return
            time.sleep(0.1)
        self.assertEqual(value, expected, key)

    def test_native_mode_replies_windows_views_and_character_sets(self):
        with th.ScriptedHost() as host:
            self.start(host, terminal_type="dg410")
            self.status_field("emulation", " DG410 ")
            self.status_field("field7400", " 001,001 ")
            self.assertEqual(self.read(self.screen).split("\n")[0], "cursor 0 0 emulation 20")

            host.send(tput("d410-dg", "cup", "10", "5"))
            self.ask(host, dg.ENQ, dg.address_reply(5, 10))
            self.ask(host, dg.READ_CURSOR, bytes.fromhex("1e6f384045404a"))
            self.status_field("field7400", " 011,006 ")
            self.ask(host, dg.language_reporting(False) + dg.READ_ID, bytes.fromhex("1e6f232a3859"))
            # Margins 0-161 and column 130: the address reply keeps the byte 0x82.
            self.ask(host, dg.margins(0, 161) + dg.set_cursor(130, 0) + dg.ENQ, bytes.fromhex("1f8200"))

            # Two windows: DLE addresses rows within the window the cursor is in.
            host.send(dg.language_reporting(True) + dg.windows((10, False), (14, False)) + dg.set_cursor(0, 12) +
                      dg.write_cursor(4, 3) + b"lower" + dg.set_cursor(0, 1) + dg.write_cursor(2, 3) + b"upper")
            lines = self.dump("lower")
            self.assertEqual(lines[1 + 13], "    lower")
            self.assertEqual(lines[1 + 3], "  upper")
            # A compressed window shows 134 columns; a pan moves its view.
            host.send(dg.write_cursor(0, 5) + dg.COMPRESSED + b"x" * 131 + b"END")
            self.assertEqual(self.dump("END")[1 + 5], "x" * 131 + "END")
            host.send(dg.pan_right(20))
            self.dump_row(5, "x" * 111 + "END")
            self.ask(host, dg.READ_VIEW, dg.view_reply(20))

            # National table 1 shows "#" as the pound sign; a native 0xC1 with 8-bit off is A.
            host.send(dg.RESET + dg.designate(2) + b"#" + dg.designate(1) + dg.eight_bit(False) + b"\xc1done")
            self.assertEqual(self.dump("done")[1], "\u00a3Adone")

    def test_ansi_mode_reports_and_far_operands(self):
        with th.ScriptedHost() as host:
            self.start(host)
            host.send(dg.ANSI_MODE + tput("d410", "cup", "4", "9"))
            self.ask(host, dg.CPR_REQUEST, dg.cpr(5, 10))
            self.ask(host, dg.STATUS_REQUEST, b"\x1b[0n")
            self.ask(host, th.escape(b"\x9b" b"6n"), dg.cpr(5, 10))
            # Operands far out of range: the terminal keeps answering, and at once.
            host.send(b"\x1b[u\x1b[2;;1;5w\x1b['H\x1b[1;1;4000000000t\x1b[99999999999A")
            started = time.time()
            host.send(b"\x1b[4000000000A" + dg.CPR_REQUEST)
            host.wait_for(lambda d: d.startswith(b"\x1b[") and d.endswith(b"R"), 15, "the cursor report")
            self.assertLess(time.time() - started, 5)
            host.take()
            # Back to native mode, and into ANSI mode again.
            host.send(dg.NATIVE_MODE)
            self.sync(host, native=True)
            host.send(dg.ANSI_MODE)
            self.sync(host, native=False)

    def test_keys_send_what_the_terminal_descriptions_name(self):
        # Function keys: plain, Shift, Ctrl and Ctrl+Shift are kf1-15, kf16-30, kf31-45
        # and kf46-60; Alt+F1-F3 are F13-F15 in the shift state held.
        # Left out: Ctrl+Alt+F1-F3 (kf43-45), which the X server keeps as its console
        # switch keys (the engine's key tests send them).
        shifts = ("", "shift+", "ctrl+", "ctrl+shift+")
        keys = []
        for s, shift in enumerate(shifts):
            for n in range(1, 16):
                key = "%sF%d" % (shift, n) if n <= 12 else "%salt+F%d" % (shift, n - 12)
                if shift != "ctrl+" or n <= 12:
                    keys.append((key, "kf%d" % (15 * s + n)))
        keys += [("Up", "kcuu1"), ("Down", "kcud1"), ("Left", "kcub1"), ("Right", "kcuf1"), ("Home", "khome"),
                 ("Insert", "ka1"), ("Prior", "ka3"), ("Delete", "kc1"), ("Next", "kc3")]
        native = keys + [("shift+Left", "kLFT"), ("shift+Right", "kRIT"), ("shift+Home", "kHOM"),
                         ("alt+Insert", "kclr"), ("alt+Prior", "kel")]
        with th.ScriptedHost() as host:
            self.start(host)
            host.send(th.will(th.ECHO))
            self.focus_terminal()
            self.sync(host)
            self.press(host, native, "d410-dg")
            # ANSI mode: d410's sequences, its 8-bit CSI sent as ESC [.
            host.send(dg.ANSI_MODE)
            self.sync(host, native=False)
            self.press(host, keys + [("alt+Prior", "kel")], "d410")
            # Alt+Insert erases the page (d410's kclr is ESC [ 2 J); Shift+Up sends nothing.
            self.press_raw(host, ["alt+Insert"], b"\x1b[0J")
            self.xdotool("key", "shift+Up")
            host.expect_nothing(1.0)

    def test_printer_controller_and_the_print_command(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        with th.ScriptedHost() as host:
            self.start(host)
            # The controller: RS F that turns out not to end it prints, RS F a ends it
            # unprinted, and the host hears ACK.
            host.send(dg.CONTROLLER_ON + b"A" + dg.RS + b"F" + dg.CONTROLLER_OFF)
            host.expect(dg.ACK, timeout=30)
            self.assertEqual(spool.wait_jobs(1), [b"A\x1eF"], "one RAW job of exactly the data")
            # ANSI mode: ESC [ that is not the end prints, another media copy is dropped.
            host.send(dg.ANSI_MODE + b"\x1b[5iA\x1b[5i\x1b[" + th.escape(b"\x9b") + b"4ishown")
            self.dump("shown")
            self.assertEqual(spool.wait_jobs(2)[1], b"A\x1b[")
            # The print command (DC1 in native mode) prints the window's rows.
            host.send(dg.NATIVE_MODE + b"\x0c" + b"first row\r\n  second, indented\r\n\r\nfourth" + b"\x11")
            jobs = spool.wait_jobs(3)
            # txtwrite puts the page's margin before every line.
            lines = textwrap.dedent(ghostscript_text(jobs[2]).replace("\xa0", " ")).split("\n")
            self.assertEqual([line.rstrip() for line in lines if line.strip()],
                             ["first row", "  second, indented", "fourth"])

    def test_switching_back_to_vt500_restores_its_rows_columns_and_history(self):
        self.setting("VT300", "termid", 4)  # a vt320 keeps a history (the vt420 has pages)
        with th.ScriptedHost() as host:
            proc, hwnd = self.start(host, emulation=2)
            host.send(b"\x1b[?3h" + b"".join(b"line %d\r\n" % n for n in range(60)))
            self.sync(host, native=False)
            history = self.history_lines(hwnd)
            self.assertGreater(history, 0)

            self.choose_emulation(hwnd, "DG 410/412")
            self.status_field("emulation", " DG410 ")
            host.send(b"dg")
            self.sync(host, native=True)
            self.assertEqual(self.dump("dg")[1], "dg")

            self.choose_emulation(hwnd, "VT500 7-Bit")
            self.sync(host, native=False)
            wide = b"w" * 131 + b"|"
            host.send(b"\x1b[H" + wide)
            lines = self.dump("|")
            self.assertEqual(lines[1], wide.decode(), "132 columns again")
            self.assertEqual(len([line for line in lines[1:] if not line.startswith("status")]) - 1, 24)
            # The screen starts afresh; the same lines again fill the same history.
            host.send(b"\r\n" + b"".join(b"line %d\r\n" % n for n in range(59)))
            self.sync(host, native=False)
            self.assertEqual(self.history_lines(hwnd, history), history)

    def history_lines(self, hwnd, expected=None, timeout=15):
        """The scroll bar's range: the lines of the history. The window shows the bar and
        its range a moment after the host data, on its own thread."""
        deadline = time.time() + timeout
        lines = 0
        while time.time() < deadline:
            bars = [c["hwnd"] for c in self.wine.probe.children(hwnd) if c["class"] == "ScrollBar" and c["visible"]]
            lines = self.wine.probe.scroll_info(bars[0])["max"] if bars else 0
            if (expected is None and lines > 0) or lines == expected:
                break
            time.sleep(0.1)
        return lines

    def press(self, host, keys, term):
        for at in range(0, len(keys), 20):
            chunk = keys[at:at + 20]
            # tput leaves a key string's "%%" as it is: the key sends one "%".
            expected = b"".join(tput(term, capability).replace(b"%%", b"%") for _, capability in chunk)
            expected = expected.replace(b"\x9b", b"\x1b[")
            self.press_raw(host, [key for key, _ in chunk], expected)

    def press_raw(self, host, keys, expected):
        self.assertEqual(self.xdotool("key", "--delay", "30", *keys).returncode, 0, keys)
        host.expect(expected, timeout=20)
        time.sleep(0.2)
        self.assertEqual(host.take(), b"", "nothing more after %r" % keys)


if __name__ == "__main__":
    unittest.main()
