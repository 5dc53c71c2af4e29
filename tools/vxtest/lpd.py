"""A line printer daemon for tests, written from RFC 1179 (section 5.2 "Receive a printer
job" and 6 "Job subcommands"): it takes "receive job" connections on 127.0.0.1, records
every command, sub-command, control file and data file byte for byte, and can be told to
misbehave on chosen connections.

Faults, taken one per connection in order (later connections behave):
    "refuse"          answer the receive-job command with 0x01
    "refuse-text"     answer it with a message ("no such queue\\n") instead of 0x00
    "silent"          never answer; wait until the client gives up and closes
    "close-mid-file"  take half of the data file, then close the connection

Run standalone:  python3 lpd.py [--port N] [--fault F ...]  (prints the port, then a
JSON line per finished connection).
"""
import json
import socket
import threading
import time


class Connection:
    """What one client connection did."""

    def __init__(self, number):
        self.number = number
        self.opened = time.monotonic()
        self.closed = None
        self.command = b""          # the daemon command line, code byte and LF included
        self.subcommands = []       # each sub-command line as received
        self.files = []             # (code, declared count, name, content) in arrival order
        self.terminators = []       # the byte that followed each file's content
        self.acks = b""             # what the daemon answered, in order
        self.fault = None
        self.error = None           # why the daemon stopped reading early

    @property
    def queue(self):
        return self.command[1:-1].decode("latin-1") if self.command[:1] == b"\x02" else None

    def file(self, code):
        for c, _, name, content in self.files:
            if c == code:
                return name, content
        return None, None

    @property
    def control_name(self):
        return self.file(2)[0]

    @property
    def control_file(self):
        return self.file(2)[1]

    @property
    def data_name(self):
        return self.file(3)[0]

    @property
    def data(self):
        return self.file(3)[1]

    @property
    def complete(self):
        """A whole job: command, control and data file, each taken in full and acknowledged."""
        return (self.error is None and self.fault is None and self.control_file is not None
                and self.data is not None and all(t == 0 for t in self.terminators))

    def summary(self):
        return {"number": self.number, "queue": self.queue, "fault": self.fault, "error": self.error,
                "subcommands": [s.decode("latin-1") for s in self.subcommands],
                "control": self.control_file.decode("latin-1") if self.control_file is not None else None,
                "data_name": self.data_name, "data_size": len(self.data) if self.data is not None else None,
                "acks": self.acks.hex()}


class _Stop(Exception):
    pass


class LpdReceiver:
    def __init__(self, faults=(), port=0):
        self.faults = list(faults)
        self.connections = []
        self._lock = threading.Condition()
        self._listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self._listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self._listener.bind(("127.0.0.1", port))
        self._listener.listen(16)
        self.port = self._listener.getsockname()[1]
        self._running = True
        self._thread = threading.Thread(target=self._accept, daemon=True)
        self._thread.start()

    def close(self):
        self._running = False
        try:
            self._listener.close()
        except OSError:
            pass

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    # -- waiting -----------------------------------------------------------------------
    def wait(self, predicate, timeout):
        """Waits until predicate(connections) is true; returns whether it became true."""
        deadline = time.monotonic() + timeout
        with self._lock:
            while not predicate(self.connections):
                left = deadline - time.monotonic()
                if left <= 0:
                    return False
                self._lock.wait(left)
            return True

    def wait_connections(self, n, timeout):
        return self.wait(lambda cs: len([c for c in cs if c.closed is not None]) >= n, timeout)

    def jobs(self):
        with self._lock:
            return [c for c in self.connections if c.complete]

    def wait_jobs(self, n, timeout):
        return self.wait(lambda cs: len([c for c in cs if c.complete]) >= n, timeout)

    # -- serving -----------------------------------------------------------------------
    def _accept(self):
        while self._running:
            try:
                sock, _ = self._listener.accept()
            except OSError:
                return
            with self._lock:
                conn = Connection(len(self.connections) + 1)
                conn.fault = self.faults.pop(0) if self.faults else None
                self.connections.append(conn)
                self._lock.notify_all()
            threading.Thread(target=self._serve, args=(sock, conn), daemon=True).start()

    def _serve(self, sock, conn):
        reader = sock.makefile("rb")
        try:
            self._job(sock, reader, conn)
        except _Stop:
            pass
        except OSError as e:
            conn.error = conn.error or "socket: %s" % e
        finally:
            try:
                reader.close()
                sock.close()
            except OSError:
                pass
            with self._lock:
                conn.closed = time.monotonic()
                self._lock.notify_all()

    def _answer(self, sock, conn, byte):
        sock.sendall(byte)
        conn.acks += byte

    def _line(self, reader, conn):
        line = reader.readline()
        if not line.endswith(b"\n"):
            if line:
                conn.error = "line without LF: %r" % line
            raise _Stop()
        return line

    def _exact(self, reader, n):
        chunks = []
        while n > 0:
            chunk = reader.read(n)
            if not chunk:
                return None
            chunks.append(chunk)
            n -= len(chunk)
        return b"".join(chunks)

    def _job(self, sock, reader, conn):
        conn.command = self._line(reader, conn)
        if conn.command[:1] != b"\x02":
            conn.error = "not a receive-job command: %r" % conn.command
            return
        if conn.fault == "silent":
            # Keep the connection open until the client closes it.
            while reader.read(4096):
                pass
            raise _Stop()
        if conn.fault == "refuse":
            self._answer(sock, conn, b"\x01")
            return
        if conn.fault == "refuse-text":
            self._answer(sock, conn, b"no such queue\n")
            return
        self._answer(sock, conn, b"\x00")
        while True:
            sub = reader.readline()
            if not sub:
                return  # the client ended the job
            if not sub.endswith(b"\n"):
                conn.error = "sub-command without LF: %r" % sub
                return
            conn.subcommands.append(sub)
            code = sub[0]
            if code == 1:
                conn.error = "job aborted by the client"
                return
            if code not in (2, 3):
                conn.error = "unknown sub-command: %r" % sub
                return
            fields = sub[1:-1].split(b" ")
            if len(fields) != 2 or not fields[0].isdigit() or not fields[1]:
                conn.error = "malformed sub-command: %r" % sub
                return
            count, name = int(fields[0]), fields[1].decode("latin-1")
            self._answer(sock, conn, b"\x00")
            if code == 3 and conn.fault == "close-mid-file":
                self._exact(reader, count // 2)
                raise _Stop()
            content = self._exact(reader, count)
            if content is None:
                conn.error = "file %s cut short" % name
                return
            end = self._exact(reader, 1)
            if end is None:
                conn.error = "file %s without its end byte" % name
                return
            conn.files.append((code, count, name, content))
            conn.terminators.append(end[0])
            self._answer(sock, conn, b"\x00")


def main():
    import argparse
    import sys
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--fault", action="append", default=[])
    args = parser.parse_args()
    receiver = LpdReceiver(args.fault, args.port)
    print(receiver.port, flush=True)
    seen = 0
    try:
        while True:
            receiver.wait_connections(seen + 1, 3600)
            with receiver._lock:
                done = [c for c in receiver.connections if c.closed is not None]
            for c in done[seen:]:
                print(json.dumps(c.summary()), flush=True)
            seen = len(done)
    except KeyboardInterrupt:
        receiver.close()
        sys.exit(0)


if __name__ == "__main__":
    main()
