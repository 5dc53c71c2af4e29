"""The toolbar from outside: the attached bar above the screen on a fresh profile, a
click on its About button, the tooltip under a resting pointer (xdotool under Xvfb,
windows read by winprobe), the floating bar from the profile's "Toolbar" values, and a
button that types its text to a scripted telnet host."""
import os
import subprocess
import sys
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

HKCU = r"HKCU\Software\Quorlan\vexaNT"
TOOLBAR = HKCU + r"\Profiles\P\Toolbar"
WM_SYSCOMMAND = 0x0112
WM_NULL = 0


def units(*values):
    return "".join("%02x%02x" % (v & 0xFF, (v >> 8) & 0xFF) for v in values)


class ToolbarCase(WineTestCase):
    def setUp(self):
        super().setUp()
        self.wine.reg("add", HKCU, "/v", "Session", "/d", "P", "/f")
        self.probe = self.wine.probe

    def start(self, *args):
        self.proc, self.hwnd = self.start_terminal(*args)
        self.addCleanup(self.stop_terminal, self.proc, self.hwnd)

    def child(self, cls, timeout=20.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [c for c in self.probe.children(self.hwnd) if c["class"] == cls and c["visible"]]
            if found:
                return found[0]
            time.sleep(0.1)
        self.fail("no visible %s window" % cls)

    def xdo(self, *args):
        result = subprocess.run(["xdotool", *map(str, args)], env=self.wine.env, capture_output=True, text=True,
                                timeout=60)
        self.assertEqual(result.returncode, 0, (args, result.stderr))

    def visible_top_level(self, cls, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            hwnd = self.probe.find(cls, 100)
            if hwnd:
                info = self.probe.info(hwnd)
                if info.get("visible"):
                    return hwnd, info
            time.sleep(0.05)
        return None, None


class AttachedToolbarTest(ToolbarCase):
    def test_fresh_profile_bar_about_button_and_tooltip(self):
        self.start()
        bar = self.child("vexaNT1")
        self.assertEqual(bar["id"], 2800)
        bar_rect = self.probe.info(bar["hwnd"])["rect"]
        screen_rect = self.probe.info(self.child("vexaNT0")["hwnd"])["rect"]
        self.assertEqual(bar_rect[3] - bar_rect[1], 24)
        self.assertGreaterEqual(screen_rect[1], bar_rect[3], "the screen window lies below the toolbar")

        # The first button is at (2, 1)-(28, 23) of the bar: rest on it.
        x0, y0 = bar_rect[0], bar_rect[1]
        self.xdo("mousemove", "--sync", x0 + 10, y0 + 8)
        started = time.time()
        tip, info = self.visible_top_level("ToolBarToolTip", 10)
        waited = time.time() - started
        self.assertIsNotNone(tip, "no tooltip appeared")
        print("tooltip shown after %.2f s" % waited)
        self.assertEqual(info["title"], "New Connection...")
        self.assertEqual(info["rect"][:2], [x0 + 28 - 5, y0 + 23 - 5])
        self.xdo("mousemove", "--sync", x0 + 14, y0 + 12)
        time.sleep(0.5)
        self.assertEqual(self.probe.find("ToolBarToolTip", 100), tip, "moving within the button keeps the tooltip")
        self.xdo("mousedown", 1)
        self.assertTrue(self.probe.ask("wait-gone", tip, 5000)["ok"], "a press removes the tooltip")
        self.xdo("mousemove", "--sync", x0 + 10, y0 + 60)  # released off the button: nothing runs
        self.xdo("mouseup", 1)

        # The 13th button: (358, 1)-(384, 23), About.
        time.sleep(0.6)
        self.xdo("mousemove", "--sync", x0 + 370, y0 + 10)
        self.xdo("click", 1)
        dialogs = self.probe.wait_dialog(20)
        self.assertTrue(dialogs, "no dialog opened")
        self.assertIn("About", dialogs[0]["title"])


class FloatingBarTest(ToolbarCase):
    def test_floating_bar_from_the_profile_comes_back_on_screen_and_attaches(self):
        self.wine.reg("add", TOOLBAR, "/v", "Type", "/t", "REG_DWORD", "/d", "2", "/f")
        self.wine.reg("add", TOOLBAR, "/v", "Floating", "/t", "REG_BINARY", "/d", units(-50, 100, 72, 225), "/f")
        self.start()
        floating, info = self.visible_top_level("vexaNT2", 20)
        self.assertIsNotNone(floating, "no floating bar")
        self.assertTrue(info["title"].startswith("Button Tools - "), info["title"])
        work = self.probe.workarea()
        self.assertGreaterEqual(info["rect"][0], work[0], "saved at x = -50 it comes back on the work area")
        self.assertEqual(info["client"][2:], [4 * 26 + 10, 4 * 22 + 10], "the 4 x 4 grid")
        self.assertFalse([c for c in self.probe.children(self.hwnd) if c["class"] == "vexaNT1"])

        self.probe.send(floating, WM_SYSCOMMAND, 1, 0)  # "&Attach"
        self.assertTrue(self.probe.ask("wait-gone", floating, 5000)["ok"])
        self.assertEqual(self.child("vexaNT1")["id"], 2800)

    def test_type_three_attaches_and_empty_defns_leaves_no_buttons(self):
        self.wine.reg("add", TOOLBAR, "/v", "Type", "/t", "REG_DWORD", "/d", "3", "/f")
        self.wine.reg("add", TOOLBAR + r"\Defns", "/f")
        self.start()
        bar = self.child("vexaNT1")
        rect = self.probe.info(bar["hwnd"])["rect"]
        self.xdo("mousemove", "--sync", rect[0] + 370, rect[1] + 10)
        self.xdo("click", 1)
        time.sleep(1.5)
        self.assertEqual(self.probe.dialogs(), [], "no button there to open anything")


class TextButtonTest(ToolbarCase):
    def test_button_with_text_and_action_types_the_text(self):
        # One button: the About action, and the text "ls^M", which wins.
        self.wine.reg("add", TOOLBAR + r"\Defns", "/v", "0", "/t", "REG_BINARY", "/d", units(2, 2, 2, 28, 24, 0, 12),
                      "/f")
        self.wine.reg("add", TOOLBAR + r"\Actions", "/v", "0", "/d", "ls^M", "/f")
        host = th.ScriptedHost()
        self.addCleanup(host.stop)
        self.start("127.0.0.1", "-Tnport%d" % host.port, "-SEP")
        host.wait_connection(30)
        host.expect(th.do(th.ECHO), timeout=20)
        host.send(th.will(th.ECHO))
        time.sleep(0.5)
        host.take()
        rect = self.probe.info(self.child("vexaNT1")["hwnd"])["rect"]
        self.xdo("mousemove", "--sync", rect[0] + 12, rect[1] + 10)
        self.xdo("click", 1)
        host.expect(b"ls\r", timeout=20)
        time.sleep(1)
        self.assertEqual(self.probe.dialogs(), [], "the About action did not run")


if __name__ == "__main__":
    unittest.main()
