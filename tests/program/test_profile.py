"""Profiles from outside: what the Save command writes into the registry, the machine
and per-user copies of a profile, and the session slots beside it."""
import time
import unittest

from vxtest import WineTestCase

BASE = r"Software\Quorlan\vexaNT"
HKLM = "HKLM\\" + BASE
HKCU = "HKCU\\" + BASE
SAVE = 1011
SECTIONS = ["SAVEDITEMS", "COLOURS", "WINDOW", "CONNECTION", "PRINTING", "AUX", "VT300"]


class ProfileTest(WineTestCase):
    def add(self, key, name, kind, data):
        code, _ = self.wine.reg("add", key, "/v", name, "/t", kind, "/d", str(data), "/f")
        self.assertEqual(code, 0, "reg add %s %s" % (key, name))

    def wait_key(self, key, timeout=15.0):
        deadline = time.time() + timeout
        while time.time() < deadline:
            values = self.wine.reg_values(key)
            if values is not None:
                return values
            time.sleep(0.2)
        self.fail("%s did not appear" % key)

    def save(self, profile_key):
        proc, hwnd = self.start_terminal()
        # Returns once the save has run.
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        self.wait_key(profile_key + r"\VT300")
        return proc, hwnd

    def test_saving_an_untouched_profile_writes_only_its_sections(self):
        self.add(HKCU, "Session", "REG_SZ", "P")
        self.save(HKCU + r"\Profiles\P")
        for section in SECTIONS:
            values = self.wine.reg_values(HKCU + r"\Profiles\P" + "\\" + section)
            self.assertIsNotNone(values, section)
            expected = {"PMPrinter": ("REG_SZ", ""), "PMPort": ("REG_SZ", "")} if section == "PRINTING" else {}
            self.assertEqual(values, expected, section)
        self.assertIsNone(self.wine.reg_values(HKLM + r"\Profiles\P"))

    def test_machine_values_apply_user_values_override_and_hosts_pack(self):
        self.add(HKCU, "Session", "REG_SZ", "P")
        self.add(HKLM + r"\Profiles\P\VT300", "autowrap", "REG_DWORD", 1)
        self.add(HKLM + r"\Profiles\P\VT300", "dspwdth", "REG_DWORD", 131)
        self.add(HKCU + r"\Profiles\P\VT300", "dspwdth", "REG_DWORD", 99)
        conn = HKCU + r"\Profiles\P\CONNECTION"
        self.add(conn, "netname1", "REG_SZ", "")
        self.add(conn, "netname2", "REG_SZ", "b")
        self.add(conn, "netname3", "REG_SZ", "c")
        self.wine.reg("delete", HKCU + r"\Profiles\P\VT300", "/v", "stale", "/f")
        self.add(HKCU + r"\Profiles\P\VT300", "stale", "REG_DWORD", 1)
        self.save(HKCU + r"\Profiles\P")
        vt300 = self.wine.reg_values(HKCU + r"\Profiles\P\VT300")
        self.assertEqual(vt300, {"autowrap": ("REG_DWORD", "0x1"), "dspwdth": ("REG_DWORD", "0x63")})
        values = self.wine.reg_values(conn)
        self.assertEqual(values.get("netname1"), ("REG_SZ", "b"))
        self.assertEqual(values.get("netname2"), ("REG_SZ", "c"))
        self.assertEqual(values.get("netname3", ("REG_SZ", "")), ("REG_SZ", ""))
        self.assertNotIn("netname4", values)

    def test_macros_round_trip_and_damaged_ones_load_as_absent(self):
        self.add(HKCU, "Session", "REG_SZ", "P")
        key = HKCU + r"\Profiles\P\Macros\key"

        def definition(send, text, length=None):
            units = [send, len(text) if length is None else length] + [ord(c) for c in text]
            return "".join("%02X%02X" % (u & 0xFF, u >> 8) for u in units)

        good = {"70,3": definition(1, "ls -l\r"), "1B,4": definition(0, "x" * 200), "41,0": definition(2, "l")}
        for name, data in good.items():
            self.add(key, name, "REG_BINARY", data)
        self.add(key, "42,0", "REG_BINARY", "0100")                       # too short
        self.add(key, "43,0", "REG_BINARY", definition(0, "ab", 50))      # claims more than it holds
        self.add(key, "44,0", "REG_SZ", "text")                           # not a definition at all
        self.add(key, "45,0", "REG_BINARY", definition(0, ""))            # defines nothing
        self.save(HKCU + r"\Profiles\P")
        self.assertEqual(self.wine.reg_values(key), {name: ("REG_BINARY", data) for name, data in good.items()})

    def test_session_slots_are_volatile_and_mouse_actions_persist(self):
        self.add(HKCU, "Session", "REG_SZ", "P")
        self.add(HKCU + r"\Profiles\P\CONNECTION", "netname1", "REG_SZ", "host1")
        _, hwnd = self.start_terminal()
        slot = self.wait_key(HKCU + r"\P\Session 1")
        self.assertEqual(slot.get("netname1"), ("REG_SZ", "host1"))
        self.assertEqual(int(slot["hWnd"][1], 16), int(str(hwnd), 0))
        # The profile key beside the slot is persistent: it takes persistent subkeys.
        self.add(HKCU + r"\P\Mouse Actions", "Normal", "REG_DWORD", 3)
        self.wine.restart_server()
        self.assertIsNone(self.wine.reg_values(HKCU + r"\P\Session 1"))
        self.assertEqual(self.wine.reg_values(HKCU + r"\P\Mouse Actions"), {"Normal": ("REG_DWORD", "0x3")})


if __name__ == "__main__":
    unittest.main()
