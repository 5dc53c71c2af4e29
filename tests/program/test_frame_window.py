"""Start-up options seen from outside: the main window's frame and title, and the
message for an invalid switch."""
import time
import unittest

import vxtest
from vxtest import WineTestCase

EXE = vxtest.build_path("terminal", "vexaNT.exe")
STARTUP_KEY = r"HKLM\Software\Quorlan\vexaNT\Startup,Default"


class FrameWindowTest(WineTestCase):
    def run_terminal(self, *args):
        """Starts the terminal, returns (process, window, info) once the window is shown:
        the window exists before it is shown maximised."""
        proc, hwnd = self.start_terminal(*args)
        info = self.wine.probe.info(hwnd)
        deadline = time.time() + 10
        while not info["style"] & vxtest.WS_VISIBLE and time.time() < deadline:
            time.sleep(0.1)
            info = self.wine.probe.info(hwnd)
        return proc, hwnd, info

    def close(self, proc, hwnd):
        self.assertTrue(self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0))
        self.assertEqual(self.wait_exit(proc, 15), 0)
        self.assertTrue(self.wine.probe.ask("wait-gone", hwnd, 10000)["ok"])

    def test_frame_switches_and_window_size(self):
        full = vxtest.WS_POPUP | vxtest.WS_MAXIMIZE
        proc, hwnd, info = self.run_terminal("-Tb")
        self.assertFalse(info["style"] & vxtest.WS_CAPTION, hex(info["style"]))
        self.assertTrue(info["style"] & vxtest.WS_THICKFRAME)
        self.close(proc, hwnd)

        proc, hwnd, info = self.run_terminal("-F")
        self.assertEqual(info["style"] & full, full, hex(info["style"]))
        self.assertFalse(info["style"] & (vxtest.WS_CAPTION | vxtest.WS_THICKFRAME))
        self.close(proc, hwnd)

        self.assertEqual(self.wine.reg("add", STARTUP_KEY, "/v", "WindowSize", "/d", "fullscreen", "/f")[0], 0)
        proc, hwnd, info = self.run_terminal()
        self.assertEqual(info["style"] & full, full, hex(info["style"]))
        self.close(proc, hwnd)

    def test_titles(self):
        cases = [
            (("-T", "Foo", "-St", "Bar"), "Foo - Bar"),
            (("-TFoo", "-St "), "Foo"),
            # Without a subtitle the profile in use follows the title text.
            (("-T" + "x" * 600,), "x" * 132 + " (Untitled)"),
        ]
        for args, title in cases:
            proc, hwnd, info = self.run_terminal(*args)
            # The window exists before its title is composed: wait for the final one.
            deadline = time.time() + 10
            while info["title"] != title and time.time() < deadline:
                time.sleep(0.1)
                info = self.wine.probe.info(hwnd)
            self.assertEqual(info["title"], title, args)
            self.close(proc, hwnd)

    def test_invalid_switch_is_shown_and_start_up_goes_on(self):
        proc = self.wine.start(EXE, "-X", "somehost")
        dialogs = self.wine.probe.wait_dialog()
        self.assertEqual(len(dialogs), 1, dialogs)
        self.assertEqual([t for t in dialogs[0]["texts"] if t], ["-X is not a valid command line option."])
        self.assertTrue(self.wine.probe.press("OK"))
        hwnd = self.wine.probe.find("vexaNT", 30000)
        self.assertIsNotNone(hwnd)
        self.close(proc, hwnd)


if __name__ == "__main__":
    unittest.main()
