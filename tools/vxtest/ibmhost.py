"""What the whole-program tests of the IBM displays share: a terminal started on a
scripted host with the profile's values set, and its screen read through the test
screen dump (VXNT_TEST_SCREEN)."""
import os
import tempfile
import time

import vxtest
from vxtest import WineTestCase

EXE = vxtest.build_path("terminal", "vexaNT.exe")
PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"


class IbmHostCase(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxibm")
        self.screen = os.path.join(self.dir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)

    def setting(self, section, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")[0],
                         0)

    def start_on(self, host, emulation, section, values):
        """The terminal as `emulation` (the VT300 vdumode) with `values` in its own
        profile section, connected to the host."""
        self.setting("VT300", "vdumode", emulation)
        for name, value in values.items():
            self.setting(section, name, value)
        for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", host.port)):
            self.setting("CONNECTION", name, value)
        proc, hwnd = self.wine.launch(EXE, "-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        host.wait_ready(60)
        return proc, hwnd

    def dump(self, ready, timeout=30):
        """The screen dump's lines once `ready` holds for them."""
        deadline, lines = time.time() + timeout, []
        while time.time() < deadline:
            try:
                with open(self.screen, encoding="utf-8") as f:
                    lines = f.read().split("\n")
                if ready(lines):
                    return lines
            except FileNotFoundError:
                pass
            time.sleep(0.1)
        self.fail("the screen never became ready: %r" % lines)
