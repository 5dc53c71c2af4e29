"""A TA6530 block-mode host for whole-program tests, written from the 6530 block
protocol: mode blocks (SOH ... ETX check), data blocks (STX sequence ... ETX check) with
sequence bytes 0x20-0x7F, acknowledgements (ACK 06, NAK 15), EOT, the poll (ENQ) and the
terminal's status block, read replies and SOH replies.

The check byte is the exclusive-or of every byte after SOH or STX up to and including
ETX. Under full framing (a serial line, or telnet with ta_telserv 0) every block is
checked and acknowledged; under reduced framing (telnet with ta_telserv 1) data goes
unframed and replies come at once, ended by EOT (read data) or ETX NUL (SOH replies).

The host works over any transport with send(bytes) and a receive buffer: a telnet
ScriptedHost or a serial peer (vxtest.serialpeer.SerialPeer). Mismatches fail with a hex
diff of the bytes expected against those that arrived.
"""
import time

SOH, STX, ETX, EOT, ENQ, ACK, NAK = 0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x15
DC1, DC2, DC3, DC4, ESC, FS, GS = 0x11, 0x12, 0x13, 0x14, 0x1B, 0x1C, 0x1D
FIRST_SEQUENCE, LAST_SEQUENCE = 0x20, 0x7F


def check(data):
    """The check byte of a block's bytes after SOH or STX, ETX included."""
    c = 0
    for b in bytes(data):
        c ^= b
    return c


def soh_block(data):
    data = bytes(data)
    return bytes([SOH]) + data + bytes([ETX, check(data + bytes([ETX]))])


def stx_block(sequence, data):
    body = bytes([sequence]) + bytes(data)
    return bytes([STX]) + body + bytes([ETX, check(body + bytes([ETX]))])


def pos(row, column):
    """A position as the commands carry it: each value plus 32."""
    return bytes([row + 32, column + 32])


def next_sequence(s):
    return FIRST_SEQUENCE if s >= LAST_SEQUENCE or s < FIRST_SEQUENCE else s + 1


def hexdump(data):
    return " ".join("%02X" % b for b in bytes(data)) or "(nothing)"


def hexdiff(expected, actual):
    return "expected: %s\n  actual:   %s" % (hexdump(expected), hexdump(actual))


class TelnetLine:
    """The terminal's bytes through a telnet ScriptedHost, telnet commands left out."""

    def __init__(self, host):
        self.host = host
        self.buffer = b""

    def send(self, data):
        self.host.send(bytes(data).replace(b"\xff", b"\xff\xff"))

    def poll(self):
        raw = self.host.take()
        out, i = bytearray(), 0
        while i < len(raw):
            b = raw[i]
            if b == 0xFF and i + 1 < len(raw):
                command = raw[i + 1]
                if command == 0xFF:
                    out.append(0xFF)
                    i += 2
                elif command == 250:  # subnegotiation to IAC SE
                    end = raw.find(b"\xff\xf0", i)
                    i = len(raw) if end < 0 else end + 2
                elif command in (251, 252, 253, 254):
                    i += 3
                else:
                    i += 2
                continue
            out.append(b)
            i += 1
        self.buffer += bytes(out)


class SerialLine:
    """The far end of a serial line (SerialPeer)."""

    def __init__(self, peer):
        self.peer = peer
        self.buffer = b""
        self._seen = len(peer.received)

    def send(self, data):
        self.peer.send(bytes(data))

    def poll(self):
        self.peer.read(0.05)
        self.buffer += self.peer.received[self._seen:]
        self._seen = len(self.peer.received)


class BlockHost:
    """Drives the terminal through the block protocol over a line."""

    def __init__(self, line):
        self.line = line
        self.sequence = FIRST_SEQUENCE - 1

    # -- sending --

    def send(self, data):
        self.line.send(data)

    def mode(self, letter):
        """SOH letter ETX check: "A" ANSI, "B" block, "C" conversational."""
        self.send(soh_block(letter.encode("ascii")))

    def block(self, data, sequence=None):
        """An STX block with the next sequence byte (or the one given)."""
        if sequence is None:
            sequence = next_sequence(self.sequence)
        self.sequence = sequence
        self.send(stx_block(sequence, data))
        return sequence

    def end(self):
        """EOT: the next data block starts again at 0x20."""
        self.send(bytes([EOT]))
        self.sequence = FIRST_SEQUENCE - 1

    # -- receiving --

    def take(self):
        self.line.poll()
        data, self.line.buffer = self.line.buffer, b""
        return data

    def expect(self, expected, timeout=15):
        """Exactly `expected` as the next bytes, consumed."""
        expected = bytes(expected)
        deadline = time.time() + timeout
        while len(self.line.buffer) < len(expected) and time.time() < deadline:
            self.line.poll()
            time.sleep(0.02)
        actual = self.line.buffer
        if actual[:len(expected)] != expected:
            raise AssertionError("the terminal sent other bytes\n  " + hexdiff(expected, actual))
        self.line.buffer = actual[len(expected):]
        return expected

    def expect_nothing(self, wait=0.5):
        time.sleep(wait)
        data = self.take()
        if data:
            raise AssertionError("the terminal sent unexpected bytes: " + hexdump(data))

    def expect_ack(self, timeout=15):
        self.expect(bytes([ACK]), timeout)

    def expect_nak(self, timeout=15):
        self.expect(bytes([NAK]), timeout)

    def expect_read(self, data, sequence=FIRST_SEQUENCE, timeout=15):
        """A read reply under full framing: STX sequence data ETX check."""
        self.expect(stx_block(sequence, data), timeout)

    def expect_reply(self, data, timeout=15):
        """An SOH reply under full framing: SOH data ETX check."""
        self.expect(soh_block(data), timeout)

    def expect_status(self, key, page, row, column, full=True, timeout=15):
        """The status block that answers a poll with a function key waiting."""
        body = bytes([key, page + 32, row + 32, column + 32, ETX])
        self.expect(bytes([SOH]) + body + bytes([check(body) if full else 0]), timeout)
