"""The 3287 printer in the running program: a scripted TN3270E host binds an LU type 1
or 3 printer and sends SCS or 3270 data-stream records; the print jobs land in the Wine
spooler's files (a RAW printer), the answers come back to the host, and the status
window "IBM3287" is read with winprobe. The same records sent to Debian's pr3287 give the
reference output."""
import os
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest.ibmhost import PROFILE, IbmHostCase
from vxtest.printers import SpooledPrinter

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
from telnethost import scs  # noqa: E402
from telnethost import tn3270 as t  # noqa: E402
from telnethost.tn3270host import Tn3270Host, wait_for  # noqa: E402

FUNCTIONS = [t.FN_BIND_IMAGE, t.FN_DATA_STREAM_CTL, t.FN_RESPONSES, t.FN_SCS_CTL_CODES]
PRINTER_MODEL = 12
LABEL, LOG = 1092, 1093

# The SCS job both printers get: text, NL, CR, HT, VT, FF, overprint, the formats,
# transparent data and a line longer than the maximum print position.
SCS_RECORDS = [
    scs.shf(132, 1, 132, [10, 20]) + scs.svf(66, 1, 66, [4, 8]) + scs.sld() + scs.text("LINE ONE") +
    scs.control(scs.NL) + scs.text("A") + scs.control(scs.HT) + scs.text("B") + scs.control(scs.HT) +
    scs.text("C") + scs.control(scs.NL),
    scs.text("X" * 140) + scs.control(scs.NL),
    scs.text("OVER") + scs.control(scs.BS) + scs.text("_") + scs.control(scs.NL) + scs.text("RETURN") +
    scs.control(scs.CR) + scs.control(scs.NL),
    scs.text("BEFORE VT") + scs.control(scs.VT) + scs.text("AT THE TAB LINE") + scs.control(scs.NL),
    scs.trn(b"\x1bE") + scs.text("AFTER TRN") + scs.control(scs.NL, scs.FF) + scs.text("PAGE TWO") +
    scs.control(scs.NL),
]

# LU 3 buffers with start print at each line length, and NL, EM, FF and CR in them.
LU3_WRITES = [
    t.write(t.ERASE_WRITE, t.wcc(print_start=True, line_length=0), t.ebcdic("UNFORMATTED"), bytes([0x15]),
            t.ebcdic("NEXT"), bytes([0x0D]), t.ebcdic("CR"), bytes([0x15, 0x0C]), t.ebcdic("FF"), bytes([0x19]),
            t.ebcdic("AFTER EM")),
    t.write(t.ERASE_WRITE, t.wcc(print_start=True, line_length=1), t.ebcdic("FORTY"), t.sba(40),
            t.ebcdic("SECOND LINE"), bytes([0x15]), t.ebcdic("NL AS BLANK")),
    t.write(t.ERASE_WRITE, t.wcc(print_start=True, line_length=2), t.ebcdic("SIXTY-FOUR"), t.sba(128),
            t.ebcdic("THIRD")),
    t.write(t.ERASE_WRITE, t.wcc(print_start=True, line_length=3), t.ebcdic("EIGHTY"), t.sba(80), t.ebcdic("TWO")),
]


# Where the two printers differ on purpose (the written list):
# - EM in an unformatted buffer ends the print here; pr3287 only flushes there and goes on
#   with the rest of the buffer.
LU3_DIFFERENCES = {"AFTER EM"}


def pages(output):
    """Printed bytes as pages of lines: line ends and trailing blanks aside."""
    text = output.decode("latin-1").replace("\r\n", "\n")
    out = []
    for page in text.split("\x0c"):
        lines = [line.rstrip("\r").rstrip(" ") for line in page.split("\n")]
        while lines and not lines[-1]:
            lines.pop()
        out.append(lines)
    while out and not out[-1]:
        out.pop()
    return out


def overprinted(line):
    """A line written with CR overprints: what shows last at each column."""
    cells = []
    for part in line.split("\r"):
        for i, c in enumerate(part):
            if i >= len(cells):
                cells.append(c)
            elif c != " ":
                cells[i] = c
    return "".join(cells).rstrip(" ")


class Printer3287Case(IbmHostCase):
    def setUp(self):
        super().setUp()
        self.spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        for name in ("Telnet3270e", "Telnet3270eBind", "Telnet3270ePrtLu1", "Telnet3270ePrtLu3",
                     "Telnet3270eResponses"):
            self.setting("Telnet", name, 1)

    def printer_on(self, host, **ibm3270):
        return self.start_on(host, 6, "IBM3270", dict(IBM_mode=PRINTER_MODEL, **ibm3270))

    def exchange(self, host, records, data_type):
        """Each record with the response flag 2; the answers in order."""
        answers = []
        for n, data in enumerate(records, start=10):
            host.send(t.tn3270e(data_type, data, response=t.ALWAYS_RESPONSE, sequence=n))
            answers.append(host.receive(30).hex(" "))
        return answers

    def bind(self, host, lu, size_code=0):
        host.send(t.tn3270e(t.BIND_IMAGE, t.bind_image(lu_type=lu, size_code=size_code), response=t.ALWAYS_RESPONSE,
                            sequence=1))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 01 00")

    def end_of_job(self, host):
        host.send(t.tn3270e(t.PRINT_EOJ, response=t.ALWAYS_RESPONSE, sequence=99))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 63 00")

    def vexant_job(self, lu, records, data_type, size_code=0, **ibm3270):
        host = Tn3270Host(functions=FUNCTIONS)
        self.addCleanup(host.close)
        self.printer_on(host, **ibm3270)
        self.bind(host, lu, size_code)
        answers = self.exchange(host, records, data_type)
        self.end_of_job(host)
        jobs = self.spool.wait_jobs(1)
        self.assertEqual(len(jobs), 1, "one job")
        return answers, jobs[0]

    def pr3287_job(self, lu, records, data_type, size_code=0):
        if not shutil.which("pr3287"):
            self.skipTest("pr3287 is not installed")
        host = Tn3270Host(functions=FUNCTIONS)
        self.addCleanup(host.close)
        out = os.path.join(self.dir, "pr3287.out")
        peer = subprocess.Popen(["pr3287", "-ffthru", "-crthru", "-command", "cat >> '%s'" % out,
                                 "127.0.0.1:%d" % host.port], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(peer.kill)
        host.wait_ready(30)
        self.bind(host, lu, size_code)
        answers = self.exchange(host, records, data_type)
        self.end_of_job(host)
        self.assertTrue(wait_for(lambda: os.path.exists(out) and os.path.getsize(out) > 0, 20))
        time.sleep(0.5)
        with open(out, "rb") as f:
            return answers, f.read()

    def window(self, hwnd):
        """The status window's label and log."""
        children = self.wine.probe.children(hwnd)
        dialogs = [c for c in children if c["class"] == "#32770"]
        self.assertTrue(dialogs, "a status window inside the main window")
        dialog = dialogs[0]["hwnd"]
        title = self.wine.probe.ask("text", dialog)["text"]
        label = self.wine.probe.ask("ctl", dialog, LABEL)["text"]
        log = self.wine.probe.ask("ctl", dialog, LOG)["text"]
        return title, label, log


class Printer3287Test(Printer3287Case):
    def test_scs_job_prints_as_pr3287_prints_it(self):
        theirs_answers, theirs = self.pr3287_job(1, SCS_RECORDS, t.SCS_DATA)
        ours_answers, ours = self.vexant_job(1, SCS_RECORDS, t.SCS_DATA)
        self.assertEqual(ours_answers, theirs_answers)
        ours_pages = [[overprinted(line) for line in page] for page in pages(ours)]
        theirs_pages = [[overprinted(line) for line in page] for page in pages(theirs)]
        self.assertEqual(len(ours_pages), len(theirs_pages), (ours, theirs))
        for ours_page, theirs_page in zip(ours_pages, theirs_pages):
            self.assertEqual(ours_page, theirs_page, (ours, theirs))

    def test_lu3_buffers_print_as_pr3287_prints_them(self):
        theirs_answers, theirs = self.pr3287_job(3, LU3_WRITES, t.DATA_3270, size_code=2)
        ours_answers, ours = self.vexant_job(3, LU3_WRITES, t.DATA_3270, size_code=2)
        self.assertEqual(ours_answers, theirs_answers)
        ours_lines = [line for page in pages(ours) for line in page if line]
        theirs_lines = [line for page in pages(theirs) for line in page if line and line not in LU3_DIFFERENCES]
        self.assertEqual(ours_lines, theirs_lines, (ours, theirs))

    def binary_setting(self, name, text):
        """A bypass sequence: UTF-16 units without a terminator."""
        self.assertEqual(self.wine.reg("add", PROFILE + "\\IBM3270", "/v", name, "/t", "REG_BINARY", "/d",
                                       text.encode("utf-16-le").hex(), "/f")[0], 0)

    def test_bypass_sends_the_printers_own_bytes(self):
        self.binary_setting("IBM_PrintBypassSeq", "&&")
        self.binary_setting("IBM_PrintBypassEnd", "ANY NON HEX")
        write = t.write(t.ERASE_WRITE, t.wcc(print_start=True), bytes.fromhex("C1 C2 50 50 F1 C2 F4 F5 E7"))
        answers, job = self.vexant_job(3, [write], t.DATA_3270, size_code=2)
        self.assertEqual(answers, ["02 00 00 00 0a 00"])
        self.assertEqual(job, bytes.fromhex("41 42 1B 45 58"))

    def test_window_answers_and_no_printer(self):
        host = Tn3270Host(functions=FUNCTIONS)
        self.addCleanup(host.close)
        proc, hwnd = self.printer_on(host)
        self.bind(host, 1)
        self.assertEqual(self.exchange(host, [scs.text("HELLO"), scs.sld(10)], t.SCS_DATA),
                         ["02 00 00 00 0a 00", "02 00 01 00 0b 02"])
        title, label, log = self.window(hwnd)
        self.assertEqual(title, "IBM3287")
        self.assertEqual(label, "IBM3287 Printer :")
        self.assertIn("Connected", log)
        self.assertIn("Printing", log)
        host.send(t.tn3270e(t.NVT_DATA, b"PAPER OUT\r\n"))
        self.assertTrue(wait_for(lambda: self.window(hwnd)[2].endswith("Error - PAPER OUT"), 20),
                        self.window(hwnd)[2])
        self.end_of_job(host)
        self.assertEqual(len(self.spool.wait_jobs(1)), 1)


class NoPrinter3287Test(IbmHostCase):
    """A prefix without a printer: the host hears that the operator must act."""

    def test_no_printer_asks_for_intervention(self):
        for name in ("Telnet3270e", "Telnet3270eBind", "Telnet3270ePrtLu1", "Telnet3270eResponses"):
            self.setting("Telnet", name, 1)
        host = Tn3270Host(functions=[t.FN_BIND_IMAGE, t.FN_RESPONSES, t.FN_SCS_CTL_CODES])
        self.addCleanup(host.close)
        proc, hwnd = self.start_on(host, 6, "IBM3270", dict(IBM_mode=PRINTER_MODEL))
        host.send(t.tn3270e(t.BIND_IMAGE, t.bind_image(lu_type=1, size_code=0), response=t.ALWAYS_RESPONSE,
                            sequence=1))
        self.assertEqual(host.receive(30).hex(" "), "02 00 00 00 01 00")
        host.send(t.tn3270e(t.SCS_DATA, scs.text("LOST"), response=t.ALWAYS_RESPONSE, sequence=2))
        self.assertEqual(host.receive(60).hex(" "), "02 00 01 00 02 01")
        children = self.wine.probe.children(hwnd)
        dialog = [c for c in children if c["class"] == "#32770"][0]["hwnd"]
        self.assertIn("No Printer", self.wine.probe.ask("ctl", dialog, LOG)["text"])


if __name__ == "__main__":
    unittest.main()
