"""Printing in the running program, checked where the output lands: the Wine spooler's
jobs (RAW bytes, or PostScript read back with Ghostscript's txtwrite), a file behind an
LPT port, lprng's lpd and a recording LPD daemon. The host is a scripted telnet host.
"""
import os
import time
import unittest

from vxtest import WineTestCase
from vxtest.lpd import LpdReceiver
from vxtest.lprdrive import use_printer_port
from vxtest.lprng import PrivateLpd
from vxtest.printers import (SpooledPrinter, add_port_printer, ghostscript_bbox, ghostscript_brightness,
                             ghostscript_text, holders_of, link_lpt)
from vxtest.printhost import CSI, PRINTING, PROFILE, PrintingTerminal, set_printing, set_values
from vxtest.serialpeer import XOFF, XON, SerialPeer

ESC = b"\x1b"
CONTROLLER_DATA = b"AB\r\nC" + ESC + b"[5i"
CMD_PRINT_SCREEN_BITMAP, CMD_PRINT_BUFFER, CMD_AUTO_PRINT = 1040, 1048, 1057
METHOD_GRAPHICS, IMAGE_LIST, IMAGE_SWAP = 1110, 1118, 1


def text_lines(postscript):
    # txtwrite writes the blanks between words as no-break spaces.
    text = ghostscript_text(postscript).replace("\xa0", " ")
    return [line.strip() for line in text.split("\n") if line.strip()]


class PrintingTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))

    def terminal(self):
        t = PrintingTerminal(self)
        self.addCleanup(t.close)
        return t

    def print_to_lpt2(self):
        """Direct port printing to LPT2, a file; returns the file's path."""
        out = os.path.join(self.wine.prefix, "lpt2.out")
        open(out, "wb").close()
        link_lpt(self.wine, 2, out)
        add_port_printer(self.wine, "vexaLPT2", "LPT2:")
        set_printing(self.wine, DirectToPort=1, Port="LPT2:")
        return out

    def controller_job(self, t, start=CSI + b"5i", end=CSI + b"4i"):
        t.send(start + CONTROLLER_DATA + end + b"shown")
        t.wait_screen("shown")
        self.assertFalse(any("AB" in row for row in t.screen()), "controller data stays off the screen")

    def test_controller_to_raw_spooler_port_and_lpr(self):
        t = self.terminal()
        self.controller_job(t)
        self.assertEqual(self.spool.wait_jobs(1), [CONTROLLER_DATA], "one RAW job of exactly the data")
        # VT52 mode: ESC W starts, ESC X ends.
        t.send(CSI + b"?2l" + ESC + b"W" + CONTROLLER_DATA + ESC + b"X" + b"vt52")
        t.wait_screen("vt52")
        self.assertEqual(self.spool.wait_jobs(2), [CONTROLLER_DATA] * 2)
        t.close()

        out = self.print_to_lpt2()
        t = self.terminal()
        self.controller_job(t)
        with open(out, "rb") as f:
            self.assertEqual(f.read(), CONTROLLER_DATA)
        t.close()

        # AutoLF: CR LF from the host reaches the port once, a lone CR as CR LF.
        out = self.print_to_lpt2()
        set_printing(self.wine, AutoLF=1)
        t = self.terminal()
        t.send(CSI + b"5iA\r\nB\rC" + CSI + b"4iauto")
        t.wait_screen("auto")
        with open(out, "rb") as f:
            self.assertEqual(f.read(), b"A\r\nB\r\nC")
        t.close()
        set_printing(self.wine, AutoLF=0)

        with PrivateLpd() as lpd:
            use_printer_port(self.wine, lpd.port)
            set_printing(self.wine, DirectToPort=0, ViaLPR=1, LPRPrint="127.0.0.1", LPRDevice="lp")
            t = self.terminal()
            self.controller_job(t)
            self.assertTrue(lpd.wait_printed(len(CONTROLLER_DATA), 30), open(lpd.log).read())
            self.assertEqual(lpd.printed(), CONTROLLER_DATA)
        self.assertEqual(len(self.spool.jobs()), 2, "nothing more reached the spooler")

    def test_controller_to_a_serial_printer(self):
        with SerialPeer(self.wine, "COM5") as line:
            self.wine.restart_server()
            set_printing(self.wine, DirectToPort=1, Port="COM5", comflowc=3)
            t = self.terminal()
            self.controller_job(t)
            self.assertEqual(line.expect(CONTROLLER_DATA, 20), CONTROLLER_DATA)
            # Auto print takes the line the cursor leaves: "shown" is erased first.
            t.send(CSI + b"2K\r" + CSI + b"?5ione\r\n" + CSI + b"?4i")
            self.assertEqual(line.expect(b"one\r\n", 20), CONTROLLER_DATA + b"one\r\n")
            # A printer that holds the line (XOFF) as the job ends gets all of it once it
            # lets go: the end of a print-out is not thrown away with the port.
            line.received = b""
            line.send(XOFF)
            time.sleep(0.5)
            held = b"".join(b"held %03d\r\n" % n for n in range(1, 40))
            t.send(CSI + b"5i" + held + CSI + b"4iafter the hold")
            t.wait_screen("after the hold")
            time.sleep(1.5)
            wine_end = os.path.realpath(line.device)
            self.assertNotEqual(holders_of(wine_end, self.wine.prefix), [], "the port waits for the printer")
            line.send(XON)
            self.assertEqual(line.expect(held, 30), held)
            t.wait(lambda: holders_of(wine_end, self.wine.prefix) == [], "the port closed once the rest was sent")
        self.assertEqual(self.spool.jobs(), [], "nothing went to the spooler")

    def test_print_screen_buffer_and_cursor_line_on_the_gdi_printer(self):
        # A vt320 keeps one page and a history (the factory vt420 has pages instead).
        set_values(self.wine, PROFILE + r"\VT300", termid=4)
        t = self.terminal()
        rows = [b"first row", b"  second, indented", b"", b"fourth after a blank"]
        t.send(CSI + b"H" + CSI + b"2J" + b"\r\n".join(rows))
        t.wait_screen("fourth")
        t.send(CSI + b"i")
        jobs = self.spool.wait_jobs(1)
        self.assertEqual(text_lines(jobs[0]), [r.decode().strip() for r in rows if r])

        # A hundred numbered lines: the buffer prints history, then screen, each once.
        t.send(CSI + b"H" + CSI + b"2J" + b"".join(b"line %03d\r\n" % n for n in range(1, 101)))
        t.wait_screen("line 100")
        t.command(CMD_PRINT_BUFFER)
        jobs = self.spool.wait_jobs(2)
        self.assertEqual([line for line in text_lines(jobs[1]) if line.startswith("line")],
                         ["line %03d" % n for n in range(1, 101)])

        # The cursor line alone.
        t.send(CSI + b"2J" + CSI + b"3;1Habove" + CSI + b"5;1Hcursor line" + CSI + b"7;1Hbelow" + CSI + b"5;3H")
        t.sync()
        t.send(CSI + b"?1i")
        jobs = self.spool.wait_jobs(3)
        self.assertEqual(text_lines(jobs[2]), ["cursor line"])

    def print_screen(self, t, method=None, button=1, image=None):
        """Command 1040 and its Print Screen dialog: the method's radio button when given,
        the picture's colours (an entry of the image list), then OK (1) or Cancel (2)."""
        t.command(CMD_PRINT_SCREEN_BITMAP)
        dialog = self.wine.probe.find_dialog("Print Screen", 20000)
        self.assertIsNotNone(dialog, "the menu's print screen asks for the method")
        if method:
            self.assertTrue(self.wine.probe.click(dialog, method))
        if image is not None:
            self.assertTrue(self.wine.probe.select(dialog, IMAGE_LIST, image))
        self.assertTrue(self.wine.probe.click(dialog, button))
        self.assertTrue(self.wine.probe.ask("wait-gone", dialog, 10000)["ok"])

    def test_print_screen_command_by_method_and_the_auto_print_command(self):
        t = self.terminal()
        t.send(CSI + b"H" + CSI + b"2J" + b"picture row")
        t.wait_screen("picture row")
        # Cancel prints nothing; the text method (the factory PrintMode) prints the
        # screen as text.
        self.print_screen(t, button=2)
        self.print_screen(t)
        jobs = self.spool.wait_jobs(1)
        self.assertEqual(text_lines(jobs[0]), ["picture row"])

        # The graphics method prints the window as one picture across the page.
        self.print_screen(t, method=METHOD_GRAPHICS)
        jobs = self.spool.wait_jobs(2)
        self.assertEqual(len(jobs), 2, "the cancelled print screen printed nothing")
        self.assertEqual(text_lines(jobs[1]), [], "a picture, not text")
        x0, y0, x1, y1 = ghostscript_bbox(jobs[1])
        self.assertGreater(x1 - x0, 400, "the picture is fitted to the page width")
        self.assertGreater(y1 - y0, 100)
        # "Swap Black/White" turns the picture's dark and light over; the method and the
        # colours chosen stay, and the DEC Print Screen key (1040 with 2 in the high
        # word) prints by them without asking.
        self.print_screen(t, image=IMAGE_SWAP)
        t.command(CMD_PRINT_SCREEN_BITMAP | (2 << 16))
        jobs = self.spool.wait_jobs(4)
        self.assertEqual(len(jobs), 4)
        self.assertEqual(text_lines(jobs[3]), [], "a picture, not text")
        normal, swapped, keyed = (255 - ghostscript_brightness(job) for job in jobs[1:4])
        self.assertGreater(abs(normal - swapped), 10, "swapped colours")
        self.assertLess(abs(keyed - swapped), 2, "the key prints the colours last chosen")

        # Auto print from the menu: on, two lines left by LF, off; one job.
        t.command(CMD_AUTO_PRINT)
        t.wait_printer_field("Auto Print")
        t.send(CSI + b"2K\rfirst\r\nsecond\r\n")
        t.sync()
        t.command(CMD_AUTO_PRINT)
        t.wait_printer_field("Ready")
        jobs = self.spool.wait_jobs(5)
        self.assertEqual(jobs[4:], [b"first\r\nsecond\r\n"])

    def test_print_screen_via_lpr_ends_lines_with_cr_lf_and_decpff_adds_a_form_feed(self):
        with LpdReceiver() as lpd:
            use_printer_port(self.wine, lpd.port)
            # The graphics method too prints text to a network printer.
            set_printing(self.wine, ViaLPR=1, LPRPrint="127.0.0.1", LPRDevice="lp", PrintMode=1110)
            t = self.terminal()
            t.send(CSI + b"H" + CSI + b"2Jone" + CSI + b"2;1Htwo")
            t.sync()
            t.send(CSI + b"i")
            lpd.wait_jobs(1, 30)
            t.send(CSI + b"?18h" + CSI + b"i")
            lpd.wait_jobs(2, 30)
            t.command(CMD_PRINT_SCREEN_BITMAP)
            lpd.wait_jobs(3, 30)
            jobs = lpd.jobs()
            self.assertEqual(len(jobs), 3)
            screen = b"one\r\ntwo\r\n" + b"\r\n" * 22
            self.assertEqual(jobs[0].data, screen)
            self.assertEqual(jobs[1].data, screen + b"\x0c")
            self.assertEqual(jobs[2].data, screen + b"\x0c")

    def auto_print(self, t):
        t.send(CSI + b"?5i" + b"one\r\ntwo\r\nthree\r\n" + CSI + b"?4i" + b"done")
        t.wait_screen("done")

    def test_auto_print_to_raw_port_and_lpr(self):
        t = self.terminal()
        self.auto_print(t)
        self.assertEqual(self.spool.wait_jobs(1), [b"one\r\ntwo\r\nthree\r\n"])
        t.close()

        out = self.print_to_lpt2()
        t = self.terminal()
        self.auto_print(t)
        with open(out, "rb") as f:
            self.assertEqual(f.read(), b"one\r\ntwo\r\nthree\r\n")
        t.close()

        with LpdReceiver() as lpd:
            use_printer_port(self.wine, lpd.port)
            set_printing(self.wine, DirectToPort=0, ViaLPR=1, LPRPrint="127.0.0.1", LPRDevice="lp")
            t = self.terminal()
            self.auto_print(t)
            lpd.wait_jobs(1, 30)
            self.assertEqual([j.data for j in lpd.jobs()], [b"one\r\ntwo\r\nthree\r\n"])

    def test_close_delay_joins_bursts_into_one_job(self):
        set_printing(self.wine, iPrintDelay=10)
        t = self.terminal()
        t.send(CSI + b"?5i" + b"burst one\r\n" + CSI + b"?4i")
        t.sync()
        time.sleep(5)
        self.assertEqual(self.spool.jobs(), [], "the job waits for its close delay")
        t.send(CSI + b"?5i" + b"burst two\r\n" + CSI + b"?4i")
        t.sync()
        self.spool.wait_jobs(1, 40)
        time.sleep(2)
        self.assertEqual(self.spool.jobs(), [b"burst one\r\nburst two\r\n"])

    def test_lpr_request_numbers_wrap_and_are_stored(self):
        with LpdReceiver() as lpd:
            use_printer_port(self.wine, lpd.port)
            set_printing(self.wine, ViaLPR=1, LPRPrint="127.0.0.1", LPRDevice="lp", LPRReqNum=999)
            t = self.terminal()
            self.controller_job(t)
            self.assertTrue(lpd.wait_jobs(1, 30))
            jobs = lpd.jobs()
            self.assertEqual(jobs[0].data, CONTROLLER_DATA)
            self.assertRegex(jobs[0].control_name, r"^cfA001")
            values = self.wine.reg_values(PRINTING)
            self.assertEqual(int(values["LPRReqNum"][1], 0), 1)


if __name__ == "__main__":
    unittest.main()
