"""Pass-through printing to the auxiliary port in the running program: a socat pty as
COM6, a parallel port linked to a file or to /dev/full, the host's own serial port, and
the Auxport dialog. The host is a scripted telnet host or the far end of a serial line.
"""
import os
import tempfile
import time
import unittest

from vxtest import ScreenDump, WineTestCase
from vxtest.printers import add_port_printer, link_lpt
from vxtest.printhost import CSI, PROFILE, PrintingTerminal, set_printing, set_values
from vxtest.serialpeer import SerialPeer

AUX = PROFILE + r"\AUX"
CMD_AUX_PORT = 1157
WM_CHAR = 0x0102
DIALOG_TITLE = "Auxport Setup"
PORT_COMBO, CONFIGURE = 1159, 1130
# MC 7, text with a CR LF, MC 5 (passed on unchanged), then an 8-bit MC 6.
PASSED = b"AB\r\nC" + CSI + b"5i"
JOB = CSI + b"7i" + PASSED + b"\x9b6i"


class AuxPortTest(WineTestCase):
    def terminal(self):
        t = PrintingTerminal(self)
        self.addCleanup(t.close)
        return t

    def aux(self, t):
        return t.status().get("aux", "")

    def wait_aux(self, t, text, timeout=30):
        t.wait(lambda: text in self.aux(t), "aux field %r" % text, timeout)

    def serial_line(self, port):
        line = SerialPeer(self.wine, port)
        self.addCleanup(line.close)
        return line

    def parallel_port(self, target):
        """LPT2 linked to `target`, listed through a printer installed on it."""
        link_lpt(self.wine, 2, target)
        add_port_printer(self.wine, "vexaLPT2", "LPT2:")

    def test_serial_aux_port_takes_the_data_and_its_input_goes_to_the_host(self):
        line = self.serial_line("COM6")
        self.wine.restart_server()
        set_printing(self.wine, PMPrinter="vexaPS")  # a named printer lets media copy act
        set_values(self.wine, AUX, Port="COM6", comspeed=7)
        t = self.terminal()
        self.wait_aux(t, "Ready")
        t.send(CSI + b"7i")
        self.wait_aux(t, "In Use")
        self.assertIn("19200", line.stty().split(), "the AUX line settings")
        line.send(b"from the aux port")
        t.host.wait_for(lambda data: b"from the aux port" in data, 20, "the aux port's input")
        t.send(PASSED + b"\x9b6i" + b"shown after")
        t.wait_screen("shown after")
        self.assertEqual(line.expect(PASSED, 10), PASSED)
        time.sleep(0.5)
        self.assertEqual(line.read(0.2), PASSED, "nothing of MC 6 or later")
        self.assertFalse(any("AB" in row for row in t.screen()), t.screen())
        self.wait_aux(t, "Ready")

    def test_parallel_aux_port_chosen_in_the_dialog(self):
        out = os.path.join(tempfile.mkdtemp(prefix="vxaux"), "lpt2.out")
        open(out, "wb").close()
        self.parallel_port(out)
        self.serial_line("COM6")
        self.wine.restart_server()
        set_printing(self.wine, PMPrinter="vexaLPT2")
        set_values(self.wine, AUX, Port="COM6")
        t = self.terminal()
        t.command(CMD_AUX_PORT)
        dialog = self.wine.probe.find_dialog("vexaterm  " + DIALOG_TITLE)
        self.assertIsNotNone(dialog)
        ports = self.wine.probe.items(dialog, PORT_COMBO)
        names = [i["text"] for i in ports["items"]]
        self.assertIn("COM6", names)
        self.assertIn("LPT2:", names)
        self.assertEqual(names[ports["selected"]], "COM6", "the configured port is selected")
        self.assertTrue(self.wine.probe.control(dialog, CONFIGURE)["enabled"], "a COM port has a line to set")
        self.assertTrue(self.wine.probe.select(dialog, PORT_COMBO, names.index("LPT2:")))
        t.wait(lambda: not self.wine.probe.control(dialog, CONFIGURE)["enabled"], "Configure greyed for LPT2:")
        self.assertTrue(self.wine.probe.click(dialog, 1))
        t.wait(lambda: self.wine.probe.find_dialog(DIALOG_TITLE, 100) is None, "the dialog closed")

        t.send(JOB + b"after the job")
        t.wait_screen("after the job")
        with open(out, "rb") as f:
            self.assertEqual(f.read(), PASSED)
        self.assertFalse(any("AB" in row for row in t.screen()), t.screen())

    def test_failing_port_asks_and_abort_ends_pass_through(self):
        self.parallel_port("/dev/full")
        set_printing(self.wine, PMPrinter="vexaLPT2")
        set_values(self.wine, AUX, Port="LPT2:")
        t = self.terminal()
        t.send(CSI + b"7ix")
        box = None
        deadline = time.time() + 60
        while box is None and time.time() < deadline:
            box = next((d for d in self.wine.probe.dialogs()
                        if "Aux port Status = 112\n\"ErrGen.\"\nContinue transmitting?" in d.get("texts", [])), None)
            time.sleep(0.2)
        self.assertIsNotNone(box, self.wine.probe.dialogs())
        self.assertEqual(box["title"], "Printer")
        self.assertIn("ErrGen", self.aux(t))
        self.assertTrue(self.wine.probe.press("Abort"))
        self.wait_aux(t, "Ready")
        t.send(b"later text")
        t.wait_screen("later text")
        self.wine.probe.post(t.hwnd, WM_CHAR, ord("k"), 1)
        t.host.wait_for(lambda data: b"k" in data, 20, "a typed key: the keyboard is unlocked")


class AuxPortOnSerialHostTest(WineTestCase):
    def test_the_host_port_cannot_be_the_aux_port(self):
        line = SerialPeer(self.wine, "COM5")
        self.addCleanup(line.close)
        self.wine.restart_server()
        set_values(self.wine, PROFILE + r"\CONNECTION", netproto=1, comdevice=4)
        set_printing(self.wine, PMPrinter="vexaPS")
        set_values(self.wine, AUX, Port="COM5")
        dump = ScreenDump(self.wine, tempfile.mkdtemp(prefix="vxaux"))
        proc, hwnd = self.start_terminal("-SeDefault")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        deadline = time.time() + 20
        while time.time() < deadline and "COM5" not in self.wine.probe.info(hwnd)["title"]:
            time.sleep(0.1)
        line.send(CSI + b"7i")
        boxes = self.wine.probe.wait_dialog(20)
        self.assertEqual(len(boxes), 1, boxes)
        self.assertIn("Error Opening Communications Port", boxes[0]["texts"])
        self.assertTrue(self.wine.probe.press("OK"))
        line.send(b"still on the screen\r\n")
        self.assertIn("still on the screen", dump.wait("still on the screen", 15))
        # The line is still the host's: typed text goes out on it.
        self.assertTrue(self.wine.probe.post(hwnd, WM_CHAR, ord("z"), 1))
        self.assertEqual(line.expect(b"z", 10), b"z")


if __name__ == "__main__":
    unittest.main()
