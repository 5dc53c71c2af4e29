"""The program starts and ends: main window, child, frame styles, title, exit code."""
import unittest

import vxtest
from vxtest import WineTestCase


class StartupTest(WineTestCase):
    def test_main_window_geometry_styles_and_clean_exit(self):
        proc, hwnd = self.start_terminal()
        probe = self.wine.probe
        info = probe.info(hwnd)
        work = probe.workarea()
        self.assertEqual(info["class"], "vexaNT")
        self.assertEqual(info["rect"], [work[0], work[1], work[0] + 800, work[1] + 600])
        style = info["style"]
        for bit in (vxtest.WS_POPUP, vxtest.WS_CAPTION, vxtest.WS_THICKFRAME, vxtest.WS_SYSMENU,
                    vxtest.WS_MINIMIZEBOX, vxtest.WS_MAXIMIZEBOX, vxtest.WS_CLIPCHILDREN):
            self.assertTrue(style & bit, "style 0x%08x lacks 0x%08x" % (style, bit))
        # With no "Session" stored anywhere the program runs the profile "Untitled".
        self.assertEqual(info["title"], "Terminal Emulation (Untitled)")
        children = probe.children(hwnd)
        screens = [c for c in children if c["class"] == "vexaNT0"]
        self.assertEqual(len(screens), 1)
        self.assertEqual(screens[0]["parent"], hwnd)
        child_style = probe.info(screens[0]["hwnd"])["style"]
        self.assertEqual(child_style & (vxtest.WS_CHILD | vxtest.WS_CLIPSIBLINGS),
                         vxtest.WS_CHILD | vxtest.WS_CLIPSIBLINGS)

        code, took = self.close_terminal(proc, hwnd)
        self.assertEqual(code, 0)
        self.assertLess(took, 2.0)

    def test_overlong_command_line_is_cut_not_overrun(self):
        proc, hwnd = self.start_terminal("x" * 2000)
        code, _ = self.close_terminal(proc, hwnd)
        self.assertEqual(code, 0)


if __name__ == "__main__":
    unittest.main()
