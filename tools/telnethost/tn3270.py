"""Builders of the 3270 data stream and of TN3270E records, for scripted hosts.

Written from RFC 1576 (TN3270), RFC 2355 (TN3270E) and IBM's 3270 Data Stream
Programmer's Reference: a test states what a host sends in the terms of those
documents (a Write Control Character, orders, structured fields, a BIND image) and
gets the bytes.
"""
import struct

IAC, EOR, SB, SE, WILL, WONT, DO, DONT = 255, 239, 250, 240, 251, 252, 253, 254
BINARY, TERMINAL_TYPE, END_OF_RECORD, TN3270E = 0, 24, 25, 40

# The 3270 code for a 6-bit value: bit 0 (0x80) and bit 1 (0x40) of each byte are set
# so that the byte is a printable EBCDIC graphic.
SIX_BIT = bytes([
    0x40, 0xC1, 0xC2, 0xC3, 0xC4, 0xC5, 0xC6, 0xC7, 0xC8, 0xC9, 0x4A, 0x4B, 0x4C, 0x4D, 0x4E, 0x4F,
    0x50, 0xD1, 0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0x5A, 0x5B, 0x5C, 0x5D, 0x5E, 0x5F,
    0x60, 0x61, 0xE2, 0xE3, 0xE4, 0xE5, 0xE6, 0xE7, 0xE8, 0xE9, 0x6A, 0x6B, 0x6C, 0x6D, 0x6E, 0x6F,
    0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7, 0xF8, 0xF9, 0x7A, 0x7B, 0x7C, 0x7D, 0x7E, 0x7F,
])

# Commands (the SNA-style codes a TN3270 host sends).
WRITE, ERASE_WRITE, ERASE_WRITE_ALTERNATE, ERASE_ALL_UNPROTECTED = 0xF1, 0xF5, 0x7E, 0x6F
READ_BUFFER, READ_MODIFIED, READ_MODIFIED_ALL, WRITE_STRUCTURED_FIELD = 0xF2, 0xF6, 0x6E, 0xF3

# TN3270E data types and response flags.
DATA_3270, SCS_DATA, RESPONSE, BIND_IMAGE, UNBIND, NVT_DATA, REQUEST, SSCP_LU_DATA, PRINT_EOJ = range(9)
NO_RESPONSE, ERROR_RESPONSE, ALWAYS_RESPONSE = 0, 1, 2
FN_BIND_IMAGE, FN_DATA_STREAM_CTL, FN_RESPONSES, FN_SCS_CTL_CODES, FN_SYSREQ = range(5)


def ebcdic(text):
    """Text in code page 037."""
    return text.encode("cp037")


def wcc(reset=False, print_start=False, line_length=0, alarm=False, restore=False, reset_mdt=False):
    """The Write Control Character: bits 2-7 as asked, bit 0 from the code table, bit 1
    the SNA reset bit."""
    low = (line_length & 3) << 4 | (0x08 if print_start else 0) | (0x04 if alarm else 0)
    low |= (0x02 if restore else 0) | (0x01 if reset_mdt else 0)
    return bytes([SIX_BIT[low] & 0x80 | (0x40 if reset else 0) | low])


def address(a, mode=12):
    """A buffer address: 12-bit coded, 14-bit or 16-bit binary."""
    if mode == 12:
        return bytes([SIX_BIT[a >> 6 & 0x3F], SIX_BIT[a & 0x3F]])
    if mode == 14:
        return bytes([a >> 8 & 0x3F, a & 0xFF])
    return struct.pack(">H", a)


def field_attribute(protected=False, numeric=False, display="normal", mdt=False):
    """The field attribute byte: display is normal, detectable, intensified or hidden."""
    intensity = {"normal": 0x00, "detectable": 0x04, "intensified": 0x08, "hidden": 0x0C}[display]
    bits = (0x20 if protected else 0) | (0x10 if numeric else 0) | intensity | (0x01 if mdt else 0)
    return SIX_BIT[bits]


# Orders.
def sba(a, mode=12):
    return b"\x11" + address(a, mode)


def sf(attribute):
    return bytes([0x1D, attribute])


def sfe(*pairs):
    return bytes([0x29, len(pairs)]) + b"".join(bytes(p) for p in pairs)


def mf(*pairs):
    return bytes([0x2C, len(pairs)]) + b"".join(bytes(p) for p in pairs)


def sa(kind, value):
    return bytes([0x28, kind, value])


def ic():
    return b"\x13"


def pt():
    return b"\x05"


def ra(a, character, graphic_escape=False, mode=12):
    return b"\x3C" + address(a, mode) + (b"\x08" if graphic_escape else b"") + bytes([character])


def eua(a, mode=12):
    return b"\x12" + address(a, mode)


def ge(character):
    return bytes([0x08, character])


# Extended attribute types and values.
FIELD, HIGHLIGHT, COLOUR, CHARSET = 0xC0, 0x41, 0x42, 0x43
BLINK, REVERSE, UNDERSCORE = 0xF1, 0xF2, 0xF4
BLUE, RED, PINK, GREEN, TURQUOISE, YELLOW, WHITE = range(0xF1, 0xF8)


def write(command, control, *orders):
    return bytes([command]) + control + b"".join(orders)


# Structured fields.
def structured_field(sfid, body=b""):
    return struct.pack(">H", 3 + len(body)) + bytes([sfid]) + body


def read_partition_query():
    return structured_field(0x01, b"\xFF\x02")


def read_partition_query_list(request_type, codes):
    return structured_field(0x01, bytes([0xFF, 0x03, request_type]) + bytes(codes))


def erase_reset(alternate=False):
    return structured_field(0x03, b"\x80" if alternate else b"\x00")


def set_reply_mode(mode, types=b""):
    return structured_field(0x09, bytes([0x00, mode]) + bytes(types))


def outbound_3270ds(command, control, *orders):
    return structured_field(0x40, bytes([0x00, command]) + control + b"".join(orders))


def write_structured_field(*fields):
    return bytes([WRITE_STRUCTURED_FIELD]) + b"".join(fields)


def bind_image(lu_type=2, size_code=0x7F, rows=24, columns=80, alt_rows=24, alt_columns=80, length=None):
    """A BIND request unit: byte 14 the LU type of the presentation-services profile,
    20-23 the default and alternate screen sizes, 24 the screen-size code."""
    b = bytearray(max(length or 28, 25))
    b[0] = 0x31  # BIND
    b[14] = lu_type
    b[20], b[21], b[22], b[23], b[24] = rows, columns, alt_rows, alt_columns, size_code
    return bytes(b[:length] if length else b)


def tn3270e(data_type, data=b"", request=0, response=NO_RESPONSE, sequence=0):
    return bytes([data_type, request, response]) + struct.pack(">H", sequence) + data


def record(data):
    """A telnet record: IAC doubled, ended by IAC EOR."""
    return data.replace(b"\xFF", b"\xFF\xFF") + bytes([IAC, EOR])


def split_records(stream):
    """The records in a received byte stream (IAC EOR ends one; other telnet commands
    are dropped) and the rest that has no end yet."""
    out, current, i = [], bytearray(), 0
    while i < len(stream):
        b = stream[i]
        if b != IAC:
            current.append(b)
            i += 1
            continue
        if i + 1 >= len(stream):
            break
        c = stream[i + 1]
        if c == IAC:
            current.append(IAC)
            i += 2
        elif c == EOR:
            out.append(bytes(current))
            current = bytearray()
            i += 2
        elif c == SB:
            end = stream.find(bytes([IAC, SE]), i)
            if end < 0:
                break
            i = end + 2
        elif c in (WILL, WONT, DO, DONT):
            if i + 2 >= len(stream):
                break
            i += 3
        else:
            i += 2
    return out, bytes(current) if i >= len(stream) else stream[i - len(current):]
