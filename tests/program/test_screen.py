"""The screen parts of the running program seen from outside: the About box, the status
bar, the screen window's size, the scroll bar."""
import os
import shutil
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase


def wait_for(predicate, timeout=15.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        value = predicate()
        if value:
            return value
        time.sleep(0.1)
    return predicate()


class ScreenPartsTest(WineTestCase):
    def start_terminal(self, *args, host_data=None):
        if host_data is not None:
            directory = tempfile.mkdtemp(prefix="vxscreen")
            self.addCleanup(shutil.rmtree, directory, True)
            with open(os.path.join(directory, "host"), "wb") as f:
                f.write(host_data)
            self.dump = os.path.join(directory, "screen")
            self.wine.env["VXNT_TEST_HOST"] = self.wine.windows_path(os.path.join(directory, "host"))
            self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.dump)
        proc, hwnd = super().start_terminal(*args)
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

    def screen_rows(self):
        try:
            with open(self.dump, encoding="utf-8") as f:
                return f.read().split("\n")[1:]
        except OSError:
            return None

    def test_cells_follow_the_window_size_and_a_tiny_window_changes_nothing(self):
        proc, hwnd = self.start_terminal()
        probe = self.wine.probe
        screen = self.child(hwnd, "vexaNT0")
        bar = self.child(hwnd, "vxtmwinStatus")
        buttons = self.child(hwnd, "vxtmwinButtons")  # the soft-button bar, one level
        self.assertIsNotNone(screen)
        for width, height in ((1000, 700), (700, 500), (1100, 820)):
            self.assertTrue(probe.ask("move", hwnd, 0, 0, width, height)["ok"])
            client = probe.info(hwnd)["client"]
            status = probe.info(bar)["client"][3] + probe.info(buttons)["client"][3]
            # 80 columns share the free width, 24 rows and the status line the height
            # the status bar and the soft-button bar leave.
            cell, line = client[2] // 80, (client[3] - status) // 25

            def sized():
                r = probe.info(screen)["rect"]
                return (r[2] - r[0], r[3] - r[1]) == (80 * cell, 25 * line)
            self.assertTrue(wait_for(sized, 5), (width, height, probe.info(screen)["rect"], cell, line))
        before = probe.info(screen)["rect"]
        self.assertTrue(probe.ask("move", hwnd, 0, 0, 120, 60)["ok"])
        time.sleep(0.5)
        after = probe.info(screen)["rect"]
        self.assertEqual((after[2] - after[0], after[3] - after[1]), (before[2] - before[0], before[3] - before[1]))

    def test_scroll_bar_appears_with_history_and_its_thumb_shows_the_oldest_lines(self):
        lines = b"".join(b"line %03d\r\n" % n for n in range(1, 101))
        # A vt320 has one page and keeps what scrolls off in its history (the factory
        # vt420 shows pages instead).
        self.wine.reg("add", r"HKCU\Software\Quorlan\vexaNT\Profiles\Untitled\VT300", "/v", "termid",
                      "/t", "REG_DWORD", "/d", "4", "/f")
        proc, hwnd = self.start_terminal(host_data=lines)
        probe = self.wine.probe
        self.assertTrue(wait_for(lambda: (self.screen_rows() or [""])[0] == "line 078"), self.screen_rows())
        bar = self.child(hwnd, "ScrollBar")
        self.assertIsNotNone(bar, "the scroll bar is shown once lines went into the history")
        self.assertEqual(int(probe.info(bar)["menu"], 16), 2802)
        WM_VSCROLL, SB_THUMBPOSITION, SB_LINEDOWN = 0x0115, 4, 1
        self.assertTrue(probe.send(hwnd, WM_VSCROLL, SB_THUMBPOSITION, int(bar, 16))["ok"])
        self.assertTrue(wait_for(lambda: (self.screen_rows() or [""])[0] == "line 001"), self.screen_rows())
        self.assertEqual(self.screen_rows()[23], "line 024")
        self.assertTrue(probe.send(hwnd, WM_VSCROLL, SB_LINEDOWN, int(bar, 16))["ok"])
        self.assertTrue(wait_for(lambda: (self.screen_rows() or [""])[0] == "line 002"), self.screen_rows())


if __name__ == "__main__":
    unittest.main()
