"""A host on 127.0.0.1 that runs a program in a pseudo-terminal for one client, as a
telnet server (IAC doubled on the way out, telnet commands taken out of what the client
sends) or as a raw TCP service (for a terminal reached through socat).

The test drives the program itself: it types into the pseudo-terminal as if at the
keyboard, waits until the program has gone quiet, and may slip bytes into the program's
output on their way to the terminal.
"""
import fcntl
import os
import pty
import select
import signal
import socket
import struct
import termios
import threading
import time

from telnethost.shellhost import TelnetInput


class PtyRelay:
    def __init__(self, argv, telnet=True, term="vt420", rows=24, columns=80, env=None):
        self.argv, self.telnet, self.term = list(argv), telnet, term
        self.size = (rows, columns)
        self.env = env or {}
        self._listener = socket.socket()
        self._listener.bind(("127.0.0.1", 0))
        self._listener.listen(1)
        self.port = self._listener.getsockname()[1]
        self._lock = threading.Condition()
        self._client = None
        self._master = None
        self._pid = None
        self._last_output = time.time()
        self._relayed = 0
        self._closed = False
        self._awaited = None  # a reply the test waits for, kept from the program
        self._answered = False
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    # -- the relay ----------------------------------------------------------------------

    def _spawn(self):
        pid, master = pty.fork()
        if pid == 0:
            os.environ["TERM"] = self.term
            os.environ.update(self.env)
            os.execvp(self.argv[0], self.argv)
        rows, columns = self.size
        fcntl.ioctl(master, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))
        return pid, master

    def _run(self):
        try:
            client, _ = self._listener.accept()
        except OSError:
            return
        pid, master = self._spawn()
        with self._lock:
            self._client, self._master, self._pid = client, master, pid
            self._last_output = time.time()
            self._lock.notify_all()
        decoder = TelnetInput() if self.telnet else None
        while not self._closed:
            try:
                ready, _, _ = select.select([client, master], [], [], 0.2)
            except (OSError, ValueError):
                break
            if master in ready:
                try:
                    data = os.read(master, 65536)
                except OSError:
                    data = b""
                if not data:
                    break
                self._to_client(data)
            if client in ready:
                try:
                    data = client.recv(65536)
                except OSError:
                    data = b""
                if not data:
                    break
                if decoder:
                    data = decoder.feed(data)
                data = self._take_awaited(data)
                if data:
                    os.write(master, data)
        with self._lock:
            self._closed = True
            self._lock.notify_all()

    def _take_awaited(self, data):
        with self._lock:
            if self._awaited and self._awaited in data:
                data = data.replace(self._awaited, b"", 1)
                self._awaited = None
                self._answered = True
                self._lock.notify_all()
        return data

    def _to_client(self, data):
        if self.telnet:
            data = data.replace(b"\xff", b"\xff\xff")
        with self._lock:
            self._client.sendall(data)
            self._relayed += len(data)
            self._last_output = time.time()
            self._lock.notify_all()

    # -- the test's side ----------------------------------------------------------------

    def wait_connection(self, timeout=30):
        deadline = time.time() + timeout
        with self._lock:
            while self._client is None:
                left = deadline - time.time()
                if left <= 0:
                    raise AssertionError("no terminal connected to port %d" % self.port)
                self._lock.wait(left)

    def type(self, data):
        """Input to the program as if typed at its terminal."""
        os.write(self._master, bytes(data))

    def inject(self, data):
        """Bytes to the terminal, among the program's output."""
        self._to_client(bytes(data))

    def wait_quiet(self, quiet=0.6, timeout=30):
        """Waits until the program has written nothing for `quiet` seconds."""
        deadline = time.time() + timeout
        with self._lock:
            while True:
                idle = time.time() - self._last_output
                if idle >= quiet or self._closed:
                    return
                if time.time() > deadline:
                    raise AssertionError("the program never went quiet")
                self._lock.wait(quiet - idle)

    def sync(self, request=b"\x1b[5n", reply=b"\x1b[0n", timeout=60):
        """Sends the terminal a request and waits for its reply, which the program never
        sees: everything sent before has then been taken in by the terminal."""
        with self._lock:
            self._awaited, self._answered = reply, False
        self._to_client(request)
        deadline = time.time() + timeout
        with self._lock:
            while not self._answered:
                left = deadline - time.time()
                if left <= 0 or self._closed:
                    raise AssertionError("the terminal did not answer %r" % request)
                self._lock.wait(left)

    @property
    def relayed(self):
        with self._lock:
            return self._relayed

    def close(self):
        self._closed = True
        for close in (lambda: self._listener.close(), lambda: self._client and self._client.close()):
            try:
                close()
            except OSError:
                pass
        if self._pid:
            try:
                os.kill(self._pid, signal.SIGKILL)
                os.waitpid(self._pid, 0)
            except (OSError, ChildProcessError):
                pass
        if self._master is not None:
            try:
                os.close(self._master)
            except OSError:
                pass
        self._thread.join(5)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
