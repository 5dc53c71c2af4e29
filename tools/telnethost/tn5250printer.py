"""Builders of the records a TN5250 host sends a printer session, for scripted hosts.

Written from RFC 4777 (TN5250 printer sessions: the printer start-up response record and
the print records), whose records carry the 5250 record header of RFC 1205. A test
states the host's start-up answer code and the print data it sends, and gets the bytes.
"""
import struct

from .tn5250 import ebcdic

RECORD_TYPE = 0x12A0
STARTUP_FLAGS = 0x9000  # bit 15: a start-up response record
PRINT_FLAGS = 0x0100    # bit 8: print data follows the record header
FIRST_OF_CHAIN, LAST_OF_CHAIN = 0x10, 0x08
PRINT, END_OF_PRINT = 1, 2
BLOCK, END_OF_JOB = 0x03, 0x00


def startup_response(code, system="SYSTEM", device="PRT01", length=None):
    """The printer start-up response record: its response code (four characters such
    as "I902"), the system and device names; cut to `length` bytes when given."""
    body = ebcdic(code) + ebcdic(system.ljust(8)[:8]) + ebcdic(device.ljust(10)[:10])
    total = 16 + len(body)
    rec = struct.pack(">HHH", total, RECORD_TYPE, STARTUP_FLAGS) + bytes([0x05, 0x60, 0x06, 0x00, 0x20, 0xC0])
    rec += struct.pack(">H", total - 12) + b"\x00\x00" + body
    if length is not None:
        rec = rec[:length]
        rec = struct.pack(">H", len(rec)) + rec[2:12] + struct.pack(">H", len(rec) - 12) + rec[14:]
    return rec


def blocks(*chunks, end=False):
    """Print bytes as blocks (0x03, length, bytes), then the end of the job when asked."""
    out = b"".join(bytes([BLOCK, len(c)]) + bytes(c) for c in chunks)
    return out + (bytes([END_OF_JOB]) if end else b"")


def print_record(data, flags=FIRST_OF_CHAIN | LAST_OF_CHAIN, operation=PRINT, reserved=PRINT_FLAGS):
    """A print record: the record header with the print flag, the variable header
    (its length 4, the chain flags, the operation) and the print data."""
    body = bytes([4, flags, 0, operation]) + bytes(data)
    return struct.pack(">HHH", 6 + len(body), RECORD_TYPE, reserved) + body


def ack(operation=1):
    """What a printer answers for a record it printed (operation 1) or an end of print (2)."""
    return struct.pack(">HHHBBBB", 10, RECORD_TYPE, 0x0102, 4, 0, 0, operation)


def negative(sense):
    return struct.pack(">HHHBBBBI", 14, RECORD_TYPE, 0x0102, 8, 0x80, 0, 1, sense)


def status(code, flags=0x40):
    """A printer status record (attention by default) with its 4-byte code."""
    return struct.pack(">HHHBBBBBI", 15, RECORD_TYPE, 0x0102, 9, flags, 0, 1, 0xC9, code)
