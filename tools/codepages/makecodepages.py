#!/usr/bin/env python3
"""Writes IBM code-page files from glibc's iconv: IBMnnnnn.S2U (256 big-endian UTF-16
entries, one per host byte) and IBMnnnnn.U2S (a 256-byte page index by a character's
high byte, then pages of 256 bytes; page n starts at n x 256).

    makecodepages.py OUTDIR CCSID...

Every host byte is converted on its own, and every character of the Basic Multilingual
Plane back, so the files hold exactly what iconv does in each direction. A byte iconv
cannot convert gives SUB (U+001A); a character without a byte gives 0x3F, the EBCDIC SUB.
"""

import ctypes
import ctypes.util
import os
import sys

SUB_CHARACTER = 0x001A
SUB_BYTE = 0x3F

_libc = ctypes.CDLL(ctypes.util.find_library("c"), use_errno=True)
_libc.iconv_open.restype = ctypes.c_void_p
_libc.iconv_open.argtypes = [ctypes.c_char_p, ctypes.c_char_p]
_libc.iconv.restype = ctypes.c_size_t
_libc.iconv.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t),
                        ctypes.POINTER(ctypes.c_char_p), ctypes.POINTER(ctypes.c_size_t)]
_libc.iconv_close.argtypes = [ctypes.c_void_p]
_FAILED = ctypes.c_void_p(-1).value


class Converter:
    def __init__(self, to, source):
        self.cd = _libc.iconv_open(to.encode(), source.encode())
        if self.cd in (None, _FAILED):
            raise LookupError("%s to %s" % (source, to))

    def convert(self, data):
        """The converted bytes, or None when iconv refuses the input."""
        _libc.iconv(self.cd, None, None, None, None)
        inbuf = ctypes.create_string_buffer(data, len(data))
        out = ctypes.create_string_buffer(16)
        inp = ctypes.c_char_p(ctypes.addressof(inbuf))
        outp = ctypes.c_char_p(ctypes.addressof(out))
        inleft = ctypes.c_size_t(len(data))
        outleft = ctypes.c_size_t(16)
        if _libc.iconv(self.cd, ctypes.byref(inp), ctypes.byref(inleft), ctypes.byref(outp),
                       ctypes.byref(outleft)) == ctypes.c_size_t(-1).value or inleft.value:
            return None
        return out.raw[:16 - outleft.value]

    def close(self):
        _libc.iconv_close(self.cd)


def charset_name(ccsid):
    """The name glibc knows the CCSID by."""
    for name in ("IBM%03d" % ccsid, "IBM%d" % ccsid, "CP%d" % ccsid):
        try:
            Converter("UTF-16BE", name).close()
            return name
        except LookupError:
            continue
    raise LookupError("iconv has no code page %d" % ccsid)


def byte_to_unicode(name):
    decode = Converter("UTF-16BE", name)
    table = bytearray()
    for byte in range(256):
        out = decode.convert(bytes([byte]))
        table += out if out is not None and len(out) == 2 else SUB_CHARACTER.to_bytes(2, "big")
    decode.close()
    return bytes(table)


def unicode_to_byte(name):
    encode = Converter(name, "UTF-16BE")
    pages = {}
    for character in range(0x10000):
        if 0xD800 <= character <= 0xDFFF:
            continue
        out = encode.convert(character.to_bytes(2, "big"))
        if out is not None and len(out) == 1:
            pages.setdefault(character >> 8, bytearray([SUB_BYTE] * 256))[character & 0xFF] = out[0]
    encode.close()
    # Page 1 holds SUB throughout, for every high byte without a character in the set.
    index = bytearray([1] * 256)
    body = bytearray([SUB_BYTE] * 256)
    for number, high in enumerate(sorted(pages), start=2):
        index[high] = number
        body += pages[high]
    return bytes(index + body)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    outdir = argv[1]
    os.makedirs(outdir, exist_ok=True)
    for ccsid in (int(a) for a in argv[2:]):
        name = charset_name(ccsid)
        for section, table in (("S2U", byte_to_unicode(name)), ("U2S", unicode_to_byte(name))):
            with open(os.path.join(outdir, "IBM%05d.%s" % (ccsid, section)), "wb") as f:
                f.write(table)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
