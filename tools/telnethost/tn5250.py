"""Builders of the 5250 data stream and of TN5250 records, for scripted hosts.

Written from RFC 1205 (5250 telnet interface), RFC 2877 and RFC 4777 (TN5250
enhancements) and the public 5250 data-stream references: a test states what a host
sends in the terms of those documents (a record with its operation code, commands,
Write To Display orders, field format words) and gets the bytes.
"""
import struct

IAC, EOR, SB, SE, WILL, WONT, DO, DONT = 255, 239, 250, 240, 251, 252, 253, 254
BINARY, TERMINAL_TYPE, END_OF_RECORD, NEW_ENVIRON = 0, 24, 25, 39

# Record operation codes (RFC 1205).
NO_OP, INVITE, OUTPUT_ONLY, PUT_GET, SAVE_SCREEN, RESTORE_SCREEN, READ_IMMEDIATE = 0, 1, 2, 3, 4, 5, 6
READ_SCREEN, CANCEL_INVITE, MESSAGE_LIGHT_ON, MESSAGE_LIGHT_OFF = 8, 10, 11, 12
# Flags byte 1 of the record header.
FLAG_ERROR, FLAG_ATTENTION, FLAG_SYSREQ, FLAG_TEST, FLAG_HELP = 0x80, 0x40, 0x04, 0x02, 0x01

ESC = 0x04
# Commands.
CLEAR_UNIT, CLEAR_UNIT_ALTERNATE, CLEAR_FORMAT_TABLE = 0x40, 0x20, 0x50
WRITE_TO_DISPLAY, WRITE_ERROR_CODE, ROLL = 0x11, 0x21, 0x23
READ_INPUT_FIELDS, READ_MDT_FIELDS, READ_MDT_ALTERNATE = 0x42, 0x52, 0x82
READ_IMMEDIATE_COMMAND, READ_SCREEN_COMMAND, READ_SCREEN_EXTENDED = 0x72, 0x62, 0x64
SAVE_SCREEN_COMMAND, RESTORE_SCREEN_COMMAND, WRITE_STRUCTURED_FIELD = 0x02, 0x12, 0xF3

# Field format word, first byte: the shift types; second byte: adjustments and checks.
ALPHA_SHIFT, ALPHA_ONLY, NUMERIC_SHIFT, NUMERIC_ONLY, DIGITS_ONLY, IO, SIGNED_NUMERIC = 0, 1, 2, 3, 5, 6, 7
BYPASS, DUP_ENABLE, MDT = 0x20, 0x10, 0x08
ZERO_FILL, BLANK_FILL, MANDATORY_FILL = 5, 6, 7
FIELD_EXIT_REQUIRED, MONOCASE, MANDATORY_ENTER, AUTO_ENTER = 0x40, 0x20, 0x08, 0x80
# Display attributes.
NORMAL, REVERSE, HIGH, UNDERLINE, BLINK, SEPARATORS, NON_DISPLAY = 0x20, 0x21, 0x22, 0x24, 0x28, 0x30, 0x27


def ebcdic(text):
    """Text in code page 037."""
    return text.encode("cp037")


def record(data=b"", opcode=PUT_GET, flags=0):
    """A 5250 record: the 10-byte header (length, type 0x12A0, reserved, variable header
    length 4, flags, reserved, operation code) and the data."""
    return struct.pack(">HHHBBBB", 10 + len(data), 0x12A0, 0, 4, flags, 0, opcode) + bytes(data)


def command(code, *parameters):
    return bytes([ESC, code]) + b"".join(bytes(p) for p in parameters)


def write_to_display(cc1, cc2, *orders):
    return command(WRITE_TO_DISPLAY, bytes([cc1, cc2]), *orders)


# Control characters of Write To Display.
CC1_NONE, CC1_RESET_MDT = 0x00, 0x40
CC2_UNLOCK, CC2_ALARM, CC2_MESSAGE_ON, CC2_MESSAGE_OFF = 0x08, 0x04, 0x01, 0x02


# Orders.
def sba(row, column):
    return bytes([0x11, row, column])


def ic(row, column):
    return bytes([0x13, row, column])


def ra(row, column, byte):
    return bytes([0x02, row, column, byte])


def soh(*header):
    return bytes([0x01, len(header)]) + bytes(header)


def td(data):
    return b"\x10" + struct.pack(">H", len(data)) + bytes(data)


def wea(kind, value):
    return bytes([0x12, kind, value])


def sf(attribute, length, shift=ALPHA_SHIFT, ffw1=0, ffw2=0, fcw=b""):
    """Start of Field of an input field: the field format word (0x40 | bits | shift, then
    the second byte), field control words, the attribute and the length."""
    return bytes([0x1D, 0x40 | ffw1 | shift, ffw2]) + bytes(fcw) + bytes([attribute]) + struct.pack(">H", length)


def output_field(attribute, length):
    return bytes([0x1D, attribute]) + struct.pack(">H", length)


def read(code=READ_MDT_FIELDS, cc1=0, cc2=0):
    return command(code, bytes([cc1, cc2]))


def structured_field(kind, data=b""):
    """A Write Structured Field of class 0xD9."""
    return command(WRITE_STRUCTURED_FIELD, struct.pack(">H", 4 + len(data)) + bytes([0xD9, kind]) + bytes(data))


QUERY = structured_field(0x70, b"\x00")
