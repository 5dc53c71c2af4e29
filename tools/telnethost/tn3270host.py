"""A scripted TN3270 / TN3270E host on 127.0.0.1 for one client.

It negotiates as RFC 1576 (terminal type, BINARY and END-OF-RECORD both ways) or
RFC 2355 (device type and an agreed function list) describe, then lets a test send
records and take the records the client sends. Every byte of both directions can be
kept in a pcap capture for tshark.
"""
import queue
import socket
import threading
import time

from . import pcap as pcapmod
from .tn3270 import (BINARY, DO, DONT, END_OF_RECORD, EOR, IAC, SB, SE, TERMINAL_TYPE, TN3270E, WILL,
                     WONT, record)

_ASSOCIATE, _CONNECT, _DEVICE_TYPE, _FUNCTIONS, _IS, _REASON, _REJECT, _REQUEST, _SEND = range(9)


class Tn3270Host:
    def __init__(self, functions=None, device_name=b"LU000001", pcap=None):
        """functions: the TN3270E functions this host agrees to, or None for plain TN3270."""
        self.functions = functions
        self.device_name = device_name
        self.terminal_type = None
        self.agreed = None
        self._listener = socket.socket()
        self._listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self._listener.bind(("127.0.0.1", 0))
        self._listener.listen(1)
        self.port = self._listener.getsockname()[1]
        self._pcap = pcapmod.PcapWriter(pcap) if pcap else None
        # Every exchange in order: (pcap.CLIENT or pcap.SERVER, bytes).
        self.transcript = []
        self._records = queue.Queue()
        self._ready = threading.Event()
        self._lock = threading.Lock()
        self._connection = None
        self._closed = False
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    # What a test calls.
    def wait_ready(self, timeout=60):
        if not self._ready.wait(timeout):
            raise TimeoutError("the client did not finish the telnet negotiation")

    def send(self, data):
        """One record (IAC doubled, IAC EOR added)."""
        self._write(record(data))

    def receive(self, timeout=20):
        return self._records.get(timeout=timeout)

    def pending(self):
        out = []
        while not self._records.empty():
            out.append(self._records.get())
        return out

    def close(self):
        try:
            if self._connection:
                self._connection.close()
        finally:
            self._listener.close()
            # The reader may still be writing what arrived last.
            with self._lock:
                self._closed = True
                if self._pcap:
                    self._pcap.close()
                    self._pcap = None

    # The connection.
    def _write(self, data):
        with self._lock:
            if self._closed:
                return  # the client answered a negotiation after the test closed the host
            self.transcript.append((pcapmod.SERVER, bytes(data)))
            if self._pcap:
                self._pcap.data(pcapmod.SERVER, data)
            self._connection.sendall(data)

    def _command(self, verb, option):
        self._write(bytes([IAC, verb, option]))

    def _subnegotiation(self, body):
        self._write(bytes([IAC, SB]) + body.replace(b"\xFF", b"\xFF\xFF") + bytes([IAC, SE]))

    def _run(self):
        try:
            self._connection, _ = self._listener.accept()
        except OSError:
            return
        if self.functions is None:
            self._command(DO, TERMINAL_TYPE)
        else:
            self._command(DO, TN3270E)
        data = bytearray()
        current = bytearray()
        i = 0
        while True:
            try:
                chunk = self._connection.recv(65536)
            except OSError:
                break
            if not chunk:
                break
            with self._lock:
                self.transcript.append((pcapmod.CLIENT, bytes(chunk)))
                if self._pcap:
                    self._pcap.data(pcapmod.CLIENT, chunk)
            data += chunk
            while i < len(data):
                b = data[i]
                if b != IAC:
                    current.append(b)
                    i += 1
                    continue
                if i + 1 >= len(data):
                    break
                c = data[i + 1]
                if c == IAC:
                    current.append(IAC)
                    i += 2
                elif c == EOR:
                    self._records.put(bytes(current))
                    current = bytearray()
                    i += 2
                elif c in (WILL, WONT, DO, DONT):
                    if i + 2 >= len(data):
                        break
                    self._option(c, data[i + 2])
                    i += 3
                elif c == SB:
                    end, j = -1, i + 2
                    while j + 1 < len(data):
                        if data[j] == IAC and data[j + 1] == IAC:
                            j += 2
                        elif data[j] == IAC and data[j + 1] == SE:
                            end = j
                            break
                        else:
                            j += 1
                    if end < 0:
                        break
                    self._sub(bytes(data[i + 2:end]).replace(b"\xFF\xFF", b"\xFF"))
                    i = end + 2
                else:
                    i += 2
            del data[:i]
            i = 0

    def _option(self, verb, option):
        if self.functions is None:
            if verb == WILL and option == TERMINAL_TYPE:
                self._subnegotiation(bytes([TERMINAL_TYPE, 1]))
            elif verb in (WILL, DO) and option in (BINARY, END_OF_RECORD):
                pass
            elif verb == DO:
                self._command(WONT, option)
            elif verb == WILL:
                self._command(DONT, option)
            return
        if verb == WILL and option == TN3270E:
            self._subnegotiation(bytes([TN3270E, _SEND, _DEVICE_TYPE]))
        elif verb == DO and option not in (TN3270E,):
            self._command(WONT, option)
        elif verb == WILL and option != TN3270E:
            self._command(DONT, option)

    def _sub(self, body):
        if not body:
            return
        if body[0] == TERMINAL_TYPE and len(body) > 1 and body[1] == 0:
            self.terminal_type = body[2:]
            for verb, option in ((DO, END_OF_RECORD), (WILL, END_OF_RECORD), (DO, BINARY), (WILL, BINARY)):
                self._command(verb, option)
            threading.Timer(0.5, self._ready.set).start()
            return
        if body[0] != TN3270E or len(body) < 3:
            return
        if body[1] == _DEVICE_TYPE and body[2] == _REQUEST:
            name = body[3:]
            for stop in (_CONNECT, _ASSOCIATE):
                if bytes([stop]) in name:
                    name = name[:name.index(bytes([stop]))]
            self.terminal_type = name
            self._subnegotiation(bytes([TN3270E, _DEVICE_TYPE, _IS]) + name + bytes([_CONNECT]) +
                                 self.device_name)
        elif body[1] == _FUNCTIONS and body[2] == _REQUEST:
            asked = list(body[3:])
            if sorted(asked) == sorted(self.functions):
                self.agreed = sorted(asked)
                self._subnegotiation(bytes([TN3270E, _FUNCTIONS, _IS]) + bytes(self.agreed))
                self._ready.set()
            else:
                self._subnegotiation(bytes([TN3270E, _FUNCTIONS, _REQUEST]) + bytes(self.functions))
        elif body[1] == _FUNCTIONS and body[2] == _IS:
            self.agreed = sorted(body[3:])
            self._ready.set()


def wait_for(predicate, timeout=20, step=0.05):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        if predicate():
            return True
        time.sleep(step)
    return False
