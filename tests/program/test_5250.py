"""The 5250 emulation in the running program: a scripted TN5250 host draws a screen,
the operator's keys (xdotool) go back as the host expects, and the screen with its
status row is read through the test screen dump (VXNT_TEST_SCREEN). The records of both
directions are checked by tshark's TN5250 dissector."""
import os
import subprocess
import sys
import time
import unittest

import vxtest
from vxtest.ibmhost import IbmHostCase
from vxtest.xkeys import XKeyboard

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost import tn5250 as t  # noqa: E402
from telnethost.tn5250host import Tn5250Host  # noqa: E402

# Clear Unit, "NAME:" and an underlined 10-cell field after it, Read MDT Fields.
NAME_SCREEN = bytes.fromhex("04 40 04 11 00 08 11 01 01 D5 C1 D4 C5 7A 1D 40 00 24 00 0A 04 52 00 00")


def field_screen(shift, ffw2=0, length=5):
    """One input field at row 1 column 2 with the cursor in it, then Read MDT Fields."""
    return t.record(t.command(t.CLEAR_UNIT) +
                    t.write_to_display(0, t.CC2_UNLOCK, t.sba(1, 1), t.sf(t.NORMAL, length, shift, ffw2=ffw2)) +
                    t.read())


class Ibm5250Case(IbmHostCase):
    def start(self, host, **ibm5250):
        return self.start_on(host, 7, "IBM5250", ibm5250)

    def open_host(self, first_record, ready, pcap=None, terminal=b"IBM-3179-2", **ibm5250):
        host = Tn5250Host(pcap=pcap)
        self.addCleanup(host.close)
        self.start(host, **ibm5250)
        self.assertEqual(host.terminal_type, terminal)
        host.send(first_record)
        lines = self.dump(ready)
        self.focus_terminal()
        self.keyboard = XKeyboard(self.wine.env["DISPLAY"])
        self.addCleanup(self.keyboard.close)
        return host, lines

    def keys(self, *names):
        for name in names:
            self.assertEqual(self.xdotool("key", name).returncode, 0, name)


class Ibm5250ProgramTest(Ibm5250Case):
    def test_the_host_screen_shows_and_the_typed_field_goes_back(self):
        pcap = os.path.join(self.dir, "tn5250.pcap")
        host, lines = self.open_host(t.record(NAME_SCREEN), lambda l: len(l) > 25 and l[1] == "NAME:" and
                                     "01/07" in l[25], pcap=pcap)
        self.assertEqual(lines[0], "cursor 0 6 emulation 7")
        self.keys("A", "B", "C")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 13 12 a0 00 00 04 00 00 03 01 0a f1 11 01 07 c1 c2 c3")
        # The query, and the records both ways as tshark's dissector reads them.
        host.send(t.record(t.QUERY))
        reply = host.receive(30)
        self.assertEqual(len(reply), 71)
        self.assertEqual(reply[40:47].hex(" "), "f3 f1 f7 f9 f0 f0 f2")
        host.close()
        out = subprocess.run(["tshark", "-r", pcap, "-V", "-Y", "tn5250"],
                             capture_output=True, text=True, timeout=120)
        self.assertEqual(out.returncode, 0, out.stderr)
        self.assertNotIn("Malformed", out.stdout)
        self.assertIn("Device Type: 3179", out.stdout)
        self.assertIn("Device Model: 002", out.stdout)
        self.assertIn("Read Mdt Fields", out.stdout)

    def test_a_letter_in_a_numeric_field_is_an_operator_error_that_help_sends(self):
        host, _ = self.open_host(field_screen(t.NUMERIC_ONLY), lambda l: len(l) > 25 and "01/02" in l[25])
        self.keys("A")
        self.dump(lambda l: len(l) > 24 and l[24].strip() == "0010")
        self.keyboard.tap("KP_Multiply")
        self.assertEqual(host.receive(30).hex(" "), "00 0c 12 a0 00 00 04 01 00 00 00 10")
        self.keys("Escape")
        self.dump(lambda l: len(l) > 24 and l[24] == "")

    def test_field_exits_adjust_and_sign(self):
        host, _ = self.open_host(field_screen(t.NUMERIC_ONLY, t.ZERO_FILL), lambda l: len(l) > 25 and "01/02" in l[25])
        self.keys("1", "2", "Return")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 15 12 a0 00 00 04 00 00 03 01 02 f1 11 01 02 f0 f0 f0 f1 f2")
        host.send(field_screen(t.NUMERIC_ONLY, t.FIELD_EXIT_REQUIRED))
        self.dump(lambda l: len(l) > 25 and "01/02" in l[25] and l[1] == "")
        self.keys("1", "2", "3", "4", "5")
        self.keyboard.tap("KP_Subtract")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 15 12 a0 00 00 04 00 00 03 01 02 f1 11 01 02 f1 f2 f3 f4 d5")

    def test_shifted_keys_send_their_aids_and_attention(self):
        host, _ = self.open_host(field_screen(t.ALPHA_SHIFT), lambda l: len(l) > 25 and "01/02" in l[25])
        self.keys("shift+F1")
        self.assertEqual(host.receive(30).hex(" "), "00 0d 12 a0 00 00 04 00 00 03 01 02 b1")
        self.keys("shift+Escape")
        self.assertEqual(host.receive(30).hex(" "), "00 0a 12 a0 00 00 04 40 00 00")
        # Output only, with switch byte 7 bit 0x04 in the header: F3 waits for the next
        # Put/Get and then goes once, cursor and AID only.
        screen = t.write_to_display(0, t.CC2_UNLOCK, t.soh(0, 0, 0, 0, 0, 0, 0x04), t.sba(1, 1),
                                    t.sf(t.NORMAL, 5))
        host.send(t.record(t.command(t.CLEAR_UNIT) + screen, t.OUTPUT_ONLY))
        self.dump(lambda l: len(l) > 25 and "01/02" in l[25] and "{36}" not in l[25])
        self.keys("X", "F3")
        time.sleep(1)
        self.assertEqual(host.pending(), [])
        host.send(t.record(t.read()))
        self.assertEqual(host.receive(30).hex(" "), "00 0d 12 a0 00 00 04 00 00 03 01 03 33")
        host.send(t.record(t.read()))
        time.sleep(1)
        self.assertEqual(host.pending(), [])

    def test_a_wide_model_clears_to_27_rows_of_132(self):
        wide = t.command(t.CLEAR_UNIT_ALTERNATE, b"\x00") + t.write_to_display(0, t.CC2_UNLOCK, t.sba(27, 132),
                                                                                 t.ebcdic("Z"))
        _, lines = self.open_host(t.record(wide), lambda l: len(l) > 28 and l[27].endswith("Z"),
                                  terminal=b"IBM-3477-FC", I52_model=6)
        self.assertEqual(len(lines[27]), 132)
        self.assertTrue(lines[28].startswith("oia "), lines[28])

    def test_keys_wait_for_the_unlock_delay(self):
        host, _ = self.open_host(field_screen(t.ALPHA_SHIFT), lambda l: len(l) > 25 and "01/02" in l[25],
                                 I52_KbUnlock=2)
        time.sleep(2.5)  # the first write's own delay
        self.keys("X")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 11 12 a0 00 00 04 00 00 03 01 03 f1 11 01 02 e7")
        host.send(field_screen(t.ALPHA_SHIFT))
        unlocked = time.time()
        self.keys("Y")
        self.keyboard.tap("KP_Enter")
        reply = host.receive(30)
        # The keys wait for the delay after the unlocking write.
        self.assertGreaterEqual(time.time() - unlocked, 1.5)
        self.assertEqual(reply.hex(" "), "00 11 12 a0 00 00 04 00 00 03 01 03 f1 11 01 02 e8")

    def test_a_monocase_field_upper_cases_in_the_national_code_page(self):
        self.setting("Telnet\\5250,USERVAR", "CODEPAGE", "273")
        self.setting("Telnet\\5250,USERVAR", "CHARSET", "697")
        # A German keyboard has the key; Wine reads the layout when the program starts.
        layout = ["setxkbmap", "-display", self.wine.env["DISPLAY"]]
        self.assertEqual(subprocess.run(layout + ["de"]).returncode, 0)
        self.addCleanup(subprocess.run, layout + ["us"])
        host, _ = self.open_host(field_screen(t.ALPHA_SHIFT, t.MONOCASE), lambda l: len(l) > 25 and "01/02" in l[25])
        self.keys("adiaeresis")
        self.keyboard.tap("KP_Enter")
        self.assertEqual(host.receive(30).hex(" "), "00 11 12 a0 00 00 04 00 00 03 01 03 f1 11 01 02 4a")


if __name__ == "__main__":
    unittest.main()
