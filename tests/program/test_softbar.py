"""The soft-button bar seen from outside: buttons defined in the profile send their
commands to a scripted telnet host when clicked, the level button and the bar's
"Next Level" rotate the levels, the floating bar closes and attaches again, and what
the bar was left as is saved with the profile and comes back at the next start."""
import os
import sys
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

PROFILE = r"HKCU\Software\Quorlan\vexaNT\Profiles\Default"
SOFTBUTTONS = PROFILE + r"\SOFTBUTTONS"
WM_SYSCOMMAND = 0x0112
WM_NULL = 0x0000
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0201, 0x0202
SC_CLOSE = 0xF060
ATTACH, NEXT_LEVEL = 1, 10
CMD_SAVE = 1011


def definition(text):
    """A soft button's stored form: send type, length, then the UTF-16 units."""
    units = [0, len(text)] + [ord(c) for c in text]
    return "".join("%02x%02x" % (u & 0xFF, u >> 8) for u in units)


class SoftButtonBarTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.probe = self.wine.probe
        # Level 1 button 1 (code 1) and level 2 button 1 (code 15).
        for code, text, label in ((1, "ls\r", "List"), (15, "pwd\r", "Where")):
            self.reg("add", PROFILE + r"\Macros\SBUTT", "/v", "%x" % code, "/t", "REG_BINARY", "/d", definition(text))
            self.reg("add", PROFILE + r"\Macros\SBUTT", "/v", "Lab%X" % code, "/d", label)
        self.host = th.ScriptedHost()
        self.addCleanup(self.host.stop)
        self.starts = 0

    def reg(self, *args):
        code, out = self.wine.reg(*args, "/f")
        self.assertEqual(code, 0, out)

    def start(self):
        # The Default profile names the host, so that its sections are read at start.
        for name, kind, value in (("netproto", "REG_DWORD", 0), ("netname", "REG_SZ", "127.0.0.1"),
                                  ("iTelnetPortNum", "REG_DWORD", self.host.port)):
            self.reg("add", PROFILE + r"\CONNECTION", "/v", name, "/t", kind, "/d", str(value))
        proc, hwnd = self.start_terminal("-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        self.starts += 1
        self.host.wait_connection(30, count=self.starts)
        self.host.expect(th.do(th.ECHO), timeout=20)
        self.host.send(th.will(th.ECHO) + b"\x1b[5n")
        # The status report answers once the negotiation is over: what came before goes.
        self.host.wait_for(lambda d: d.endswith(b"\x1b[0n"), timeout=20, what="the terminal's answer")
        self.host.take()
        return proc, hwnd

    def bar(self, hwnd, attached=True):
        """The bar's window once it is shown: a child with id 9000 when attached, else the
        floating window."""
        deadline = time.time() + 15
        while time.time() < deadline:
            if attached:
                found = [c for c in self.probe.children(hwnd) if c["class"] == "vxtmwinButtons" and c["visible"]]
                if found:
                    self.assertEqual(found[0]["id"], 9000)
                    return found[0]["hwnd"]
            else:
                for window in self.probe.ask("find-all", "vxtmwinButtons").get("windows", []):
                    if self.probe.info(window)["visible"]:
                        return window
            time.sleep(0.2)
        self.fail("no soft-button bar shown")

    def buttons(self, bar):
        """Visible buttons by code (control id 1000 + code): their screen rectangles."""
        return {c["id"] - 1000: self.probe.info(c["hwnd"])["rect"]
                for c in self.probe.children(bar) if c["class"].lower() == "button" and c["visible"]}

    def click(self, rect, button=1):
        time.sleep(0.6)  # never a double click with the one before
        x, y = (rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2
        self.assertEqual(self.xdotool("mousemove", "--sync", str(x), str(y)).returncode, 0)
        self.assertEqual(self.xdotool("click", str(button)).returncode, 0)

    def settle(self, window):
        # A message sent after a post is answered once the post was handled.
        self.probe.send(window, WM_NULL)

    def test_attached_bar_sends_its_buttons_and_rotates_the_levels(self):
        proc, hwnd = self.start()
        bar = self.bar(hwnd)
        status = [c for c in self.probe.children(hwnd) if c["class"] == "vxtmwinStatus"][0]
        bar_rect = self.probe.info(bar)["rect"]
        self.assertEqual(bar_rect[3], self.probe.info(status["hwnd"])["rect"][1], "the bar sits on the status bar")
        screen = [c for c in self.probe.children(hwnd) if c["class"] == "vexaNT0"][0]
        self.assertLessEqual(self.probe.info(screen["hwnd"])["rect"][3], bar_rect[1])

        shown = self.buttons(bar)
        self.assertEqual(sorted(shown), list(range(14)), "one level: two rows of seven")
        self.assertEqual(len({r[1] for r in shown.values()}), 2)
        self.assertEqual(shown[7][1], shown[0][3], "slot 7 opens the second row")

        self.click(shown[1])
        self.host.expect(b"ls\r", timeout=15)

        self.click(shown[0])  # the level button: level 2 shows
        deadline = time.time() + 10
        while 15 not in self.buttons(bar) and time.time() < deadline:
            time.sleep(0.2)
        shown = self.buttons(bar)
        self.assertEqual(sorted(shown), list(range(14, 28)))
        self.click(shown[15])
        self.host.expect(b"pwd\r", timeout=15)
        self.host.expect_nothing(0.5)

        # The level-name button steps back.
        self.click(shown[21])
        deadline = time.time() + 10
        while 1 not in self.buttons(bar) and time.time() < deadline:
            time.sleep(0.2)
        self.assertEqual(sorted(self.buttons(bar)), list(range(14)))

    def test_four_levels_do_not_rotate(self):
        self.reg("add", SOFTBUTTONS, "/v", "cSoftButtonLevelView", "/t", "REG_DWORD", "/d", "4")
        proc, hwnd = self.start()
        bar = self.bar(hwnd)
        shown = self.buttons(bar)
        self.assertEqual(sorted(shown), list(range(56)))
        top = shown[0][1]
        self.click(shown[0])
        self.probe.send(bar, WM_SYSCOMMAND, NEXT_LEVEL, 0)
        self.settle(bar)
        self.assertEqual(self.buttons(bar)[0][1], top, "level 1 stays on top")

    def test_floating_bar_stands_under_a_shorter_main_window(self):
        # Never placed: the bar stands under the main window and the two take the
        # height the window alone would have (600).
        self.reg("add", SOFTBUTTONS, "/v", "Attached", "/t", "REG_DWORD", "/d", "0")
        proc, hwnd = self.start()
        bar = self.probe.info(self.bar(hwnd, attached=False))["rect"]
        main = self.probe.info(hwnd)["rect"]
        self.assertEqual((main[3] - main[1]) + (bar[3] - bar[1]), 600, (main, bar))
        self.assertEqual(bar[1], main[3])

    def test_floating_bar_closes_attaches_and_is_saved(self):
        # Saved partly left of and above the screen: it comes back onto the work area.
        for name, value in (("Attached", 0), ("x", 0xFFFFFFCE), ("y", 0xFFFFFFF6), ("w", 500), ("h", 120)):
            self.reg("add", SOFTBUTTONS, "/v", name, "/t", "REG_DWORD", "/d", str(value))
        proc, hwnd = self.start()
        bar = self.bar(hwnd, attached=False)
        info = self.probe.info(bar)
        work = self.probe.workarea()
        self.assertGreaterEqual(info["rect"][0], work[0], info)
        self.assertGreaterEqual(info["rect"][1], work[1], info)
        self.assertTrue(info["title"].startswith("Soft Buttons - "), info["title"])
        self.assertEqual([c for c in self.probe.children(hwnd) if c["class"] == "vxtmwinButtons"], [])

        self.probe.send(bar, WM_SYSCOMMAND, NEXT_LEVEL, 0)
        self.settle(bar)
        self.assertEqual(sorted(self.buttons(bar)), list(range(14, 28)))
        # Pressed by messages: under Wine the X server may stack the main window over
        # its floating bar once the connection activates it.
        button = [c["hwnd"] for c in self.probe.children(bar) if c["id"] == 1015][0]
        self.probe.post(button, WM_LBUTTONDOWN, 1, 0x00050005)
        self.probe.post(button, WM_LBUTTONUP, 0, 0x00050005)
        self.host.expect(b"pwd\r", timeout=15)

        self.probe.send(bar, WM_SYSCOMMAND, SC_CLOSE, 0)
        self.settle(bar)
        self.assertFalse(self.probe.info(bar)["visible"])
        self.probe.send(bar, WM_SYSCOMMAND, ATTACH, 0)
        attached = self.bar(hwnd)
        self.assertEqual(sorted(self.buttons(attached)), list(range(14, 28)))

        self.assertTrue(self.probe.run_command(hwnd, CMD_SAVE))
        values = self.wine.reg_values(SOFTBUTTONS) or {}
        self.assertNotIn("Attached", values, "attached is the factory value")
        self.assertEqual(values.get("Order"), ("REG_DWORD", "0x1"))
        code, _ = self.close_terminal(proc, hwnd)
        self.assertEqual(code, 0)

        # The next start shows the bar attached at the level it was left on.
        proc, hwnd = self.start()
        self.assertEqual(sorted(self.buttons(self.bar(hwnd))), list(range(14, 28)))


if __name__ == "__main__":
    unittest.main()
