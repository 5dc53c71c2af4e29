"""The terminal on a serial line: a socat pty pair is the line, Wine sees one end as a
COM port and the test is the far end. The profile chooses the port and its settings.
"""
import os
import tempfile
import time
import unittest

import vxtest
from vxtest import ScreenDump, WineTestCase
from vxtest.serialpeer import XOFF, XON, SerialPeer, register_port

CONNECTION = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default\CONNECTION"
WM_CHAR = 0x0102
DA_ANSWER = b"\x1b[?64;1;2;6;7;8;9;15;18;19;21c"  # a VT420 answers ESC [ c so


class SerialProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxserial")
        self.dump = ScreenDump(self.wine, self.dir)

    def line(self, port):
        peer = SerialPeer(self.wine, port)
        self.addCleanup(peer.close)
        return peer

    def start(self, **values):
        """Starts the terminal on the Default profile with these CONNECTION values (Wine
        reads its ports when its server starts, so the server starts afresh first)."""
        self.wine.restart_server()
        values.setdefault("netproto", 1)
        for name, value in values.items():
            code, out = self.wine.reg("add", CONNECTION, "/v", name, "/t", "REG_DWORD", "/d", str(value), "/f")
            self.assertEqual(code, 0, out)
        proc, hwnd = self.start_terminal("-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        self.hwnd = hwnd
        return proc, hwnd

    def wait_open(self, port, timeout=20):
        """The title names the port once it is open (bytes sent before would be purged)."""
        deadline = time.time() + timeout
        while time.time() < deadline and port not in self.wine.probe.info(self.hwnd)["title"]:
            time.sleep(0.1)
        self.assertIn(port, self.wine.probe.info(self.hwnd)["title"])

    def screen(self):
        return self.dump.text()

    def wait_screen(self, text, timeout=15):
        return self.dump.wait(text, timeout)

    def type(self, text):
        for c in text:
            self.assertTrue(self.wine.probe.post(self.hwnd, WM_CHAR, ord(c), 1))

    def message_boxes(self):
        return self.wine.probe.dialogs()

    def wait_box(self, timeout):
        return self.wine.probe.wait_dialog(timeout)

    def test_line_settings_data_and_typed_text(self):
        line = self.line("COM5")
        self.start(comdevice=4, comspeed=7, comflowc=3)
        self.wait_open("COM5")
        line.send(b"far end says hello\r\n")
        self.assertIn("far end says hello", self.wait_screen("far end says hello"))
        settings = line.stty().split()
        self.assertIn("19200", settings)
        self.assertIn("ixon", settings)
        self.assertIn("ixoff", settings)
        self.assertIn("cs8", settings)
        self.type("typed once\r")
        self.assertEqual(line.expect(b"typed once\r", 10), b"typed once\r")
        time.sleep(0.5)
        self.assertEqual(line.read(0.2), b"typed once\r")

    def test_seven_data_bits_clear_bit_eight_both_ways(self):
        line = self.line("COM5")
        self.start(comdevice=4, comdatab=1)
        self.wait_open("COM5")
        line.send(b"<\xe9>\r\n")
        self.assertIn("<i>", self.wait_screen("<i>"))
        self.type("\u00e9")
        self.assertEqual(line.expect(b"\x69", 10), b"\x69")

    def test_ports_above_com9_open(self):
        line = self.line("COM12")
        self.start(comdevice=11)
        self.wait_open("COM12")
        line.send(b"twelve\r\n")
        self.assertIn("twelve", self.wait_screen("twelve"))
        self.type("x")
        self.assertEqual(line.expect(b"x", 10), b"x")

    def test_a_port_whose_device_is_gone_says_so_once(self):
        register_port(self.wine, "COM7", os.path.join(self.dir, "no-such-device"))
        self.start(comdevice=6)
        boxes = self.wait_box(20)
        self.assertEqual(len(boxes), 1, boxes)
        self.assertIn("Error Opening Communications Port", boxes[0]["texts"])
        self.assertTrue(self.wine.probe.press("OK"))
        time.sleep(3)
        self.assertEqual(self.message_boxes(), [])

    def test_held_line_asks_and_keeps_every_answer_whole(self):
        line = self.line("COM5")
        self.start(comdevice=4, comflowc=3)
        self.wait_open("COM5")
        line.send(b"ready\r\n")
        self.wait_screen("ready")
        line.send(XOFF)
        time.sleep(0.5)
        line.send(b"\x1b[c" * 100 + b"after the requests")
        boxes = self.wait_box(60)
        self.assertEqual(len(boxes), 1, boxes)
        self.assertEqual(boxes[0]["title"], "Serial Port")
        self.assertIn("Unable to send from COM5\nContinue?", boxes[0]["texts"])
        # While the answers wait the keyboard is locked: no more host data is taken.
        self.assertNotIn("after the requests", self.screen())
        self.assertEqual(line.read(0.2), b"")
        self.assertTrue(self.wine.probe.press("Retry"))
        time.sleep(0.5)
        line.send(XON)
        got = line.expect(DA_ANSWER * 100, 30)
        self.assertEqual(got, DA_ANSWER * 100)
        self.assertIn("after the requests", self.wait_screen("after the requests"))

        # Held again: Abort drops what waits, and the keyboard works again.
        line.received = b""
        line.send(XOFF)
        time.sleep(0.5)
        line.send(b"\x1b[c" * 100)
        self.assertEqual(len(self.wait_box(60)), 1)
        self.assertTrue(self.wine.probe.press("Abort"))
        time.sleep(1)
        line.send(XON)
        time.sleep(2)
        line.received = b""
        self.type("free again")
        got = line.expect(b"free again", 20)
        self.assertTrue(got.endswith(b"free again"), got[-80:])
        # What was still unread when the keyboard unlocked is answered whole.
        self.assertEqual(got[:-len(b"free again")].replace(DA_ANSWER, b""), b"")


if __name__ == "__main__":
    unittest.main()
