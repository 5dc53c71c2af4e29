"""The HP 700/92's printer commands and settings in the running program, from outside: a
scripted telnet host on 127.0.0.1 (every reply waits for its DC1), a Wine spooler
printer whose RAW jobs land in files, the "HP70092" profile section.
"""
import os
import time
import unittest

from vxtest.printers import SpooledPrinter

import test_hp700 as hp  # noqa: E402  (tests/program is the script's own directory)

ESC, CR, DC1 = hp.ESC, hp.CR, hp.DC1


class Hp700SettingsProgramTest(hp.WineTestCase):
    setting = hp.Hp700ProgramTest.setting

    def session(self, values=None):
        s = hp.Hp700Session(self, values)
        self.addCleanup(s.close)
        return s

    def test_printer_commands_reach_one_raw_job_each(self):
        spool = SpooledPrinter(self.wine, os.path.join(self.wine.prefix, "spool"))
        s = self.session()
        # The transparent write: the next five bytes are the job; "S" after DC1.
        s.host.send(ESC + b"&p5W" + b"ABCDE" + b"shown")
        self.assertEqual(spool.wait_jobs(1), [b"ABCDE"])
        s.ask(DC1, b"S" + CR)
        s.wait(lambda: s.rows()[0].startswith("shown"), "the bytes after the write on the screen")
        # Copy line: the cursor's line and CR LF.
        s.host.send(ESC + b"H" + ESC + b"J" + b"line one" + ESC + b"&pB")
        self.assertEqual(spool.wait_jobs(2)[1:], [b"line one\r\n"])
        s.ask(DC1, b"S" + CR)
        # Record Mode ends at the P character (EOT); what follows is shown again.
        s.host.send(ESC + b"&p4P" + ESC + b"&p20C" + b"rec1\r\nrec2\x04after")
        self.assertEqual(spool.wait_jobs(3)[2:], [b"rec1\r\nrec2"])
        s.wait(lambda: "after" in "".join(s.rows()), "the bytes after EOT on the screen")
        time.sleep(0.5)
        self.assertEqual(len(spool.jobs()), 3, "one job each")

    def test_without_a_printer_commands_answer_f(self):
        s = self.session()
        s.ask(ESC + b"&p5W" + DC1, b"F" + CR)
        s.ask(ESC + b"&pB" + DC1, b"F" + CR)
        s.host.send(b"ABCDE")
        s.wait(lambda: s.rows()[0].startswith("ABCDE"), "the bytes on the screen")


if __name__ == "__main__":
    unittest.main()
