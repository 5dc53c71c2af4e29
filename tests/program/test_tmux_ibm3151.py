"""tmux as an outside check of the IBM 3151: a host on 127.0.0.1 runs tmux in a
pseudo-terminal with TERM=ibm3151 and LC_ALL=C (so it draws lines with the entry's
alternate character set), and vexaNT, as an IBM 3151, is its terminal over telnet.
tmux's status line is on top: at the bottom its last cell would scroll the screen, as
a terminal with automatic margins does. A program in tmux's pane draws a scripted screen
step by step (text, scrolling, line and character editing, line drawing); tmux redraws
it through ibm3151's terminfo entry. After each step vexaNT's rows must be the status
line and then the text of `tmux capture-pane -p -e`, its line-drawing runs as their
letters (ibm3151's acsc maps each VT letter to the same letter with the eighth bit).
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
ROWS, COLUMNS = 24, 80
STATUS = "status"

PANE = """import os, sys
f = os.open(sys.argv[1], os.O_RDWR)
while True:
    os.write(1, os.read(f, 65536))
"""


def csi(text):
    return b"\x1b[" + text.encode()


# The scripted screen, in the sequences of tmux's own terminal inside the pane.
STEPS = (
    ("text", csi("H") + csi("2J") + b"first line of text\r\nsecond line\r\nthird line"),
    ("line drawing", csi("5;1H") + b"\x1b(0lqqwqqk\x1b(B\r\n\x1b(0x\x1b(B  \x1b(0x\x1b(B  \x1b(0x\x1b(B\r\n" +
     b"\x1b(0tqqnqqu\x1b(B\r\n\x1b(0mqqvqqj\x1b(B box"),
    ("inserts", csi("1;1H") + csi("3@") + b"ins" + csi("2;8H") + csi("2@") + csi("3;1H") + csi("2L") +
     b"inserted line"),
    ("deletes", csi("1;4H") + csi("2P") + csi("2;1H") + csi("M") + csi("6;3H") + csi("P")),
    ("erases", csi("1;10H") + csi("K") + csi("12;1H") + b"to be erased" + csi("12;4H") + csi("2K") +
     csi("14;1H") + b"below" + csi("14;3H") + csi("J")),
    ("scrolling", csi("23;1H") + b"bottom\r\nscrolled 1\r\nscrolled 2\r\nscrolled 3" + csi("1;1H") + b"top"),
)

ESCAPE = re.compile(r"\x1b(\[[0-9;?]*[ -/]*[@-~]|[()][0-9A-Za-z]|[@-Z\\-_])")


def capture_text(raw):
    """The pane's rows: escapes dropped, line-drawing runs as their letters."""
    rows = []
    for line in raw.split("\n"):
        rows.append(ESCAPE.sub("", line).replace("\x0e", "").replace("\x0f", "").rstrip())
    return rows[:ROWS - 1]


class TmuxIbm3151Test(WineTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("tmux"):
            self.skipTest("tmux is not installed")
        self.dir = tempfile.mkdtemp(prefix="vxtmux3151")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.fifo = os.path.join(self.dir, "steps")
        os.mkfifo(self.fifo)
        self.pane = os.path.join(self.dir, "pane.py")
        with open(self.pane, "w") as f:
            f.write(PANE)
        self.conf = os.path.join(self.dir, "tmux.conf")
        with open(self.conf, "w") as f:
            f.write("set -g escape-time 0\nset -g status-position top\nset -g status-left '%s'\n"
                    "set -g status-right ''\nset -g window-status-format ''\n"
                    "set -g window-status-current-format ''\n" % STATUS)

    def setting(self, section, name, value):
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", "REG_DWORD", "/d",
                                       str(value), "/f")[0], 0)

    def dump_rows(self):
        try:
            with open(self.screen, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except FileNotFoundError:
            return []
        return [row.rstrip() for row in lines[1:1 + ROWS]]

    def tmux(self, socket, *args):
        return subprocess.run(["tmux", "-L", socket, *args], capture_output=True, text=True, timeout=30)

    def test_tmux_draws_the_scripted_pane(self):
        socket = "vxtmux3151%d" % os.getpid()
        argv = ["tmux", "-L", socket, "-f", self.conf, "new-session", "-s", "vx", "-x", str(COLUMNS), "-y",
                str(ROWS), "stty raw -echo; exec python3 %s %s" % (self.pane, self.fifo)]
        env = {"LANG": "C", "LC_ALL": "C", "LC_CTYPE": "C"}
        with PtyRelay(argv, telnet=True, term="ibm3151", rows=ROWS, columns=COLUMNS, env=env) as relay:
            self.setting("VT300", "vdumode", 16)
            for name, value in (("netproto", 0), ("iTelnetPortNum", relay.port)):
                self.setting("CONNECTION", name, value)
            self.assertEqual(self.wine.reg("add", PROFILE + r"\CONNECTION", "/v", "netname", "/t", "REG_SZ", "/d",
                                           "127.0.0.1", "/f")[0], 0)
            proc, hwnd = self.start_terminal("-SeDefault")
            try:
                relay.wait_connection(30)
                relay.wait_quiet(1.0, 60)
                relay.sync(b"\x1b6", b"\x1b6 @\r")
                with open(self.fifo, "wb", buffering=0) as steps:
                    for name, data in STEPS:
                        steps.write(data)
                        time.sleep(0.2)
                        relay.wait_quiet(0.5, 30)
                        relay.sync(b"\x1b6", b"\x1b6 @\r")
                        pane = capture_text(self.tmux(socket, "capture-pane", "-p", "-e", "-t", "vx").stdout)
                        expected = [STATUS] + pane
                        self.assertEqual(len(expected), ROWS, name)
                        rows = []
                        deadline = time.time() + 10
                        while time.time() < deadline:
                            rows = self.dump_rows()
                            if rows == expected:
                                break
                            time.sleep(0.1)
                        self.assertEqual(rows, expected, "step %r" % name)
            finally:
                self.tmux(socket, "kill-server")
                self.stop_terminal(proc, hwnd)


if __name__ == "__main__":
    unittest.main()
