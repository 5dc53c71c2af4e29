"""Serial peers for whole-program tests: a socat pty pair whose one end Wine sees as a
COM port and whose other end the test drives as the far end of the line.

    with SerialPeer(session, "COM5") as line:
        session.restart_server()     # Wine reads its port list at server start
        ...
        line.send(b"hello")          # reaches the terminal as received bytes
        line.expect(b"typed", 10)    # what the terminal sent
        line.stty()                  # the line settings the terminal applied

register_port() names any Unix path as a COM or LPT port of the prefix.
"""
import os
import select
import subprocess
import tempfile
import time
import tty

XON, XOFF = b"\x11", b"\x13"


def register_port(session, port, path):
    """Makes `port` (COM5, LPT2 ...) of the session's prefix stand for `path`. COM ports
    are read from HKLM\\Software\\Wine\\Ports when the server starts: restart it after."""
    if port.upper().startswith("COM"):
        code, out = session.reg("add", r"HKLM\Software\Wine\Ports", "/v", port, "/d", path, "/f")
        if code != 0:
            raise RuntimeError("reg add failed: %s" % out)
    else:
        link = os.path.join(session.prefix, "dosdevices", port.lower())
        if os.path.lexists(link):
            os.unlink(link)
        os.symlink(path, link)


class SerialPeer:
    """A socat pty pair: `device` is Wine's end, the test holds the other."""

    def __init__(self, session, port):
        self.session, self.port = session, port
        self.dir = tempfile.mkdtemp(prefix="vxserial")
        self.device = os.path.join(self.dir, "wine")
        self.far = os.path.join(self.dir, "far")
        self._socat = subprocess.Popen(
            ["socat", "pty,raw,echo=0,link=%s" % self.device, "pty,raw,echo=0,link=%s" % self.far],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.time() + 10
        while not (os.path.exists(self.device) and os.path.exists(self.far)):
            if time.time() > deadline or self._socat.poll() is not None:
                raise RuntimeError("socat made no pty pair")
            time.sleep(0.05)
        self.fd = os.open(self.far, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)
        tty.setraw(self.fd)
        self.received = b""
        register_port(session, port, self.device)

    def close(self):
        if self.fd is not None:
            os.close(self.fd)
            self.fd = None
        if self._socat.poll() is None:
            self._socat.kill()
            self._socat.wait()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def send(self, data):
        view = memoryview(data)
        while view:
            select.select([], [self.fd], [], 5)
            n = os.write(self.fd, view)
            view = view[n:]

    def read(self, timeout=0.2):
        """Collects what the terminal sent during `timeout` seconds; returns all so far."""
        deadline = time.time() + timeout
        while True:
            left = deadline - time.time()
            if left <= 0:
                break
            r, _, _ = select.select([self.fd], [], [], left)
            if r:
                try:
                    chunk = os.read(self.fd, 65536)
                except BlockingIOError:
                    chunk = b""
                self.received += chunk
        return self.received

    def expect(self, data, timeout=10):
        """Waits until everything received so far ends with... holds `data`; returns
        what was received."""
        deadline = time.time() + timeout
        while data not in self.received and time.time() < deadline:
            self.read(0.1)
        return self.received

    def stty(self):
        """The settings of Wine's end as stty shows them."""
        return subprocess.run(["stty", "-a", "-F", self.device], capture_output=True, text=True).stdout
