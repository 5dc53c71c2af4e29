"""tmux as an outside check of the Wyse personalities: a host on 127.0.0.1 runs tmux
(status line off) in a pseudo-terminal with TERM set to a Wyse, TeleVideo, ADDS or
Hazeltine entry, and vexaNT, in the matching personality, is its terminal over telnet.
A program in tmux's pane draws a scripted screen step by step (text, inserts, deletes,
erases, scrolling, attributes); tmux redraws it on vexaNT through the entry. After each
step the text rows of vexaNT's screen dump must equal `tmux capture-pane -p`, apart from
the differences listed in DIFFERENCES.

tmux writes a description's padding ("$<10>") as text, which a real terminal would show;
the descriptions are compiled again without it into a folder of the test's own. The
tvi910 description's home, ESC = SOH SOH, goes too: its row byte is page line 33 through
the terminal's six-bit row mask (the column byte is clamped to 0), so tmux homes with cup.

Before each comparison the host waits until tmux is quiet and then until vexaNT has
answered ENQ with ACK (kept from tmux).
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
ESC = b"\x1b"
# TERM, the personality's id, rows, columns and what the host sends first to make the
# terminal the entry describes.
TERMS = (
    ("wy50", 8, 24, 80, b""),
    ("wy60", 15, 24, 80, b""),
    ("wy60-25", 15, 25, 80, ESC + b"e)"),
    ("wy60-42", 15, 42, 80, ESC + b"e*"),
    ("wy60-w", 15, 24, 132, ESC + b"`;"),
    ("tvi910", 10, 24, 80, b""),
    ("tvi920b", 11, 24, 80, b""),
    ("tvi925", 12, 24, 80, b""),
    ("viewpoint", 13, 24, 80, b""),
    ("hz1500", 14, 24, 80, b""),
)
# The steps a terminal cannot show as tmux holds them, and why.
DIFFERENCES = {
    ("tvi910", "attributes"): "the TVI910's attributes take a cell of the screen (xmc#1)",
    ("tvi925", "attributes"): "the TVI925's attributes take a cell of the screen (xmc#1)",
}

PANE = """import os, sys
f = os.open(sys.argv[1], os.O_RDWR)
while True:
    os.write(1, os.read(f, 65536))
"""


def csi(text):
    return b"\x1b[" + text.encode()


def steps(rows):
    """The scripted screen, in the sequences of tmux's own terminal inside the pane."""
    last = str(rows)
    return (
        ("text", csi("H") + csi("2J") + b"first line\r\nsecond line of text\r\nthird" + csi("10;30H") + b"middle"),
        ("inserts", csi("1;1H") + csi("3@") + b"ins" + csi("2;8H") + csi("2@") + csi("3;1H") + csi("2L") +
         b"inserted line"),
        ("deletes", csi("1;4H") + csi("2P") + csi("2;1H") + csi("M") + csi("6;3H") + csi("P")),
        ("erases", csi("1;10H") + csi("K") + csi("2;5H") + csi("1K") + csi("12;1H") + b"to be erased" +
         csi("12;4H") + csi("2K") + csi("14;1H") + b"below" + csi("14;3H") + csi("J")),
        ("scrolling", csi(last + ";1H") + b"bottom\r\nscrolled 1\r\nscrolled 2" + csi("5;15r") + csi("15;1H") +
         b"\r\nregion\r\n" + csi("5;1H") + b"\x1bM" + b"top of region" + csi("r") + csi(last + ";1H") + b"end"),
        ("attributes", csi("17;1H") + b"plain " + csi("7m") + b"reverse" + csi("0m") + b" " + csi("4m") +
         b"under" + csi("0m") + b" after"),
    )


class WyseTmuxTest(WineTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("tmux") or not shutil.which("tic"):
            self.skipTest("tmux or tic is not installed")
        self.dir = tempfile.mkdtemp(prefix="vxwytmux")
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
        self.terminfo = os.path.join(self.dir, "terminfo")
        for term, *_ in TERMS:
            source = subprocess.run(["infocmp", "-1", "-x", term], capture_output=True, text=True,
                                    check=True).stdout
            if term == "tvi910":
                source = re.sub(r"\n\thome=[^\n]*", "", source)
            subprocess.run(["tic", "-x", "-o", self.terminfo, "-"], input=re.sub(r"\$<[^>]*>", "", source),
                           capture_output=True, text=True, check=True)

    def dump_rows(self, rows):
        try:
            with open(self.screen, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except FileNotFoundError:
            return []
        return [row.rstrip() for row in lines[1:1 + rows]]

    def tmux(self, socket, *args):
        return subprocess.run(["tmux", "-L", socket, *args], capture_output=True, text=True, timeout=30)

    def setting(self, section, name, value):
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", "REG_DWORD", "/d",
                                       str(value), "/f")[0], 0)

    def test_tmux_draws_the_scripted_pane_in_each_personality(self):
        for term, emulation, rows, columns, prepare in TERMS:
            with self.subTest(term=term):
                self.run_pane(term, emulation, rows, columns, prepare)

    def run_pane(self, term, emulation, rows, columns, prepare):
        socket = "vxwy%d%s" % (os.getpid(), term)
        argv = ["tmux", "-L", socket, "-f", self.conf, "new-session", "-s", "vx", "-x", str(columns), "-y",
                str(rows), "stty raw -echo; exec python3 %s %s" % (self.pane, self.fifo)]
        if os.path.exists(self.screen):
            os.remove(self.screen)
        env = {"LANG": "C", "LC_ALL": "C", "LC_CTYPE": "C", "TERMINFO": self.terminfo}
        with PtyRelay(argv, telnet=True, term=term, rows=rows, columns=columns, env=env) as relay:
            self.setting("VT300", "vdumode", emulation)
            for name, value in (("netproto", 0), ("iTelnetPortNum", relay.port)):
                self.setting("CONNECTION", name, value)
            self.assertEqual(self.wine.reg("add", PROFILE + "\\CONNECTION", "/v", "netname", "/t", "REG_SZ", "/d",
                                           "127.0.0.1", "/f")[0], 0)
            proc, hwnd = self.start_terminal("-SeDefault")
            try:
                relay.wait_connection(30)
                if prepare:
                    relay.inject(prepare)
                relay.sync(b"\x05", b"\x06")
                # tmux draws the whole pane again on the terminal as it now is.
                self.tmux(socket, "refresh-client", "-t", "vx")
                relay.wait_quiet(1.0, 60)
                relay.sync(b"\x05", b"\x06")
                with open(self.fifo, "wb", buffering=0) as pane:
                    for name, data in steps(rows):
                        pane.write(data)
                        time.sleep(0.2)
                        relay.wait_quiet(0.5, 30)
                        relay.sync(b"\x05", b"\x06")
                        if (term, name) in DIFFERENCES:
                            continue
                        expected = [r.rstrip() for r in
                                    self.tmux(socket, "capture-pane", "-p", "-t", "vx").stdout.split("\n")][:rows]
                        shown = []
                        deadline = time.time() + 10
                        while time.time() < deadline:
                            shown = self.dump_rows(rows)
                            if shown == expected:
                                break
                            time.sleep(0.1)
                        self.assertEqual(shown, expected, "%s: step %r" % (term, name))
            finally:
                self.tmux(socket, "kill-server")
                self.stop_terminal(proc, hwnd)


if __name__ == "__main__":
    unittest.main()
