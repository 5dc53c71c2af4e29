"""lprspool.DLL under Wine, called as the terminal calls it, against a recording LPR
daemon written from RFC 1179 (tools/vxtest/lpd.py)."""
import random
import socket
import time
import unittest

from vxtest import WineTestCase
from vxtest.lpd import LpdReceiver
from vxtest.lprdrive import LprDriver, use_printer_port

ABORTED = "LPR: Remote host has aborted connection "


def local_host():
    # Wine's gethostname is the Unix host name; the module cuts it at the first ".".
    return socket.gethostname().split(".")[0][:64]


class LprTestCase(WineTestCase):
    def start(self, faults=()):
        self.rx = LpdReceiver(faults)
        self.addCleanup(self.rx.close)
        use_printer_port(self.wine, self.rx.port)
        self.drv = LprDriver(self.wine)
        self.addCleanup(self.drv.close)
        return self.rx, self.drv

    def assertJob(self, conn, data, number, banner=False, user="alice", job="job", queue="lp"):
        host = local_host()
        name = "dfA%03d%s" % (number, host)
        self.assertTrue(conn.complete, conn.summary())
        self.assertEqual(conn.command, b"\x02" + queue.encode() + b"\n")
        if banner:
            control = "H%s\nP%s\nJ%s\nC\nL%s\nl%s\nNWindows Print\nU%s\n" % (host, user, job, user, name, name)
        else:
            control = "H%s\nP%s\nl%s\nNWindows Print\nU%s\n" % (host, user, name, name)
        control = control.encode()
        self.assertEqual(conn.subcommands, [b"\x02%d c%s\n" % (len(control), name[1:].encode()),
                                            b"\x03%d %s\n" % (len(data), name.encode())])
        self.assertEqual(conn.control_file, control)
        self.assertEqual(conn.data_name, name)
        self.assertTrue(conn.data == data, "data differs (%d bytes sent, %d received)" % (len(data), len(conn.data)))
        self.assertEqual(conn.acks, b"\x00" * 5)


class JobTransfer(LprTestCase):
    def test_jobs_arrive_byte_for_byte_with_banner_off_and_on_and_counting_numbers(self):
        rx, drv = self.start()
        data = bytes(random.Random(1).randrange(256) for _ in range(2920))
        drv.job(data)
        drv.job(data, banner=1, job="Monthly report", user="")
        drv.job(b"", number=42)
        self.assertTrue(rx.wait_jobs(3, 20), [c.summary() for c in rx.connections])
        first, second, third = rx.jobs()
        self.assertJob(first, data, 1)
        self.assertJob(second, data, 2, banner=True, job="Monthly report", user="root")
        self.assertJob(third, b"", 42)

    def test_refused_job_is_tried_retries_plus_one_times_and_a_later_job_still_goes(self):
        rx, drv = self.start(["refuse"] * 3)
        drv.job(b"first", retries=2, delay=500)
        self.assertTrue(rx.wait_connections(3, 20))
        time.sleep(2.5)  # a fourth try would have come by now
        conns = list(rx.connections)
        self.assertEqual(len(conns), 3)
        self.assertEqual([c.acks for c in conns], [b"\x01"] * 3)
        gaps = [b.opened - a.opened for a, b in zip(conns, conns[1:])]
        self.assertTrue(all(g >= 0.5 for g in gaps), gaps)

        drv.job(b"second", retries=2, delay=500)
        self.assertTrue(rx.wait_jobs(1, 20))
        self.assertEqual(len(rx.connections), 4)
        self.assertJob(rx.jobs()[0], b"second", 2)

    def test_connection_closed_mid_file_is_retried_whole(self):
        rx, drv = self.start(["close-mid-file"])
        data = random.Random(2).randbytes(300000)
        drv.job(data, retries=1)
        self.assertTrue(rx.wait_jobs(1, 30), [c.summary() for c in rx.connections])
        self.assertEqual(len(rx.connections), 2)
        self.assertJob(rx.jobs()[0], data, 1)

    def test_requests_are_checked_and_cut_before_anything_is_sent(self):
        rx, drv = self.start()
        # Six open requests take indexes 0 to 5; the table grows past its first five.
        indexes = [drv.open(number=100 + i) for i in range(6)]
        self.assertEqual(indexes, [0, 1, 2, 3, 4, 5])
        self.assertEqual(drv.result("addraw", 5, -1, "buffer"), 0)   # negative length refused
        self.assertEqual(drv.result("addraw", 5, 4, "null"), 0)      # no bytes to copy
        self.assertEqual(drv.result("addraw", 5, 0, "null"), 1)      # nothing to copy is fine
        self.assertEqual(drv.add(5, b"still open"), 1)
        self.assertEqual(drv.result("addraw", 99, 1, "buffer"), 0)   # no such request
        self.assertEqual(drv.result("close", 99), 0)
        self.assertEqual(drv.result("close", -1), 0)
        self.assertEqual(drv.result("close", 5), 1)
        self.assertEqual(drv.result("close", 5), 0)                  # no longer open
        self.assertEqual(drv.add(5, b"late"), 0)
        for i in range(5):
            self.assertEqual(drv.result("close", i), 1)

        # Texts that would break the protocol are refused; over-long ones are cut.
        for bad in (dict(user="al\\nice"), dict(job="x\\u010Ay"), dict(queue="my queue"), dict(queue="")):
            self.assertEqual(drv.open(**bad), -1, bad)
        long_queue, long_user = "q" * 20, "u" * 40
        drv.job(b"cut", queue=long_queue, user=long_user, job="j" * 150, banner=1, number=7)
        self.assertTrue(rx.wait_jobs(7, 20), [c.summary() for c in rx.connections])
        cut = [c for c in rx.jobs() if c.data == b"cut"][0]
        self.assertJob(cut, b"cut", 7, banner=True, queue="q" * 16, user="u" * 31, job="j" * 99)
        self.assertEqual([c.data_name[3:6] for c in rx.jobs()[:6]], ["105", "100", "101", "102", "103", "104"])

    def pump_until_line(self, drv, last, timeout=10):
        deadline = time.time() + timeout
        while time.time() < deadline:
            drv.result("pump", 200)
            lines = drv.ask("lines")["lines"]
            if lines and lines[-1] == last:
                break
        return lines

    def test_debug_window_lists_progress_and_why_a_request_was_removed(self):
        rx, drv = self.start(["refuse-text"])
        self.assertEqual(drv.ask("version")["text"], "1.6.1")
        self.assertEqual(drv.result("init", "self"), 1)
        hwnd = drv.ask("debug")["hwnd"]
        self.assertNotEqual(hwnd, 0)
        self.assertEqual(drv.ask("debug")["hwnd"], hwnd)  # one window, not a second
        w = drv.ask("window")
        self.assertEqual((w["exists"], w["visible"], w["title"]), (1, 1, "LPR-Debug Output"))
        centre = lambda r: ((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)
        for got, want in zip(centre(w["rect"]), centre(w["owner"])):
            self.assertLessEqual(abs(got - want), 1, w)

        index = drv.job(b"x", debug=1)
        lines = self.pump_until_line(drv, "Request Removed")
        self.assertEqual(lines, ["Start request %d to machine 127.0.0.1" % index,
                                 lines[1],
                                 "%d - Set up control file ready for transmission" % index,
                                 "%d Transmit request to send a print" % index,
                                 ABORTED + "no such queue\n",
                                 "Request Removed"])
        self.assertRegex(lines[1], r"^%d - Socket created \d+\.$" % index)

        # Hidden and cleared, the window shows itself again for the next line.
        drv.result("command", 1003)
        drv.result("command", 1002)
        drv.result("pump", 200)
        self.assertEqual(drv.ask("window")["visible"], 0)
        self.assertEqual(drv.ask("lines")["lines"], [])
        index = drv.job(b"y", debug=1)
        lines = self.pump_until_line(drv, "%d - Print Finished" % index)
        self.assertEqual(lines[0], "Start request %d to machine 127.0.0.1" % index)
        self.assertEqual(drv.ask("window")["visible"], 1)

        # Cancel destroys it; lines meant for it are dropped and a new one can be made.
        drv.result("command", 2)
        drv.result("pump", 200)
        self.assertEqual(drv.ask("window")["exists"], 0)
        drv.job(b"z", debug=1)
        self.assertTrue(rx.wait_jobs(2, 20))
        drv.result("pump", 300)
        self.assertNotEqual(drv.ask("debug")["hwnd"], 0)
        self.assertEqual(drv.ask("window")["exists"], 1)

        # A live window keeps the module loaded: its procedure must outlive an unload.
        self.assertEqual(drv.result("free"), 1)
        self.assertEqual(drv.result("loaded"), 1)
        drv.result("command", 1002)
        drv.result("pump", 300)
        self.assertEqual(drv.ask("window")["exists"], 1)


class Lifetime(LprTestCase):
    def test_process_exits_promptly_with_jobs_pending(self):
        for unload_first in (False, True):
            rx, drv = self.start(["silent"] * 4)
            drv.job(b"never acknowledged", retries=3)
            drv.job(b"queued behind it")
            self.assertTrue(rx.wait(lambda cs: len(cs) >= 1, 20))
            if unload_first:  # the terminal frees the module at shut-down
                self.assertEqual(drv.result("free"), 1)
            started = time.time()
            drv.ask("exit")
            self.assertEqual(self.wait_exit(drv.process, 10), 0)
            self.assertLess(time.time() - started, 5.0)

    def test_an_idle_module_unloads_and_loads_again_with_a_fresh_table(self):
        rx, drv = self.start()
        self.assertEqual([drv.open(), drv.open()], [0, 1])
        self.assertEqual(drv.result("free"), 1)
        self.assertEqual(drv.result("loaded"), 0)
        self.assertTrue(drv.ask("load", drv.dll_path)["ok"])
        index = drv.open()
        self.assertEqual(index, 0)
        drv.add(index, b"after reload")
        drv.result("close", index)
        self.assertTrue(rx.wait_jobs(1, 20))
        self.assertJob(rx.jobs()[0], b"after reload", 1)

    def test_unloading_while_jobs_are_queued_neither_crashes_nor_drops_them(self):
        rx, drv = self.start(["refuse"])
        drv.job(b"retried after the unload", retries=1, delay=1500)
        self.assertTrue(rx.wait_connections(1, 20))
        self.assertEqual(drv.result("free"), 1)
        self.assertEqual(drv.result("loaded"), 1)  # the sender still holds it
        self.assertTrue(rx.wait_jobs(1, 20))
        deadline = time.time() + 10
        while drv.result("loaded") and time.time() < deadline:
            time.sleep(0.2)
        self.assertEqual(drv.result("loaded"), 0)
        self.assertJob(rx.jobs()[0], b"retried after the unload", 1)
        drv.ask("exit")
        self.assertEqual(self.wait_exit(drv.process, 10), 0)


class Volume(LprTestCase):
    def test_two_hundred_jobs_of_random_sizes_arrive_complete_and_in_order(self):
        rx, drv = self.start()
        rng = random.Random(200)
        sizes = [0, 1 << 20, 1460, 2920] + [rng.randrange((1 << 20) + 1) for _ in range(196)]
        sent = []
        for n, size in enumerate(sizes, 1):
            data = rng.randbytes(size)
            drv.job(data, number=n)
            sent.append(data)
        self.assertTrue(rx.wait_jobs(200, 300), "%d of 200 jobs arrived" % len(rx.jobs()))
        jobs = rx.jobs()
        self.assertEqual(len(rx.connections), 200)
        self.assertEqual([c.data_name[3:6] for c in jobs], ["%03d" % n for n in range(1, 201)])
        for n, (conn, data) in enumerate(zip(jobs, sent), 1):
            self.assertTrue(conn.data == data, "job %d: %d bytes sent, %d received" % (n, len(data), len(conn.data)))


class SilentDaemon(LprTestCase):
    def test_no_acknowledgement_within_15_seconds_is_retried(self):
        rx, drv = self.start(["silent"])
        drv.job(b"patience", retries=1)
        self.assertTrue(rx.wait_jobs(1, 40), [c.summary() for c in rx.connections])
        first, second = rx.connections
        self.assertEqual(first.acks, b"")
        gap = second.opened - first.opened
        self.assertTrue(14.5 <= gap <= 18.0, gap)
        self.assertJob(second, b"patience", 1)


if __name__ == "__main__":
    unittest.main()
