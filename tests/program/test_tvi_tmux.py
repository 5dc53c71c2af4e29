"""tmux as an outside check of the TVI 950 and 955: a host on 127.0.0.1 runs tmux (its
status line off) in a pseudo-terminal with TERM set to one of the TeleVideo terminfo
entries, and vexaNT, as that terminal, is its terminal over telnet. A program in tmux's
pane draws a scripted screen step by step (text, inserts, deletes, erases, scrolling,
attributes); tmux redraws it through the entry. After each step vexaNT's 24 display
rows must be the text of `tmux capture-pane -p`.

Known differences: tvi950, tvi950-rv and tvi950-2p declare a magic cookie (xmc#1: an
attribute takes a cell on the screen), which tmux does not allow for, so on them the
attributes step's rows are compared with the cookies' blanks taken out. The 955
entries have none once their is2 has turned attribute space off; the host sends it
before tmux starts.
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
ROWS = 24
TVI955, TVI950 = 19, 22

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
    ("inserts", csi("1;1H") + csi("3@") + b"ins" + csi("2;8H") + csi("2@") + csi("3;1H") + csi("2L") +
     b"inserted line"),
    ("deletes", csi("1;4H") + csi("2P") + csi("2;1H") + csi("M") + csi("6;3H") + csi("P")),
    ("erases", csi("1;10H") + csi("K") + csi("12;1H") + b"to be erased" + csi("12;4H") + csi("2K") +
     csi("14;1H") + b"below" + csi("14;3H") + csi("J")),
    ("scrolling", csi("23;1H") + b"bottom\r\nscrolled 1\r\nscrolled 2\r\nscrolled 3" + csi("1;1H") + b"top"),
    ("attributes", csi("10;1H") + b"plain " + csi("7m") + b"reverse" + csi("0m") + b" and " + csi("4m") +
     b"underline" + csi("0m") + b" end"),
)

ESCAPE = re.compile(r"\x1b(\[[0-9;?]*[ -/]*[@-~]|[()][0-9A-Za-z]|[@-Z\\-_])")

# terminfo name, emulation, columns, and whether the host sends the entry's is2 before
# tmux starts (as a login's tset would): the 955 entries count on it to turn attribute
# space off (ESC F 1) and, for tvi955-w, to widen the screen (CSI = 3 h).
TERMINALS = (
    ("tvi950", TVI950, 80, False),
    ("tvi950-rv", TVI950, 80, False),
    ("tvi950-2p", TVI950, 80, False),
    ("tvi955", TVI955, 80, True),
    ("tvi955-w", TVI955, 132, True),
)
IDENTITY = {TVI950: b"1.0,8\r", TVI955: b"955 1.0,3\r"}


def capture_text(raw):
    return [ESCAPE.sub("", line).rstrip() for line in raw.split("\n")][:ROWS]


def without_cookies(row):
    """A row as a terminal whose attributes take no cell shows it: each blank an
    attribute took is dropped (the words' single blanks are kept)."""
    return re.sub(r"  +", " ", row)


class TmuxTviTest(WineTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("tmux"):
            self.skipTest("tmux is not installed")

    def setting(self, section, name, value):
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", "REG_DWORD", "/d",
                                       str(value), "/f")[0], 0)

    def run_terminal(self, term, emulation, columns, init):
        prelude = subprocess.run(["tput", "-T", term, "is2"], capture_output=True).stdout if init else b""
        directory = tempfile.mkdtemp(prefix="vxtmuxtvi")
        screen = os.path.join(directory, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(screen)
        fifo = os.path.join(directory, "steps")
        os.mkfifo(fifo)
        pane = os.path.join(directory, "pane.py")
        with open(pane, "w") as f:
            f.write(PANE)
        conf = os.path.join(directory, "tmux.conf")
        with open(conf, "w") as f:
            f.write("set -g escape-time 0\nset -g status off\n")
        socket = "vxtmuxtvi%d" % os.getpid()

        def tmux(*args):
            return subprocess.run(["tmux", "-L", socket, *args], capture_output=True, text=True, timeout=30)

        def dump_rows():
            try:
                with open(screen, encoding="utf-8") as f:
                    lines = f.read().split("\n")
            except FileNotFoundError:
                return []
            return [row.rstrip() for row in lines[2:2 + ROWS]]

        shell = "printf '%s'; exec tmux -L %s -f %s new-session -s vx -x %d -y %d 'stty raw -echo; exec python3 %s %s'" % (
            "".join("\\%03o" % b for b in prelude), socket, conf, columns, ROWS, pane, fifo)
        env = {"LANG": "C", "LC_ALL": "C", "LC_CTYPE": "C"}
        with PtyRelay(["sh", "-c", shell], telnet=True, term=term, rows=ROWS, columns=columns, env=env) as relay:
            self.setting("VT300", "vdumode", emulation)
            for name, value in (("netproto", 0), ("iTelnetPortNum", relay.port)):
                self.setting("CONNECTION", name, value)
            self.assertEqual(self.wine.reg("add", PROFILE + r"\CONNECTION", "/v", "netname", "/t", "REG_SZ", "/d",
                                           "127.0.0.1", "/f")[0], 0)
            proc, hwnd = self.start_terminal("-SeDefault")
            try:
                relay.wait_connection(30)
                relay.wait_quiet(1.0, 60)
                relay.sync(b"\x1bM", IDENTITY[emulation])
                with open(fifo, "wb", buffering=0) as steps:
                    for name, data in STEPS:
                        steps.write(data)
                        time.sleep(0.2)
                        relay.wait_quiet(0.5, 30)
                        relay.sync(b"\x1bM", IDENTITY[emulation])
                        expected = capture_text(tmux("capture-pane", "-p", "-t", "vx").stdout)
                        self.assertEqual(len(expected), ROWS, name)
                        cookies = name == "attributes" and term.startswith("tvi950")
                        rows = []
                        deadline = time.time() + 10
                        while time.time() < deadline:
                            rows = dump_rows()
                            if cookies:
                                rows = [without_cookies(r) for r in rows]
                            if rows == expected:
                                break
                            time.sleep(0.1)
                        self.assertEqual(rows, expected, "%s, step %r" % (term, name))
            finally:
                tmux("kill-server")
                self.stop_terminal(proc, hwnd)

    def test_tmux_draws_the_scripted_pane(self):
        for term, emulation, columns, init in TERMINALS:
            with self.subTest(term=term):
                self.run_terminal(term, emulation, columns, init)


if __name__ == "__main__":
    unittest.main()
