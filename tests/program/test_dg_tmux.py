"""tmux as an outside check of the DG 410/412: a host on 127.0.0.1 runs tmux (status line
off) in a pseudo-terminal with TERM d410-dg or d412-dg (native mode) or d410 (ANSI mode,
entered by RS F @ before tmux starts), and vexaNT, as emulation 20, is its terminal over
telnet. A program in tmux's pane draws a scripted screen step by step (scrolling,
inserts, deletes, erases, attributes, line drawing); tmux redraws it on vexaNT through
the terminal description. After each step vexaNT's screen dump must show the text of
`tmux capture-pane -p -e`, its alternate-character runs as box characters.

Before each comparison the host waits until tmux is quiet and then until vexaNT has
answered a request slipped into the stream (the answer is kept from tmux): the terminal
ID in native mode, a status report in ANSI mode.

Known differences: none.
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
from telnethost import dg  # noqa: E402
from telnethost.ptyrelay import PtyRelay  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from test_tmux import PANE, capture_text, csi  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
ROWS, COLUMNS = 24, 80
# TERM, and whether the terminal is put into ANSI mode before tmux starts.
TERMS = (("d410-dg", False), ("d412-dg", False), ("d410", True))

# The scripted screen, in the sequences of tmux's own terminal inside the pane.
STEPS = (
    ("text and attributes", csi("H") + csi("2J") + b"plain " + csi("1m") + b"bold" + csi("0m") + b" " +
     csi("4m") + b"underline" + csi("0m") + b" " + csi("7m") + b"reverse" + csi("0m") + b" " + csi("5m") +
     b"blink" + csi("0m") + b"\r\nsecond line of text\r\nthird line"),
    ("line drawing", csi("5;1H") + b"\x1b(0lqqwqqk\r\nx\x1b(B  \x1b(0x\x1b(B  \x1b(0x\r\ntqqnqqu\r\nmqqvqqj\x1b(B box"),
    ("inserts", csi("1;1H") + csi("3@") + b"ins" + csi("2;8H") + csi("2@") + csi("3;1H") + csi("2L") +
     b"inserted line"),
    ("deletes", csi("1;4H") + csi("2P") + csi("2;1H") + csi("M") + csi("6;3H") + csi("P")),
    ("erases", csi("1;10H") + csi("K") + csi("2;5H") + csi("1K") + csi("12;1H") + b"to be erased" +
     csi("12;4H") + csi("2K") + csi("14;1H") + b"below" + csi("14;3H") + csi("J")),
    ("scrolling", csi("24;1H") + b"bottom\r\nscrolled 1\r\nscrolled 2" + csi("10;20r") + csi("20;1H") +
     b"\r\nregion\r\n" + csi("10;1H") + b"\x1bM" + b"top of region" + csi("r") + csi("24;1H") + b"end"),
    ("long lines", csi("H") + csi("2J") + b"".join(b"%02d " % n + b"." * 70 + b"\r\n" for n in range(30)) + b"last"),
)


class DgTmuxTest(WineTestCase):
    def setUp(self):
        super().setUp()
        if not shutil.which("tmux"):
            self.skipTest("tmux is not installed")
        self.dir = tempfile.mkdtemp(prefix="vxdgtmux")
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

    def setting(self, section, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data,
                                       "/f")[0], 0)

    def dump_rows(self):
        try:
            with open(self.screen, encoding="utf-8") as f:
                lines = f.read().split("\n")
        except FileNotFoundError:
            return []
        return [row.rstrip() for row in lines[1:1 + ROWS]]

    def tmux(self, socket, *args):
        return subprocess.run(["tmux", "-L", socket, *args], capture_output=True, text=True, timeout=30)

    def test_tmux_draws_the_scripted_pane_in_both_modes(self):
        self.setting("VT300", "vdumode", 20)
        for term, ansi in TERMS:
            with self.subTest(term=term):
                self.run_pane(term, ansi)

    def run_pane(self, term, ansi):
        socket = "vxdgtmux%d%s" % (os.getpid(), term)
        tmux = "tmux -L %s -f %s new-session -s vx -x %d -y %d 'stty raw -echo; exec python3 %s %s'" % (
            socket, self.conf, COLUMNS, ROWS, self.pane, self.fifo)
        # ANSI mode is the host's choice: RS F @ goes out before tmux draws anything.
        start = ("printf '\\036F@'; sleep 1; " if ansi else "") + "exec " + tmux
        if os.path.exists(self.screen):
            os.remove(self.screen)
        # Not UTF-8: tmux then draws lines with the entry's alternate character set.
        env = {"LANG": "C", "LC_ALL": "C", "LC_CTYPE": "C"}
        request, reply = (dg.STATUS_REQUEST, b"\x1b[0n") if ansi else (dg.READ_ID, dg.id_reply(b"Y"))
        with PtyRelay(["sh", "-c", start], telnet=True, term=term, rows=ROWS, columns=COLUMNS, env=env) as relay:
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", relay.port)):
                self.setting("CONNECTION", name, value)
            proc, hwnd = self.start_terminal("-SeDefault")
            try:
                relay.wait_connection(30)
                relay.wait_quiet(1.5, 60)
                relay.sync(request, reply)
                with open(self.fifo, "wb", buffering=0) as steps:
                    for name, data in STEPS:
                        steps.write(data)
                        time.sleep(0.2)
                        relay.wait_quiet(0.5, 30)
                        relay.sync(request, reply)
                        expected = capture_text(self.tmux(socket, "capture-pane", "-p", "-e", "-t", "vx").stdout)
                        expected = (expected + [""] * ROWS)[:ROWS]
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
