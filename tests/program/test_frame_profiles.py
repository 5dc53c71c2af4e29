"""Profiles and instances from outside: what a first start writes into the program key,
and a further instance of the same profile ("+cs") beside the first."""
import time
import unittest

import vxtest
from vxtest import WineTestCase

EXE = vxtest.build_path("terminal", "vexaNT.exe")
HKLM = r"HKLM\Software\Quorlan\vexaNT"


class FrameProfilesTest(WineTestCase):
    def wait_values(self, key, wanted, timeout=15.0):
        """The key's values once `wanted(values)` holds."""
        deadline = time.time() + timeout
        values = None
        while time.time() < deadline:
            values = self.wine.reg_values(key)
            if values is not None and wanted(values):
                return values
            time.sleep(0.2)
        self.fail("%s: %r" % (key, values))

    def start(self, *args, exclude=()):
        """Starts an instance; returns its process and the main window it added."""
        proc = self.wine.start(EXE, *args)
        deadline = time.time() + 30
        while time.time() < deadline:
            for hwnd in self.wine.probe.ask("find-all", "vexaNT")["windows"]:
                if hwnd not in exclude:
                    return proc, hwnd
            time.sleep(0.2)
        self.fail("no new vexaNT window")

    def test_first_start_writes_the_default_profile_and_the_stamps(self):
        # The test prefix holds only the start-up page choice (tools/wine/template.reg).
        self.assertFalse(self.wine.reg_values(HKLM))
        proc, hwnd = self.start()
        base = self.wait_values(HKLM, lambda v: "Build" in v)
        self.assertEqual(base["Session"], ("REG_SZ", "Untitled"))
        self.assertEqual(base["Version"], ("REG_SZ", "1.6.1"))
        self.assertEqual(int(base["Build"][1], 16), 0xA4CBC)
        self.assertIsNotNone(self.wine.reg_values(HKLM + r"\Profiles\Untitled"))
        self.assertTrue(self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0))
        self.assertEqual(self.wait_exit(proc, 15), 0)

    def test_a_further_instance_with_plus_cs_takes_the_next_slot(self):
        profile = HKLM + r"\Profiles\Multi\CONNECTION"
        for name, data, kind in (("netname1", "hosta", "REG_SZ"), ("netname2", "hostb", "REG_SZ"),
                                 ("netproto", "2", "REG_DWORD")):
            self.assertEqual(self.wine.reg("add", profile, "/v", name, "/t", kind, "/d", data, "/f")[0], 0)
        self.assertEqual(self.wine.reg("add", HKLM, "/v", "Session", "/d", "Multi", "/f")[0], 0)
        _, first = self.start()
        slot1 = self.wait_values(HKLM + r"\Multi\Session 1", lambda v: "hWnd" in v)
        self.assertEqual(int(slot1["hWnd"][1], 16), int(first, 0))
        _, second = self.start("+cs", exclude=(first,))
        slot2 = self.wait_values(HKLM + r"\Multi\Session 2", lambda v: "hWnd" in v)
        self.assertEqual(int(slot2["hWnd"][1], 16), int(second, 0))
        self.assertEqual(slot2["netname2"], ("REG_SZ", "hostb"))
        # The first instance keeps its slot.
        self.assertEqual(int(self.wine.reg_values(HKLM + r"\Multi\Session 1")["hWnd"][1], 16), int(first, 0))


if __name__ == "__main__":
    unittest.main()
