"""lprspool.DLL under Wine delivers jobs to a real line printer daemon: lprng's lpd on a
loopback port, whose queue "lp" prints into a file."""
import random
import unittest

from vxtest import WineTestCase
from vxtest.lprdrive import LprDriver, use_printer_port
from vxtest.lprng import PrivateLpd


class LprngTest(WineTestCase):
    def test_lpd_prints_exactly_the_data_with_banner_off_and_on(self):
        lpd = PrivateLpd()
        self.addCleanup(lpd.close)
        use_printer_port(self.wine, lpd.port)
        drv = LprDriver(self.wine)
        self.addCleanup(drv.close)
        rng = random.Random(1179)
        first, second = rng.randbytes(2920), rng.randbytes(70000)
        drv.job(first)
        self.assertTrue(lpd.wait_printed(len(first), 30), open(lpd.log).read())
        self.assertEqual(lpd.printed(), first)
        drv.job(second, banner=1, job="Monthly report", user="")
        self.assertTrue(lpd.wait_printed(len(first) + len(second), 30), open(lpd.log).read())
        self.assertEqual(lpd.printed(), first + second)


if __name__ == "__main__":
    unittest.main()
