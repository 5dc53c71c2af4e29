"""Start-up with the language module missing or from another release: the questions the
user is asked, and what each answer does."""
import os
import shutil
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

EXE = vxtest.build_path("terminal", "vexaNT.exe")
OTHER_RELEASE = vxtest.build_path("tests", "language", "variant", "VXNTENG.DLL")

MISSING = "Cannot Locate Language DLL\n\nDo you wish to continue ?"


def version_question(module_version):
    return ("VXNTLNG.DLL V%s may not be compatible\n with VEXANT.EXE V1.6.1\n\nDo you wish to continue ?"
            % module_version)


class LanguageStartupTest(WineTestCase):
    def install(self, module=None):
        """A program directory holding vexaNT.exe and, optionally, a language module."""
        directory = tempfile.mkdtemp(prefix="vxlang")
        self.addCleanup(shutil.rmtree, directory, True)
        shutil.copy(EXE, directory)
        if module:
            shutil.copy(module, os.path.join(directory, "VXNTENG.DLL"))
        return os.path.join(directory, "vexaNT.exe")

    def expect_question(self, text):
        dialogs = self.wine.probe.wait_dialog()
        self.assertEqual(len(dialogs), 1, dialogs)
        # The icon is a static control without text.
        self.assertEqual([t for t in dialogs[0]["texts"] if t], [text])
        self.assertEqual(sorted(b.replace("&", "") for b in dialogs[0]["buttons"]), ["No", "Yes"])

    def answer(self, button):
        self.assertTrue(self.wine.probe.press(button))
        # The next question, if any, replaces this one.
        deadline = time.time() + 10
        while time.time() < deadline and any(d for d in self.wine.probe.dialogs()):
            time.sleep(0.1)

    def expect_no_window_and_exit(self, proc):
        self.assertEqual(self.wait_exit(proc, 20), 0)
        self.assertIsNone(self.wine.probe.find("vexaNT", 0))

    def expect_running_then_close(self, proc):
        hwnd = self.wine.probe.find("vexaNT", 30000)
        self.assertIsNotNone(hwnd, "no vexaNT window appeared")
        self.assertEqual(self.wine.probe.info(hwnd)["title"], "Terminal Emulation (Untitled)")  # the profile when none is stored
        self.assertTrue(self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0))
        self.assertEqual(self.wait_exit(proc, 10), 0)

    def test_missing_module_no_ends_the_program(self):
        proc = self.wine.start(self.install())
        self.expect_question(MISSING)
        self.answer("No")
        self.expect_no_window_and_exit(proc)

    def test_missing_module_yes_then_yes_runs_on_the_program_table(self):
        proc = self.wine.start(self.install())
        self.expect_question(MISSING)
        self.answer("Yes")
        # Without a module its version is empty, so the version question follows.
        self.expect_question(version_question(""))
        self.answer("Yes")
        self.expect_running_then_close(proc)

    def test_module_of_another_release_asks_before_going_on(self):
        proc = self.wine.start(self.install(OTHER_RELEASE))
        self.expect_question(version_question("1.6.0"))
        self.answer("No")
        self.expect_no_window_and_exit(proc)

        proc = self.wine.start(self.install(OTHER_RELEASE))
        self.expect_question(version_question("1.6.0"))
        self.answer("Yes")
        self.expect_running_then_close(proc)


if __name__ == "__main__":
    unittest.main()
