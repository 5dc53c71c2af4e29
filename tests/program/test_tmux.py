"""tmux as an outside check of the ANSI consoles and AIXTerm: a host on 127.0.0.1 runs
tmux (status line off) in a pseudo-terminal with TERM=scoansi, at386, aixterm or ansi,
and vexaNT, in the matching emulation, is its terminal over telnet. A program in tmux's
pane draws a scripted screen step by step (colours, line drawing, inserts, deletes,
erases, scrolling); tmux redraws it on vexaNT through that terminal's terminfo entry.
After each step vexaNT's screen dump must show the text of `tmux capture-pane -p -e`,
its shift-out line-drawing runs as box characters.

Before each comparison the host waits until tmux is quiet and then until vexaNT has
answered a status request slipped into the stream (the answer is kept from tmux).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost.ptyrelay import PtyRelay  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
ROWS, COLUMNS = 25, 80
# TERM, the emulation's name on the Emulation page and its id. Ansi BBS starts from its
# profile (emulation and host in it); the others are chosen on the page and connected
# from the New Connection page.
TERMS = (("scoansi", "SCO Console", 5), ("at386", "AT 386", 21), ("aixterm", "AIXTerm", 23), ("ansi", "Ansi BBS", 4))

# The pane's program copies what the test writes into a FIFO to its terminal.
PANE = """import os, sys
f = os.open(sys.argv[1], os.O_RDWR)
while True:
    os.write(1, os.read(f, 65536))
"""


def csi(text):
    return b"\x1b[" + text.encode()


# The scripted screen, in the sequences of tmux's own terminal inside the pane.
STEPS = (
    ("text and colours", csi("H") + csi("2J") + b"plain " + csi("31m") + b"red" + csi("0m") + b" " +
     csi("1;44m") + b"bold on blue" + csi("0m") + b" " + csi("7m") + b"reverse" + csi("0m") + b" " +
     csi("32;43m") + b"green on yellow" + csi("0m") + b"\r\n" + b"second line of text\r\nthird line"),
    # The blanks inside the box stand outside the line-drawing runs: tmux sends a blank
    # of a run without leaving the set, and SCO Console and AT 386 show a byte below DEL
    # in that set (SGR 12) as the PC character 128 above it, a blank as 0xA0.
    ("line drawing", csi("5;1H") + b"\x1b(0lqqwqqk\r\nx\x1b(B  \x1b(0x\x1b(B  \x1b(0x\r\ntqqnqqu\r\nmqqvqqj\x1b(B box"),
    ("inserts", csi("1;1H") + csi("3@") + b"ins" + csi("2;8H") + csi("2@") + csi("3;1H") + csi("2L") +
     b"inserted line"),
    ("deletes", csi("1;4H") + csi("2P") + csi("2;1H") + csi("M") + csi("6;3H") + csi("P")),
    ("erases", csi("1;10H") + csi("K") + csi("2;5H") + csi("1K") + csi("12;1H") + b"to be erased" +
     csi("12;4H") + csi("2K") + csi("14;1H") + b"below" + csi("14;3H") + csi("J")),
    ("scrolling", csi("25;1H") + b"bottom\r\nscrolled 1\r\nscrolled 2" + csi("10;20r") + csi("20;1H") +
     b"\r\nregion\r\n" + csi("10;1H") + b"\x1bM" + b"top of region" + csi("r") + csi("25;1H") + b"end"),
    ("colour erase", csi("44m") + csi("16;1H") + csi("K") + csi("0m") + csi("17;1H") + b"after"),
    # dialog's scroll arrows, diamond and block: ansi's acsc draws them with control codes
    # (SGR 11), which must show without moving the rest of the row.
    ("console line drawing", csi("20;1H") + b"\x1b(0mqqqq.\x1b(B(+) \x1b(0-+,`0\x1b(B end", ("ansi",)),
)

# The VT line-drawing characters tmux's capture shows between SO and SI.
BOX = dict(zip("jklmnqtuvwx`a~", "\u2518\u2510\u250c\u2514\u253c\u2500\u251c\u2524\u2534\u252c\u2502\u25c6\u2592\u00b7"))
# What a console shows for the line-drawing characters its entry maps to PC symbols.
CONSOLE_BOX = {"ansi": dict(zip("+,-.`0", "\u25ba\u25c4\u2191\u2193\u2666\u2588"))}
ESCAPE = re.compile(r"\x1b(\[[0-9;?]*[ -/]*[@-~]|[()][0-9A-Za-z]|[@-Z\\-_])")


def capture_text(raw, term=None):
    """The rows of `capture-pane -p -e` as text: escapes dropped, shift-out runs (which
    may go on past a line's end) as box characters (as the console `term` shows them),
    trailing blanks removed."""
    box = dict(BOX, **CONSOLE_BOX.get(term, {}))
    rows, shifted = [], False
    for line in raw.split("\n"):
        text = []
        for part in re.split(r"(\x0e|\x0f|\x1b\(0|\x1b\(B)", ESCAPE.sub(lambda m: m.group(0) if m.group(0) in
                                                                           ("\x1b(0", "\x1b(B") else "", line)):
            if part in ("\x0e", "\x1b(0"):
                shifted = True
            elif part in ("\x0f", "\x1b(B"):
                shifted = False
            else:
                text.append("".join(box.get(c, c) for c in part) if shifted else part)
        rows.append("".join(text).rstrip())
    return rows[:ROWS]


class TmuxPaneTest(WineTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("tmux"):
            self.skipTest("tmux is not installed")
        self.dir = tempfile.mkdtemp(prefix="vxtmux")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.fifo = os.path.join(self.dir, "steps")
        os.mkfifo(self.fifo)
        self.pane = os.path.join(self.dir, "pane.py")
        with open(self.pane, "w") as f:
            f.write(PANE)
        self.conf = os.path.join(self.dir, "tmux.conf")
        with open(self.conf, "w") as f:
            f.write("set -g status off\nset -g escape-time 0\n")

    def dump_rows(self):
        try:
            with open(self.screen, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except FileNotFoundError:
            return []
        return [row.rstrip() for row in lines[1:1 + ROWS]]

    def tmux(self, socket, *args):
        return subprocess.run(["tmux", "-L", socket, *args], capture_output=True, text=True, timeout=30)

    def test_tmux_draws_the_scripted_pane_in_each_console(self):
        for term, emulation, emulation_id in TERMS:
            with self.subTest(term=term):
                self.run_pane(term, emulation, emulation_id if term == "ansi" else None)

    def setting(self, section, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data,
                                       "/f")[0], 0)

    def run_pane(self, term, emulation, profile_id):
        socket = "vxtmux%d%s" % (os.getpid(), term)
        argv = ["tmux", "-L", socket, "-f", self.conf, "new-session", "-s", "vx", "-x", str(COLUMNS), "-y",
                str(ROWS), "stty raw -echo; exec python3 %s %s" % (self.pane, self.fifo)]
        if os.path.exists(self.screen):
            os.remove(self.screen)
        # Not UTF-8: tmux then draws lines with the entry's alternate character set.
        env = {"LANG": "C", "LC_ALL": "C", "LC_CTYPE": "C"}
        with PtyRelay(argv, telnet=True, term=term, rows=ROWS, columns=COLUMNS, env=env) as relay:
            if profile_id is not None:
                self.setting("VT300", "vdumode", profile_id)
                for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", relay.port)):
                    self.setting("CONNECTION", name, value)
                proc, hwnd = self.start_terminal("-SeDefault")
            else:
                proc, hwnd = self.start_terminal()
            try:
                if profile_id is None:
                    self.choose_emulation(hwnd, emulation)
                    self.connect_telnet(hwnd, relay.port)
                relay.wait_connection(30)
                relay.wait_quiet(1.0, 60)
                relay.sync()
                with open(self.fifo, "wb", buffering=0) as steps:
                    for name, data, *terms in STEPS:
                        if terms and term not in terms[0]:
                            continue
                        steps.write(data)
                        time.sleep(0.2)
                        relay.wait_quiet(0.5, 30)
                        relay.sync()
                        expected = capture_text(self.tmux(socket, "capture-pane", "-p", "-e", "-t", "vx").stdout, term)
                        self.assertEqual(len(expected), ROWS, name)
                        rows = []
                        deadline = time.time() + 10
                        while time.time() < deadline:
                            rows = self.dump_rows()
                            if rows == expected:
                                break
                            time.sleep(0.1)
                        self.assertEqual(rows, expected, "%s: step %r" % (term, name))
            finally:
                self.tmux(socket, "kill-server")
                self.stop_terminal(proc, hwnd)


if __name__ == "__main__":
    unittest.main()
