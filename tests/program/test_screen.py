"""The screen parts of the running program seen from outside: the About box, the status
bar, the screen window's size, the scroll bar."""
import time
import unittest

import vxtest
from vxtest import WineTestCase

EXE = vxtest.build_path("terminal", "vexaNT.exe")


class ScreenPartsTest(WineTestCase):
    def start_terminal(self, *args):
        proc = self.wine.start(EXE, *args)
        hwnd = self.wine.probe.find("vexaNT", 30000)
        self.assertIsNotNone(hwnd, "no vexaNT window appeared")
        self.addCleanup(self.close, proc, hwnd)
        return proc, hwnd

    def close(self, proc, hwnd):
        if proc.poll() is None:
            self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
            self.wait_exit(proc, 10)

    def child(self, hwnd, cls, timeout=10.0):
        """The first visible child of a class, waiting for start-up to show it."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [c for c in self.wine.probe.children(hwnd) if c["class"] == cls and c["visible"]]
            if found:
                return found[0]["hwnd"]
            time.sleep(0.1)
        return None

    def test_about_box_names_the_windows_2000_system_and_closes_with_ok(self):
        self.wine.reg("add", r"HKCU\Software\Wine\AppDefaults\vexaNT.exe", "/v", "Version", "/d", "win2k", "/f")
        proc, hwnd = self.start_terminal()
        probe = self.wine.probe
        self.assertTrue(probe.command(hwnd, 1000))
        dialogs = probe.wait_dialog()
        self.assertEqual(len(dialogs), 1, dialogs)
        about = dialogs[0]
        self.assertEqual(about["title"], "About Terminal Emulation ")
        self.assertIn("Terminal Emulation", about["texts"])
        versions = [t for t in about["texts"] if "Version" in t]
        self.assertEqual(len(versions), 1, about["texts"])
        self.assertTrue(versions[0].startswith(" Version 1.6.1 (Windows 2000 - [x86])"), versions[0])
        self.assertEqual(versions[0], " Version 1.6.1 (Windows 2000 - [x86]) Build A4CBC")
        self.assertEqual(about["buttons"], ["OK"])
        self.assertTrue(probe.press("OK"))
        self.assertTrue(probe.ask("wait-gone", about["hwnd"], 5000)["ok"])

    def test_status_bar_is_a_child_at_the_bottom(self):
        proc, hwnd = self.start_terminal()
        probe = self.wine.probe
        bar = self.child(hwnd, "vxtmwinStatus")
        self.assertIsNotNone(bar)
        info = probe.info(bar)
        main = probe.info(hwnd)
        self.assertEqual(int(info["menu"], 16), 2801)  # a child's "menu" is its control id
        self.assertEqual(info["style"] & (vxtest.WS_CHILD | vxtest.WS_CLIPSIBLINGS),
                         vxtest.WS_CHILD | vxtest.WS_CLIPSIBLINGS)
        # As wide as the client area, on its bottom edge (only the frame below it).
        self.assertEqual(info["rect"][2] - info["rect"][0], main["client"][2])
        self.assertLessEqual(main["rect"][3] - info["rect"][3], 10)
        # The buttons of the VT layout are owner-drawn children of the bar.
        buttons = [c for c in probe.children(bar) if c["class"].lower() == "button"]
        self.assertEqual(len(buttons), 2)


if __name__ == "__main__":
    unittest.main()
