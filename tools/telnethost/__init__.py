"""Scripted telnet hosts for byte-exact tests (Python standard library, asyncio).

Written from the protocol documents: RFC 854 (commands, IAC doubling), 855 (option
negotiation and subnegotiation), 856-861 (BINARY, ECHO, SUPPRESS-GO-AHEAD, TIMING-MARK,
END-OF-RECORD), 1091 (TERMINAL-TYPE), 1572 (NEW-ENVIRON), 1576 (3270-REGIME) and 2355
(TN3270E).

A ScriptedHost listens on 127.0.0.1 in a thread of its own, so synchronous tests drive
it: wait for the client, send bytes, and expect exact bytes back; a mismatch fails with
a hex diff of what was expected against what arrived.
"""
import asyncio
import socket
import threading
import time

# RFC 854 commands.
IAC, DONT, DO, WONT, WILL, SB = 255, 254, 253, 252, 251, 250
GA, EL, EC, AYT, AO, IP, BRK, DM, NOP, SE, EOR = 249, 248, 247, 246, 245, 244, 243, 242, 241, 240, 239

# Options.
BINARY, ECHO, SGA, TIMING_MARK = 0, 1, 3, 6
SEND_LOCATION, TERMINAL_TYPE, END_OF_RECORD = 23, 24, 25
REGIME_3270, NEW_ENVIRON, TN3270E = 29, 39, 40

# TERMINAL-TYPE (RFC 1091) and NEW-ENVIRON (RFC 1572) codes.
TT_IS, TT_SEND = 0, 1
ENV_IS, ENV_SEND, ENV_INFO = 0, 1, 2
ENV_VAR, ENV_VALUE, ENV_ESC, ENV_USERVAR = 0, 1, 2, 3

# TN3270E (RFC 2355) codes.
E_ASSOCIATE, E_CONNECT, E_DEVICE_TYPE, E_FUNCTIONS, E_IS, E_REASON = 0, 1, 2, 3, 4, 5
E_REJECT, E_REQUEST, E_SEND = 6, 7, 8
F_BIND_IMAGE, F_DATA_STREAM_CTL, F_RESPONSES, F_SCS_CTL_CODES, F_SYSREQ = 0, 1, 2, 3, 4
R_CONN_PARTNER, R_DEVICE_IN_USE, R_INV_ASSOCIATE, R_INV_NAME = 0, 1, 2, 3
R_INV_DEVICE_TYPE, R_TYPE_NAME_ERROR, R_UNKNOWN_ERROR, R_UNSUPPORTED_REQ = 4, 5, 6, 7


# ---- Builders -------------------------------------------------------------------------

def escape(data):
    """Data as it travels: every 255 doubled (RFC 854)."""
    return bytes(data).replace(b"\xff", b"\xff\xff")


def cmd(command, option=None):
    return bytes([IAC, command] if option is None else [IAC, command, option])


def will(option):
    return cmd(WILL, option)


def wont(option):
    return cmd(WONT, option)


def do(option):
    return cmd(DO, option)


def dont(option):
    return cmd(DONT, option)


def sb(option, payload=b""):
    """IAC SB option payload IAC SE, with 255 doubled inside (RFC 855)."""
    return bytes([IAC, SB]) + escape(bytes([option]) + bytes(payload)) + bytes([IAC, SE])


def record(data):
    """One record of a record session: the data and IAC EOR (RFC 885)."""
    return escape(data) + cmd(EOR)


def ttype_send():
    return sb(TERMINAL_TYPE, [TT_SEND])


def ttype_is(name):
    return sb(TERMINAL_TYPE, bytes([TT_IS]) + name.encode("latin-1"))


def env_escape(text):
    """A NEW-ENVIRON name or value: VAR, VALUE, ESC and USERVAR bytes follow ESC."""
    out = bytearray()
    for b in text.encode("latin-1") if isinstance(text, str) else bytes(text):
        if b <= ENV_USERVAR:
            out.append(ENV_ESC)
        out.append(b)
    return bytes(out)


def env_send(*entries):
    """IAC SB NEW-ENVIRON SEND with (type, name) entries; name None asks for all."""
    payload = bytearray([ENV_SEND])
    for kind, name in entries:
        payload.append(kind)
        if name is not None:
            payload += env_escape(name)
    return sb(NEW_ENVIRON, payload)


def env_is(*entries):
    """The IS reply expected for (type, name, value) entries; value None means undefined."""
    payload = bytearray([ENV_IS])
    for kind, name, value in entries:
        payload.append(kind)
        payload += env_escape(name)
        if value is not None:
            payload.append(ENV_VALUE)
            payload += env_escape(value)
    return sb(NEW_ENVIRON, payload)


def tn3270e(*payload):
    """IAC SB TN3270E ...: ints are codes, strings go as ASCII."""
    out = bytearray()
    for p in payload:
        out += p.encode("ascii") if isinstance(p, str) else (bytes(p) if isinstance(p, (bytes, list)) else bytes([p]))
    return sb(TN3270E, out)


# ---- Reading a telnet stream ------------------------------------------------------------

def split_stream(data):
    """Splits what a client sent into ("data", bytes), ("cmd", command, option|None) and
    ("sb", option, payload) items, undoing IAC doubling (RFC 854, 855)."""
    items, buf, i, n = [], bytearray(), 0, len(data)

    def flush():
        if buf:
            items.append(("data", bytes(buf)))
            buf.clear()
    while i < n:
        b = data[i]
        if b != IAC:
            buf.append(b)
            i += 1
            continue
        if i + 1 >= n:
            break
        c = data[i + 1]
        if c == IAC:
            buf.append(IAC)
            i += 2
        elif c in (WILL, WONT, DO, DONT):
            flush()
            items.append(("cmd", c, data[i + 2] if i + 2 < n else None))
            i += 3
        elif c == SB:
            flush()
            j, payload = i + 2, bytearray()
            while j < n:
                if data[j] == IAC and j + 1 < n and data[j + 1] == IAC:
                    payload.append(IAC)
                    j += 2
                elif data[j] == IAC and j + 1 < n and data[j + 1] == SE:
                    j += 2
                    break
                else:
                    payload.append(data[j])
                    j += 1
            items.append(("sb", payload[0] if payload else None, bytes(payload[1:])))
            i = j
        else:
            flush()
            items.append(("cmd", c, None))
            i += 2
    flush()
    return items


def hexdump(data):
    return " ".join("%02X" % b for b in data)


def hexdiff(expected, actual):
    """Both byte strings in hex, with the first difference marked."""
    k = 0
    while k < min(len(expected), len(actual)) and expected[k] == actual[k]:
        k += 1
    return ("expected %d bytes: %s\n  actual %d bytes: %s\n  first difference at byte %d"
            % (len(expected), hexdump(expected), len(actual), hexdump(actual), k))


# ---- The host -------------------------------------------------------------------------------

class ScriptedHost:
    """A telnet host on 127.0.0.1 that a test scripts byte by byte.

    Every connection is kept (host.connections); the most recent one is the current one.
    """

    def __init__(self, port=0):
        self._loop = asyncio.new_event_loop()
        self._thread = threading.Thread(target=self._loop.run_forever, daemon=True)
        self._thread.start()
        self._lock = threading.Condition()
        self.connections = []
        self._server = self._call(asyncio.start_server(self._accept, "127.0.0.1", port))
        self.port = self._server.sockets[0].getsockname()[1]
        self.on_connect = None  # bytes sent at once to each new connection

    def _call(self, coroutine, timeout=30):
        return asyncio.run_coroutine_threadsafe(coroutine, self._loop).result(timeout)

    async def _accept(self, reader, writer):
        conn = {"reader": reader, "writer": writer, "data": bytearray(), "closed": False}
        if self.on_connect:
            writer.write(self.on_connect)
            await writer.drain()
        with self._lock:
            self.connections.append(conn)
            self._lock.notify_all()
        try:
            while True:
                chunk = await reader.read(65536)
                if not chunk:
                    break
                with self._lock:
                    conn["data"] += chunk
                    self._lock.notify_all()
        except (ConnectionError, OSError):
            pass
        with self._lock:
            conn["closed"] = True
            self._lock.notify_all()

    # -- waiting --------------------------------------------------------------------------

    def wait_connection(self, timeout=30, count=1):
        """Waits until `count` connections arrived; returns the newest."""
        deadline = time.time() + timeout
        with self._lock:
            while len(self.connections) < count:
                left = deadline - time.time()
                if left <= 0:
                    raise AssertionError("no client connected to port %d within %.0f s" % (self.port, timeout))
                self._lock.wait(left)
            return self.connections[-1]

    @property
    def received(self):
        with self._lock:
            return bytes(self.connections[-1]["data"]) if self.connections else b""

    def wait_for(self, predicate, timeout=15, what="bytes"):
        """Waits until predicate(received) is true; returns what was received."""
        deadline = time.time() + timeout
        with self._lock:
            while True:
                data = bytes(self.connections[-1]["data"]) if self.connections else b""
                if predicate(data):
                    return data
                left = deadline - time.time()
                if left <= 0:
                    raise AssertionError("timed out waiting for %s; received: %s" % (what, hexdump(data)))
                self._lock.wait(min(left, 0.2))

    def expect(self, expected, timeout=15):
        """Waits for exactly `expected` as the next unread bytes and consumes them."""
        conn = self.wait_connection(timeout)
        expected = bytes(expected)
        deadline = time.time() + timeout
        with self._lock:
            while len(conn["data"]) < len(expected):
                left = deadline - time.time()
                if left <= 0:
                    break
                self._lock.wait(min(left, 0.2))
            actual = bytes(conn["data"])
            if actual[:len(expected)] != expected:
                raise AssertionError("host received other bytes\n  " + hexdiff(expected, actual))
            del conn["data"][:len(expected)]
        return expected

    def expect_nothing(self, wait=0.5):
        time.sleep(wait)
        data = self.received
        if data:
            raise AssertionError("host received unexpected bytes: " + hexdump(data))

    def take(self):
        """All unread bytes, consumed."""
        with self._lock:
            if not self.connections:
                return b""
            data = bytes(self.connections[-1]["data"])
            self.connections[-1]["data"].clear()
            return data

    # -- acting ---------------------------------------------------------------------------

    def send(self, data):
        conn = self.wait_connection()

        async def write():
            conn["writer"].write(bytes(data))
            await conn["writer"].drain()
        self._call(write())

    def close_connection(self):
        conn = self.wait_connection()

        async def close():
            conn["writer"].close()
        self._call(close())

    def wait_closed(self, timeout=15):
        deadline = time.time() + timeout
        with self._lock:
            while not (self.connections and self.connections[-1]["closed"]):
                left = deadline - time.time()
                if left <= 0:
                    raise AssertionError("the client did not close the connection")
                self._lock.wait(left)

    def stop(self):
        async def shutdown():
            self._server.close()
            for c in self.connections:
                c["writer"].close()
        try:
            self._call(shutdown())
        finally:
            self._loop.call_soon_threadsafe(self._loop.stop)
            self._thread.join(5)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


_reserved_ports = []


def refusing_port():
    """A port on which nothing listens: connections to it are refused. It stays bound,
    without listening, on every address for the rest of the process, so that no server
    of a test running alongside can be given it meanwhile."""
    s = socket.socket()
    s.bind(("", 0))
    _reserved_ports.append(s)
    return s.getsockname()[1]
