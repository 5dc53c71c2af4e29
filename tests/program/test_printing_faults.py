"""Printing when things go wrong, in the running program: no printer at all, a port
that refuses every byte (LPT3 linked to /dev/full), a printer the spooler reports
paused or not available (through the VXNT_TEST_PRINTER_STATUS seam), the abort dialog's
Cancel, and an LPR client module that is missing or lacks an export.
"""
import os
import shutil
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.lpd import LpdReceiver
from vxtest.lprdrive import use_printer_port
from vxtest.printers import SpooledPrinter, add_port_printer, holders_of, link_lpt
from vxtest.printhost import CSI, PrintingTerminal, set_printing

CMD_CANCEL_PRINT, CMD_PRINT_BUFFER, CMD_EJECT_PAGE = 1041, 1048, 1072
WM_NULL, WM_CHAR = 0x0000, 0x0102
PRINTER_STATUS_PAUSED, PRINTER_STATUS_NOT_AVAILABLE = 0x1, 0x1000


class PrintingFaultsTest(WineTestCase):
    def terminal(self, **kw):
        t = PrintingTerminal(self, **kw)
        self.addCleanup(t.close)
        return t

    def test_without_a_printer_media_copy_does_nothing(self):
        t = self.terminal()
        t.wait_printer_field("None")
        t.send(CSI + b"5ivisible" + CSI + b"4i" + CSI + b"?5i\r\n" + CSI + b"?4i")
        t.wait_screen("visible")
        self.assertIn("None", t.status()["printer"])

    def test_blocked_port_in_controller_mode_and_eject_page(self):
        link_lpt(self.wine, 3, "/dev/full")
        add_port_printer(self.wine, "vexaLPT3", "LPT3:")
        set_printing(self.wine, DirectToPort=1, Port="LPT3:")
        t = self.terminal()
        t.send(CSI + b"5iblocked data")
        t.wait_printer_field("ErrGen")
        self.assertNotEqual(holders_of("/dev/full", self.wine.prefix), [], "the port is open while it blocks")
        self.assertTrue(self.wine.probe.send(t.hwnd, WM_NULL)["ok"], "the window answers")
        t.command(CMD_CANCEL_PRINT)
        t.wait_printer_field("Ready", timeout=10)
        t.send(b"\r\nhost text again")
        t.wait_screen("host text again")
        self.wine.probe.post(t.hwnd, WM_CHAR, ord("k"), 1)
        t.host.wait_for(lambda data: b"k" in data, 20, "the typed key")
        self.assertEqual(holders_of("/dev/full", self.wine.prefix), [], "Cancel Printing closed the port")

        t.command(CMD_EJECT_PAGE)
        box = None
        deadline = time.time() + 60
        while box is None and time.time() < deadline:
            for d in self.wine.probe.dialogs():
                if any("Printer Status = 112 (ErrGen)" in text for text in d.get("texts", [])):
                    box = d
            time.sleep(0.2)
        self.assertIsNotNone(box, "Eject Page asks after its retries")
        self.assertNotEqual(holders_of("/dev/full", self.wine.prefix), [])
        self.assertTrue(self.wine.probe.press("Abort", 5000))
        t.wait(lambda: holders_of("/dev/full", self.wine.prefix) == [], "the port closed after Abort")
        t.wait(lambda: t.status().get("enabled") == "1", "the window enabled")

    def test_abort_dialog_and_spooler_status(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        status = os.path.join(self.wine.prefix, "printer-status")
        with open(status, "w") as f:
            f.write("0")
        self.wine.env["VXNT_TEST_PRINTER_STATUS"] = self.wine.windows_path(status)
        t = self.terminal()
        t.send(b"".join(b"buffer line %03d\r\n" % n for n in range(1, 501)))
        t.wait_screen("buffer line 500")

        def set_status(word):
            with open(status + ".new", "w") as f:
                f.write(str(word))
            os.replace(status + ".new", status)

        set_status(PRINTER_STATUS_PAUSED)
        t.command(CMD_PRINT_BUFFER)
        dialog = None
        deadline = time.time() + 30
        while dialog is None and time.time() < deadline:
            dialog = next((d for d in self.wine.probe.dialogs() if "Print" in d.get("title", "")), None)
            time.sleep(0.1)
        self.assertIsNotNone(dialog, "the abort dialog shows")
        texts = dialog.get("texts", [])
        for expected in ("Print screen (text)", "to vexaPS", "via LPT1:"):
            self.assertIn(expected, texts)
        t.wait_printer_field("OffLine")
        self.assertEqual(t.status().get("enabled"), "0", "the main window waits for the job")
        set_status(PRINTER_STATUS_NOT_AVAILABLE)
        t.wait_printer_field("Wait")
        self.assertTrue(self.wine.probe.press("Cancel", 5000))
        t.wait(lambda: t.status().get("enabled") == "1", "the window enabled again")
        t.wait_printer_field("Ready")
        set_status(0)
        time.sleep(1)
        self.assertFalse(any(b"buffer line 500" in job for job in spool.jobs()), "the run stopped")

        # A printer that is not ready holds a long raw line, then prints it whole.
        set_status(PRINTER_STATUS_PAUSED)
        line = bytes(b"0123456789"[n % 10] for n in range(1000))
        t.send(CSI + b"5i" + line + CSI + b"4iafter")
        t.wait_printer_field("OffLine")
        set_status(0)
        t.wait_screen("after")
        t.wait(lambda: line in spool.jobs(), "the raw job")
        self.assertEqual(spool.jobs()[-1], line, "the held line printed whole, once")

    def lpr_terminal(self, directory):
        """The terminal run from `directory`, printing to a recording daemon over LPR."""
        for name in ("vexaNT.exe", "VXNTENG.DLL"):
            shutil.copy(vxtest.build_path("terminal", name), directory)
        return self.terminal(exe=os.path.join(directory, "vexaNT.exe"), cwd=directory)

    def test_missing_or_incomplete_lpr_module_prints_nothing(self):
        with LpdReceiver() as lpd:
            use_printer_port(self.wine, lpd.port)
            set_printing(self.wine, ViaLPR=1, LPRPrint="127.0.0.1", LPRDevice="lp")
            alone = tempfile.mkdtemp(prefix="vxnolpr")
            self.addCleanup(shutil.rmtree, alone, True)
            t = self.lpr_terminal(alone)
            t.send(CSI + b"5ino module" + CSI + b"4i\r\n" + CSI + b"?5iline\r\n" + CSI + b"?4igoes on")
            t.wait_screen("goes on")
            t.close()

            partial = tempfile.mkdtemp(prefix="vxpartlpr")
            self.addCleanup(shutil.rmtree, partial, True)
            shutil.copy(vxtest.build_path("tests", "program", "lprspool_partial", "lprspool.DLL"), partial)
            t = self.lpr_terminal(partial)
            t.send(CSI + b"5iexport missing" + CSI + b"4i\r\ngoes on")
            t.wait_screen("goes on")
            t.close()
            self.assertFalse(os.path.exists(os.path.join(partial, "lprspool_partial_used")))
            time.sleep(1)
            self.assertEqual(lpd.connections, [], "no job reached the daemon")


if __name__ == "__main__":
    unittest.main()
