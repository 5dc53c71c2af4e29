"""Builders of DG 410/412 host data, written from the terminal's command descriptions.

Native mode: single control codes and commands led in by RS (0x1E). Operands are bytes
whose low four bits count: a nibble is one byte, a byte value two (high nibble first), a
12-bit count three. The builders write each nibble as the character 0x30 + n (the
digits and ":;<=>?"), as hosts do. Replies carry positions as two bytes, each a nibble
with 0x40 added.

ANSI mode: ESC and CSI sequences; replies start with CSI, sent as ESC [.
"""

RS = b"\x1e"
DLE = b"\x10"
ENQ = b"\x05"
US = b"\x1f"
ACK = b"\x06"
ESC = b"\x1b"
CSI = b"\x1b["


def nibble(n):
    assert 0 <= n <= 15, n
    return bytes([0x30 + n])


def byte_value(v):
    """An operand of 0-255: two nibbles, high first."""
    assert 0 <= v <= 255, v
    return nibble(v >> 4) + nibble(v & 15)


def count12(v):
    assert 0 <= v <= 0xFFF, v
    return nibble(v >> 8) + nibble((v >> 4) & 15) + nibble(v & 15)


def rs(command):
    return RS + command


def rs_f(command, operands=b""):
    return RS + b"F" + command + operands


# ---- Native commands -----------------------------------------------------------------------

def write_cursor(column, row):
    """DLE column row, relative to the window (127 keeps one)."""
    return DLE + bytes([column & 0x7F, row & 0x7F])


def set_cursor(column, row):
    """RS F P: the screen's column and row (255 keeps one)."""
    return rs_f(b"P", byte_value(column) + byte_value(row))


def margins(left, right):
    return rs_f(b"X", byte_value(left) + byte_value(right))


def alternate_margins(row, left, right):
    return rs_f(b"Y", byte_value(row) + byte_value(left) + byte_value(right))


def show_columns(first, last):
    return rs_f(b"_", byte_value(first) + byte_value(last))


def pan_right(n):
    return rs_f(b"C", byte_value(n))


def pan_left(n):
    return rs_f(b"D", byte_value(n))


def change_attributes(count, set_mask, reset_mask):
    return rs_f(b"N", count12(count) + nibble(set_mask) + nibble(reset_mask))


def designate(value):
    """RS F S: the set for the current GL slot by its native value."""
    return rs_f(b"S", byte_value(value))


def windows(*definitions):
    """RS F B: (rows, compressed) pairs; a count of 0 or one reaching row 24 ends the list."""
    return rs_f(b"B", window_list(definitions))


def window_list(definitions):
    out = b""
    for rows, compressed in definitions:
        out += byte_value(rows) + nibble(1 if compressed else 0)
    return out


READ_CURSOR = rs_f(b"b")
READ_VIEW = rs_f(b"O")
READ_ID = rs(b"C")
COMPRESSED = rs_f(b"K")
NORMAL = rs_f(b"J")
ANSI_MODE = rs_f(b"@")
RESET = rs_f(b"A")
CONTROLLER_ON = rs_f(b"`")
CONTROLLER_OFF = rs_f(b"a")


def language_reporting(on):
    return rs_f(b"f", b"1" if on else b"0")


def eight_bit(on):
    return rs_f(b"U", b"1" if on else b"0")


# ---- Replies --------------------------------------------------------------------------------

def position(v):
    return bytes([0x40 | (v >> 4 & 15), 0x40 | (v & 15)])


def cursor_reply(column, row):
    """What RS F b answers."""
    return RS + b"o8" + position(column) + position(row)


def view_reply(first):
    return RS + b"o:" + position(first)


def id_reply(language=b"Y"):
    return RS + b"o#*8" + language


def address_reply(column, row):
    """What ENQ answers: US, then the column and row within the window as raw bytes."""
    return US + bytes([column, row])


# ---- ANSI mode ---------------------------------------------------------------------------------

def csi(params, final):
    return CSI + params.encode() + final.encode()


def cup(row, column):
    return csi("%d;%d" % (row, column), "H")


CPR_REQUEST = CSI + b"6n"
STATUS_REQUEST = CSI + b"5n"
NATIVE_MODE = CSI + b"<3l"


def cpr(row, column):
    return csi("%d;%d" % (row, column), "R")


def dcs_windows(*definitions):
    return ESC + b"PD" + window_list(definitions)
