"""The host-data thread in the running program: it idles without using the processor,
typed characters travel through it to the host, and closing the window ends the
process quickly even while host bytes keep arriving.

The host is the program's test byte source: VXNT_TEST_HOST names a file the program
reads as host data (following it as it grows), VXNT_TEST_SINK the file it sends to.
"""
import os
import tempfile
import threading
import time
import unittest

from vxtest import WineTestCase

WM_CHAR = 0x0102


def cpu_seconds(pid):
    """User and system time of a process and its threads, from /proc."""
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


class HostPathProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxhost")
        self.host = os.path.join(self.dir, "host.dat")
        self.sink = os.path.join(self.dir, "sink.dat")
        open(self.host, "wb").close()
        self.wine.env["VXNT_TEST_HOST"] = self.wine.windows_path(self.host)
        self.wine.env["VXNT_TEST_SINK"] = self.wine.windows_path(self.sink)

    def sink_bytes(self):
        try:
            with open(self.sink, "rb") as f:
                return f.read()
        except FileNotFoundError:
            return b""

    def test_idle_thread_uses_no_processor_time(self):
        proc, hwnd = self.start_terminal()
        time.sleep(2.0)  # start-up work is over
        before = cpu_seconds(proc.pid)
        time.sleep(5.0)
        used = cpu_seconds(proc.pid) - before
        # A reader that spun instead of waiting would use the whole 5 s.
        self.assertLess(used, 0.25, "%.2f s of processor time in 5 s of idling" % used)
        code, _ = self.close_terminal(proc, hwnd)
        self.assertEqual(code, 0)

    def test_typed_characters_reach_the_host(self):
        proc, hwnd = self.start_terminal()
        text = "typed to the host"
        for c in text:
            self.assertTrue(self.wine.probe.post(hwnd, WM_CHAR, ord(c), 1))
        deadline = time.time() + 10
        while time.time() < deadline and self.sink_bytes() != text.encode():
            time.sleep(0.1)
        self.assertEqual(self.sink_bytes(), text.encode())
        code, _ = self.close_terminal(proc, hwnd)
        self.assertEqual(code, 0)

    def test_close_while_host_bytes_keep_arriving(self):
        proc, hwnd = self.start_terminal()
        stop = threading.Event()
        written = [0]

        def feed():
            n = 0
            with open(self.host, "ab", buffering=0) as f:
                while not stop.is_set():
                    chunk = b"".join(b"\x1b[1;33mline %d\x1b[m of host data\r\n" % (n + i) for i in range(50))
                    f.write(chunk)
                    written[0] += len(chunk)
                    n += 50
                    time.sleep(0.01)

        writer = threading.Thread(target=feed)
        writer.start()
        try:
            time.sleep(2.0)
            code, took = self.close_terminal(proc, hwnd)
        finally:
            stop.set()
            writer.join()
        self.assertGreater(written[0], 100000)
        self.assertEqual(code, 0)
        self.assertLess(took, 2.0)


if __name__ == "__main__":
    unittest.main()
