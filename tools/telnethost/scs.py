"""Builders of SNA Character String (SCS) printer data, for scripted hosts.

Written from IBM's SCS reference for 3287-class printers and RFC 2355 (SCS-DATA, the
SCS-CTL-CODES function): a test states the text and the controls a host application
sends to an LU type 1 printer and gets the bytes.
"""
from .tn3270 import ebcdic

# Single-byte controls.
BS, HT, VT, FF, CR, NL, IRS, LF, BEL = 0x16, 0x05, 0x0B, 0x0C, 0x0D, 0x15, 0x1E, 0x25, 0x2F
GE, VCS, TRN, SA = 0x08, 0x04, 0x35, 0x28
CSP = 0x2B  # control sequence prefix: class, count (counting itself), parameters


def text(s):
    return ebcdic(s)


def control(*codes):
    return bytes(codes)


def _sequence(cls, params):
    return bytes([CSP, cls, len(params) + 1]) + bytes(params)


def shf(mpp=None, left=None, right=None, tabs=()):
    """Set Horizontal Format: maximum print position, margins, tab stops (1-based)."""
    params = [p for p in (mpp, left, right) if p is not None]
    if tabs:
        params = [mpp or 0, left or 0, right or 0] + list(tabs)
    return _sequence(0xC1, params)


def svf(lines=None, top=None, bottom=None, tabs=()):
    """Set Vertical Format: lines per page, margins, vertical tab lines (1-based)."""
    params = [p for p in (lines, top, bottom) if p is not None]
    if tabs:
        params = [lines or 0, top or 0, bottom or 0] + list(tabs)
    return _sequence(0xC2, params)


def sld(value=None):
    """Set Line Density: none for 6 lines per inch, else the value (0, 12, 9, 18, 24)."""
    return _sequence(0xC6, [] if value is None else [value])


def vcs(channel):
    """Vertical Channel Select: to the line of the channel's vertical tab (1-15)."""
    return bytes([VCS, channel & 0x0F])


def trn(data):
    """Transparent: the bytes reach the printer unchanged."""
    return bytes([TRN, len(data)]) + bytes(data)


def graphic_escape(code):
    return bytes([GE, code])
