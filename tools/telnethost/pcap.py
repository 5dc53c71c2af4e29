"""A pcap capture of one TCP conversation on the telnet port, for tshark's dissectors.

The bytes of each direction are written in the order they were exchanged, as IPv4/TCP
segments over Ethernet (pcap format, link type 1), with a handshake first so the
dissector follows the stream from its start.
"""
import struct

CLIENT, SERVER = 0, 1
_MSS = 1400


def _checksum(data):
    if len(data) % 2:
        data += b"\x00"
    total = sum(struct.unpack("!%dH" % (len(data) // 2), data))
    while total >> 16:
        total = (total & 0xFFFF) + (total >> 16)
    return ~total & 0xFFFF


class PcapWriter:
    def __init__(self, path, client_port=40000, server_port=23):
        self._file = open(path, "wb")
        self._file.write(struct.pack("<IHHiIII", 0xA1B2C3D4, 2, 4, 0, 0, 65535, 1))
        self._ports = (client_port, server_port)
        self._addresses = (bytes([10, 0, 0, 1]), bytes([10, 0, 0, 2]))
        self._seq = [1000, 5000]
        self._time = 0
        self._segment(CLIENT, 0x02, b"")          # SYN
        self._segment(SERVER, 0x12, b"")          # SYN, ACK
        self._segment(CLIENT, 0x10, b"")          # ACK

    def data(self, direction, payload):
        for at in range(0, len(payload), _MSS):
            self._segment(direction, 0x18, payload[at:at + _MSS])

    def close(self):
        self._file.close()

    def _segment(self, direction, flags, payload):
        source, dest = self._addresses[direction], self._addresses[1 - direction]
        sport, dport = self._ports[direction], self._ports[1 - direction]
        seq = self._seq[direction]
        ack = self._seq[1 - direction] if flags & 0x10 else 0
        tcp = struct.pack("!HHIIBBHHH", sport, dport, seq, ack, 5 << 4, flags, 65535, 0, 0)
        pseudo = source + dest + struct.pack("!BBH", 0, 6, len(tcp) + len(payload))
        tcp = tcp[:16] + struct.pack("!H", _checksum(pseudo + tcp + payload)) + tcp[18:]
        ip = struct.pack("!BBHHHBBH4s4s", 0x45, 0, 20 + len(tcp) + len(payload), 0, 0x4000, 64, 6, 0,
                         source, dest)
        ip = ip[:10] + struct.pack("!H", _checksum(ip)) + ip[12:]
        frame = bytes(6) + bytes([0, 0, 0, 0, 0, direction + 1]) + b"\x08\x00" + ip + tcp + payload
        self._seq[direction] = (seq + len(payload) + (1 if flags & 0x02 else 0)) & 0xFFFFFFFF
        self._time += 1000
        self._file.write(struct.pack("<IIII", self._time // 1000000, self._time % 1000000, len(frame),
                                     len(frame)))
        self._file.write(frame)
