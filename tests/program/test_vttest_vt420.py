"""vttest's menus of the VT320 and VT420 (menu 11) in vexaNT over telnet, the same way
as the main menus are tested (test_vttest.py): the rectangular-area tests (11.3.6), the
lines-per-page test (11.2.3.2) and the tests vttest leaves unimplemented (the page
movements of 11.2.4 and DECDMAC, 11.3.5) must show the same text as in xterm -ti vt420.
xterm has no status line, no lines-per-screen command and different function keys, so
for the status line (11.2.6.2.1), DECSNLS (11.3.8.2) and DECUDK (11.1.7) vexaNT's
screens are checked for what vttest asks them to show.
"""
import os
import subprocess
import sys
import time
import unittest

import vxtest
import test_vttest

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost.ptyrelay import PtyRelay  # noqa: E402

PROMPT = "Enter choice number"
COMPARED = [
    ["11", "3", "6", "7"], ["11", "3", "6", "8"], ["11", "3", "6", "9"], ["11", "3", "6", "10"],
    ["11", "3", "6", "11"], ["11", "3", "6", "12"],
    ["11", "2", "3", "2"],
    ["11", "2", "4", "1"], ["11", "2", "4", "3"], ["11", "3", "5"],
]


def choose(relay, choice):
    relay.type(choice.encode() + b"\r")
    relay.wait_quiet()
    relay.sync()


def walk(relay, capture, path):
    """From the main menu into the test at the end of `path`, Return through its
    screens until a menu shows again, then back up to the main menu; the screens."""
    for choice in path:
        choose(relay, choice)
    shots = []
    for _ in range(40):
        rows = capture()
        if any(PROMPT in row for row in rows):
            break
        shots.append(rows)
        choose(relay, "")
    for _ in path[:-1]:
        choose(relay, "0")
    return shots


def walk_all(paths):
    def drive(relay, capture):
        relay.wait_quiet(1.5, 60)
        relay.sync()
        return [walk(relay, capture, path) for path in paths]
    return drive


class VttestVt420Test(test_vttest.VttestTest):
    # The main menus are test_vttest's own.
    test_menus_show_the_same_text_as_xterm = None

    def test_menu_11_shows_the_same_text_as_xterm(self):
        ours = self.run_in_vexant(walk_all(COMPARED))
        theirs = self.run_in_xterm(walk_all(COMPARED))
        for path, mine, other in zip(COMPARED, ours, theirs):
            name = ".".join(path)
            self.assertGreater(len(other), 0, "xterm showed no screen of %s" % name)
            self.assertEqual(len(mine), len(other), "screens of %s" % name)
            for n, (a, b) in enumerate(zip(mine, other)):
                self.assertEqual(a, b, "%s, screen %d" % (name, n + 1))

    def test_status_line_and_lines_per_screen(self):
        status = ["11", "2", "6", "2", "1"]
        lines = ["11", "3", "8", "2"]

        def drive(relay, capture):
            relay.wait_quiet(1.5, 60)
            relay.sync()
            first = len(self.status_lines)
            shots = walk(relay, capture, status)
            statuses = self.status_lines[first:first + len(shots)]
            # Pages of 48 lines (DECSLPP), so that a screen may show up to 48 of them.
            relay.inject(b"\x1b[48t")
            first = len(self.row_counts)
            walk(relay, capture, lines)
            return shots, statuses, self.row_counts[first:]

        shots, statuses, rows = self.run_in_vexant(drive)
        # "There should be TEXT IN THE STATUS LINE", then none, then the indicator.
        self.assertIn("There should be TEXT IN THE STATUS LINE", "\n".join(shots[0]))
        self.assertEqual(statuses[0].strip(), "TEXT IN THE STATUS LINE")
        self.assertEqual(statuses[1], "")
        self.assertIn("VT500 7-Bit", statuses[2])
        # 48, 36, then 24 lines per screen. A window of 48 rows is taller than the test
        # display's work area, so there the terminal keeps its rows (as it does for any
        # size that does not fit); 36 fit.
        self.assertIn(rows[0], (48, 24))
        self.assertEqual(rows[1:3], [36, 24])

    def test_user_defined_keys_echo_their_labels(self):
        dump = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(dump)
        with PtyRelay(["vttest"], telnet=True) as relay:
            proc, hwnd = self.wine.launch(test_vttest.EXE, "127.0.0.1", "-Tnport%d" % relay.port, "-Sb")
            self.addCleanup(self.stop_terminal, proc, hwnd)
            relay.wait_connection(30)
            relay.wait_quiet(1.5, 60)
            relay.sync()
            for choice in ("11", "1", "7"):
                choose(relay, choice)
            self.focus_terminal()
            # On a DEC terminal the user-defined keys are the shifted function keys; vttest
            # echoes the label of each key it receives, a character at a time.
            for key, label in (("shift+F6", "F 6"), ("shift+F10", "F 1 0"), ("shift+F12", "F 1 2")):
                self.assertEqual(self.xdotool("key", key).returncode, 0, key)
                relay.wait_quiet()
                relay.sync()
                deadline = time.time() + 15
                text = ""
                while time.time() < deadline and label not in text:
                    with open(dump, encoding="utf-8") as f:
                        text = f.read()
                    time.sleep(0.2)
                self.assertIn(label, text, key)
            choose(relay, "q")


if __name__ == "__main__":
    unittest.main()
