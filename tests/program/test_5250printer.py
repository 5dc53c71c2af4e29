"""The 5250 printer session in the running program: a scripted TN5250 host answers the
printer's start-up and sends print records (RFC 4777); the jobs land in the Wine
spooler's files (a RAW printer), the replies come back to the host byte for byte, and
the status window "IBM5250 Printer" is read with winprobe. The printer's own status
comes through the test seam VXNT_TEST_PRINTER_STATUS (Wine's is always ready)."""
import os
import sys
import unittest

import vxtest
from vxtest.ibmhost import IbmHostCase
from vxtest.printers import SpooledPrinter

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost import tn5250printer as p  # noqa: E402
from telnethost.tn5250host import Tn5250Host, wait_for  # noqa: E402

PRINTER_MODEL = 11
LABEL, LINES = 3340, 3341
PRINTER_STATUS_PAPER_OUT = 0x10


class Printer5250Test(IbmHostCase):
    def setUp(self):
        super().setUp()
        self.spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        self.status = os.path.join(self.wine.prefix, "printer-status")
        self.set_status(0)
        self.wine.env["VXNT_TEST_PRINTER_STATUS"] = self.wine.windows_path(self.status)

    def set_status(self, word):
        with open(self.status + ".new", "w") as f:
            f.write(str(word))
        os.replace(self.status + ".new", self.status)

    def printer(self):
        host = Tn5250Host()
        self.addCleanup(host.close)
        proc, hwnd = self.start_on(host, 7, "IBM5250", dict(I52_model=PRINTER_MODEL))
        self.assertEqual(host.terminal_type, b"IBM-3812-1")
        self.proc = proc
        return host, hwnd

    def window(self, hwnd):
        windows = []

        def find(h):
            for c in self.wine.probe.children(h):
                if c["class"] == "#32770":
                    windows.append(c["hwnd"])
        find(hwnd)
        self.assertTrue(windows, "a status window")
        dialog = windows[0]
        return (self.wine.probe.ask("text", dialog)["text"], self.wine.probe.ask("ctl", dialog, LABEL)["text"],
                self.wine.probe.ask("ctl", dialog, LINES)["text"])

    def wait_line(self, hwnd, text):
        self.assertTrue(wait_for(lambda: text in self.window(hwnd)[2], 20), self.window(hwnd)[2])

    def test_startup_print_and_replies(self):
        host, hwnd = self.printer()
        title, label, lines = self.window(hwnd)
        self.assertEqual((title, label), ("IBM5250 Printer", "IBM5250 Printer :"))
        # An answer one byte short of its names is refused.
        host.send(p.startup_response("I902", length=37))
        self.assertEqual(host.receive(30).hex(" "), "00 0e 12 a0 00 00 04 80 00 00 10 05 01 10")
        host.send(p.startup_response("I902"))
        self.wait_line(hwnd, "I902 Session successfully started.")
        host.send(p.print_record(p.blocks(b"HELLO", end=True)))
        self.assertEqual(host.receive(30), p.ack())
        self.assertEqual(self.spool.wait_jobs(1), [b"HELLO"])
        # A block that runs past a record that is first and last of its chain.
        host.send(p.print_record(bytes([p.BLOCK, 8]) + b"AB"))
        self.assertEqual(host.receive(30), p.negative(0x08110229))
        self.wait_line(hwnd, "Invalid Print Parameter")
        # A block goes on in the next record of its chain.
        host.send(p.print_record(p.blocks(b"CHAIN")[:-2], flags=p.FIRST_OF_CHAIN))
        self.assertEqual(host.receive(30), p.ack())
        host.send(p.print_record(b"IN" + bytes([p.END_OF_JOB]), flags=p.LAST_OF_CHAIN))
        self.assertEqual(host.receive(30), p.ack())
        # The refused record's job closed with nothing in it.
        self.assertEqual(self.spool.wait_jobs(3), [b"HELLO", b"", b"CHAIN"])
        # The printer runs out of paper: the host hears it, the record fails.
        self.set_status(PRINTER_STATUS_PAPER_OUT)
        host.send(p.print_record(p.blocks(b"LOST")))
        self.assertEqual(host.receive(30), p.status(0x00030250))
        self.assertEqual(host.receive(30), p.negative(0x08110200))
        self.wait_line(hwnd, "NoPaper")

    def test_startup_failures_show_the_hosts_message(self):
        for code, text in (("8902", "8902 Device not available."), ("X999", "X999 Unknown Error.")):
            with self.subTest(code=code):
                host, hwnd = self.printer()
                host.send(p.startup_response(code))
                self.wait_line(hwnd, text)
                self.stop_terminal(self.proc, hwnd)


if __name__ == "__main__":
    unittest.main()
