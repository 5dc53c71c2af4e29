"""The 3270 emulation in the running program: a scripted TN3270E host draws a screen,
the operator's keys (xdotool) go back as the host expects, and the screen with its
operator information area is read through the test screen dump (VXNT_TEST_SCREEN)."""
import os
import sys
import time
import unittest

import vxtest
from vxtest.ibmhost import IbmHostCase
from vxtest.xkeys import XKeyboard

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost import tn3270 as t  # noqa: E402
from telnethost.pcap import CLIENT as pcap_client  # noqa: E402
from telnethost.tn3270host import Tn3270Host, wait_for as vxtest_wait  # noqa: E402

W = t.wcc(reset=True, restore=True, reset_mdt=True)
NAME_SCREEN = t.write(t.ERASE_WRITE, W, t.sba(0), t.sf(0x60), t.ebcdic("NAME:"), t.sf(0x40), t.ic(), t.sba(20),
                      t.sf(0x60))


class Ibm3270Case(IbmHostCase):
    def start(self, host, model=8, **ibm3270):
        return self.start_on(host, 6, "IBM3270", dict(IBM_mode=model, **ibm3270))

class Ibm3270ProgramTest(Ibm3270Case):
    def keys(self, *names):
        for name in names:
            self.assertEqual(self.xdotool("key", name).returncode, 0, name)

    def open_name_screen(self, **ibm3270):
        host = Tn3270Host(functions=[t.FN_RESPONSES])
        self.addCleanup(host.close)
        self.start(host, **ibm3270)
        host.send(t.tn3270e(t.DATA_3270, NAME_SCREEN, response=t.ALWAYS_RESPONSE, sequence=1))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 01 00")
        self.dump(lambda l: len(l) > 2 and l[1] == " NAME:")
        self.focus_terminal()
        self.keyboard = XKeyboard(self.wine.env["DISPLAY"])
        self.addCleanup(self.keyboard.close)
        return host

    def restore(self, host):
        host.send(t.tn3270e(t.DATA_3270, t.write(t.WRITE, t.wcc(restore=True))))

    def test_typed_text_and_the_aid_keys(self):
        host = self.open_name_screen()
        self.keys("A", "B", "C")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 00 00 00 00 7d 40 4a 11 40 c7 c1 c2 c3")
        self.restore(host)
        host.send(t.tn3270e(t.DATA_3270, bytes([t.READ_MODIFIED_ALL]), response=t.ALWAYS_RESPONSE, sequence=2))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 02 00")
        self.assertEqual(host.receive(30).hex(" "), "00 00 00 00 01 60 40 4a 11 40 c7 c1 c2 c3")
        self.keys("shift+F10")
        self.assertEqual(host.receive(30).hex(" "), "00 00 00 00 02 4a 40 4a 11 40 c7 c1 c2 c3")
        self.restore(host)
        self.keys("Prior")  # Page Up: PA1, a short read
        self.assertEqual(host.receive(30).hex(" "), "00 00 00 00 03 6c")

    def test_a_protected_field_refuses_typing(self):
        self.open_name_screen()
        self.keys("Home", "Up", "Z")  # the cursor moves onto "NAME:"
        lines = self.dump(lambda l: any(x.startswith("oia ") and "{36} {38}{2B}{28}" in x for x in l))
        self.assertEqual(lines[1], " NAME:")

    def test_keys_typed_while_inhibited_wait_for_the_unlock_delay(self):
        host = self.open_name_screen(IBM_KbUnlock=2)
        time.sleep(2.5)  # the first Write's own delay
        self.keys("X")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 00 00 00 00 7d 40 c8 11 40 c7 e7")
        self.keys("Y")
        self.keyboard.tap("KP_Enter")
        self.restore(host)
        restored = time.time()
        record = host.receive(30)
        # The keys wait for the delay after the keyboard came back.
        self.assertGreaterEqual(time.time() - restored, 1.5)
        self.assertEqual(record.hex(" "), "00 00 00 00 01 7d 40 c9 11 40 c7 e7 e8")

    def test_the_host_screen_shows_with_its_cursor(self):
        host = Tn3270Host(functions=[t.FN_RESPONSES])
        self.addCleanup(host.close)
        self.start(host)
        host.send(t.tn3270e(t.DATA_3270, NAME_SCREEN, response=t.ALWAYS_RESPONSE, sequence=1))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 01 00")
        lines = self.dump(lambda l: len(l) > 2 and l[1] == " NAME:")
        self.assertEqual(lines[0], "cursor 0 7 emulation 6")

    def test_a_bind_for_a_larger_screen_moves_the_model(self):
        host = Tn3270Host(functions=[t.FN_BIND_IMAGE, t.FN_RESPONSES])
        self.addCleanup(host.close)
        self.start(host, model=0)  # a 3278-2
        bind = t.bind_image(lu_type=2, size_code=0x7F, rows=24, columns=80, alt_rows=27, alt_columns=132)
        host.send(t.tn3270e(t.BIND_IMAGE, bind, response=t.ERROR_RESPONSE, sequence=1))
        host.send(t.tn3270e(t.DATA_3270, t.write(t.ERASE_WRITE_ALTERNATE, W, t.sba(27 * 132 - 1), t.ebcdic("Z"),
                                                  t.sba(0), t.ebcdic("TOP")), response=t.ALWAYS_RESPONSE,
                            sequence=2))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 02 00")
        lines = self.dump(lambda l: len(l) > 28 and l[27].endswith("Z"))
        self.assertEqual(len(lines[27]), 132)
        self.assertEqual(lines[1], "TOP")
        self.assertTrue(lines[28].startswith("oia "), lines[28])

    def test_a_bind_the_screen_cannot_hold_is_refused_and_tn3270e_withdrawn(self):
        host = Tn3270Host(functions=[t.FN_BIND_IMAGE, t.FN_RESPONSES])
        self.addCleanup(host.close)
        self.start(host, model=0)
        bind = t.bind_image(lu_type=2, size_code=0x7F, rows=24, columns=80, alt_rows=27, alt_columns=133)
        host.send(t.tn3270e(t.BIND_IMAGE, bind, response=t.ERROR_RESPONSE, sequence=1))
        self.assertEqual(host.receive(30).hex(" "), "02 00 01 00 01 00")
        self.assertTrue(vxtest_wait(lambda: any(d == pcap_client and b"\xff\xfc\x28" in b
                                                for d, b in host.transcript), 20))


if __name__ == "__main__":
    unittest.main()
