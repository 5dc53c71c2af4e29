"""vttest's menus 1 (cursor movements), 2 (screen features) and 8 (VT102 insert and
delete) run through a host on 127.0.0.1 that keeps vttest in a pseudo-terminal: once in
vexaNT over telnet, once in xterm (on the same display, reaching the same kind of host
through socat). Every screen vttest draws must show the same text in both.

The host types vttest's keys itself. Before each screen is read it waits until vttest
is quiet and then until the terminal has answered a status request slipped into the
stream (the answer is kept from vttest), so that the terminal has taken in the whole
screen. vexaNT's screen is read through its test screen dump (VXNT_TEST_SCREEN),
xterm's through its print-screen command (MC, CSI i, with print extent set so that it
prints the whole screen and not just the scroll region, both also slipped into the
stream for both terminals; vexaNT has no printer and ignores them).
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
from telnethost.ptyrelay import PtyRelay  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
ROWS = 24
MENUS = ("1", "2", "8")
MAIN_MENU = "Enter choice number"


def drive_vttest(relay, capture):
    """Runs the menus; returns {menu: [screen, ...]} with each screen a list of rows."""
    relay.wait_quiet(1.5, 60)
    relay.sync()
    screens = {}
    for menu in MENUS:
        relay.type(menu.encode() + b"\r")
        shots = []
        for _ in range(60):
            relay.wait_quiet()
            relay.sync()
            rows = capture()
            if any(MAIN_MENU in row for row in rows):
                break
            shots.append(rows)
            relay.type(b"\r")
        screens[menu] = shots
    return screens


class VttestTest(WineTestCase):
    def setUp(self):
        super().setUp()
        for tool in ("vttest", "xterm", "socat"):
            if not shutil.which(tool):
                self.skipTest("%s is not installed" % tool)
        self.dir = tempfile.mkdtemp(prefix="vxvttest")

    def run_in_vexant(self, drive=drive_vttest):
        """Runs `drive`(relay, capture) on vttest in vexaNT; capture gives the screen's
        rows, and the status line's text is kept in self.status_lines, one per capture."""
        self.status_lines, self.row_counts = [], []
        dump = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(dump)
        with PtyRelay(["vttest"], telnet=True) as relay:
            proc, hwnd = self.wine.launch(EXE, "127.0.0.1", "-Tnport%d" % relay.port)
            try:
                relay.wait_connection(30)

                def capture():
                    relay.inject(b"\x1b[?19h\x1b[i")
                    # The dump follows the screen at each idle moment, right after the
                    # status answer: read it once it has stopped changing.
                    last, stable_since = None, time.time()
                    deadline = time.time() + 15
                    while time.time() < deadline:
                        try:
                            with open(dump, encoding="utf-8") as f:
                                text = f.read()
                        except FileNotFoundError:
                            text = None
                        if text != last:
                            last, stable_since = text, time.time()
                        elif text and time.time() - stable_since > 0.3:
                            break
                        time.sleep(0.1)
                    lines = (last or "").split("\n")
                    self.row_counts.append(sum(1 for line in lines[1:] if not line.startswith("status ")) - 1)
                    self.status_lines.append(next((line[len("status "):] for line in lines
                                                   if line.startswith("status ")), None))
                    return [row.rstrip() for row in lines[1:1 + ROWS]]
                return drive(relay, capture)
            finally:
                self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
                try:
                    proc.wait(timeout=15)
                except subprocess.TimeoutExpired:
                    proc.kill()

    def run_in_xterm(self, drive=drive_vttest):
        prints = os.path.join(self.dir, "prints")
        os.mkdir(prints)
        with PtyRelay(["vttest"], telnet=False) as relay:
            # Each print screen runs the command anew (auto close): one file per screen,
            # given its name only when the whole screen is in it (a loaded machine can
            # hold cat back between two writes).
            xterm = subprocess.Popen(
                ["xterm", "-ti", "vt420", "-geometry", "80x24",
                 "-xrm", "XTerm*c132: true", "-xrm", "XTerm*printAttributes: 0",
                 "-xrm", "XTerm*printerAutoClose: true",
                 "-xrm", "XTerm*printerCommand: sh -c 'f=$(date +%%s%%N); cat > %s/.$f && mv %s/.$f %s/$f'"
                 % (prints, prints, prints),
                 "-e", "socat", "-,raw,echo=0", "TCP:127.0.0.1:%d" % relay.port],
                env=self.wine.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                relay.wait_connection(30)
                seen = set()

                def capture():
                    relay.inject(b"\x1b[?19h\x1b[i")
                    deadline = time.time() + 15
                    while time.time() < deadline:
                        new = sorted(set(n for n in os.listdir(prints) if not n.startswith(".")) - seen)
                        if new:
                            path = os.path.join(prints, new[0])
                            seen.add(new[0])
                            with open(path, encoding="utf-8") as f:
                                return [row.rstrip() for row in f.read().split("\n")[:ROWS]]
                        time.sleep(0.1)
                    self.fail("xterm printed no screen")
                return drive(relay, capture)
            finally:
                xterm.kill()
                xterm.wait()

    def test_menus_show_the_same_text_as_xterm(self):
        ours = self.run_in_vexant()
        theirs = self.run_in_xterm()
        for menu in MENUS:
            self.assertGreater(len(theirs[menu]), 0, "xterm showed no screen of menu %s" % menu)
            self.assertEqual(len(ours[menu]), len(theirs[menu]), "screens of menu %s" % menu)
            for n, (mine, other) in enumerate(zip(ours[menu], theirs[menu])):
                self.assertEqual(mine, other, "menu %s, screen %d" % (menu, n + 1))


if __name__ == "__main__":
    unittest.main()
