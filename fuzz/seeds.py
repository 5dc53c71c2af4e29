"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/seed-*.

    python3 fuzz/seeds.py

The seeds are the tests' own fixtures (the scripted telnet host's protocol builders, the
DEC tests' sequences, the profile values of the settings tests) laid out as each target
reads its input. The targets read their choices through libFuzzer's FuzzedDataProvider,
which takes bytes from the front and numbers from the back; Input below builds that
layout. Run it again after changing a target's input layout, and commit the result.
"""
import glob
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tools"))
import telnethost as th  # noqa: E402
from telnethost import dg  # noqa: E402
from telnethost import tvi  # noqa: E402


class Input:
    """One input as FuzzedDataProvider reads it."""

    def __init__(self):
        self.front = bytearray()
        self.back = bytearray()  # in the order the numbers are consumed

    def number(self, value, low, high):
        """ConsumeIntegralInRange(low, high) giving `value`."""
        assert low <= value <= high, (value, low, high)
        span, offset, count = high - low, value - low, 0
        while count < 8 and (span >> (8 * count)) > 0:
            count += 1
        self.back += bytes((offset >> (8 * (count - 1 - i))) & 0xFF for i in range(count))
        return self

    def u8(self, value):
        return self.number(value, 0, 255)

    def u32(self, value):
        return self.number(value, 0, 0xFFFFFFFF)

    def i32(self, value):
        return self.number(value, -0x80000000, 0x7FFFFFFF)

    def flag(self, value):
        return self.u8(1 if value else 0)

    def data(self, data):
        """ConsumeBytes of exactly these bytes."""
        self.front += bytes(data)
        return self

    def text(self, data):
        """ConsumeRandomLengthString giving exactly `data`."""
        self.front += bytes(data).replace(b"\\", b"\\\\") + b"\\x"
        return self

    def bytes(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, name, data):
    directory = os.path.join(HERE, "corpus", target)
    os.makedirs(directory, exist_ok=True)
    with open(os.path.join(directory, "seed-" + name), "wb") as f:
        f.write(data)


# ---- the Wyse family ---------------------------------------------------------------------

def wyse_seeds():
    def seed(name, personality, flags, page, data):
        write("fuzz_wyse", name, bytes([personality | flags, page]) + data)
    esc = b"\x1b"
    seed("wy60-address-report", 7, 0x08, 0x00, esc + b"=%0" + esc + b"?" + esc + b"b" + esc + b"`;" + esc + b"a6R101C")
    seed("wy50-split-scroll", 0, 0x08, 0x00, esc + b"x1*" + b"upper\r\n" * 30 + esc + b"}" + b"lower\n" * 20)
    seed("wy50plus-pages", 1, 0x28, 0x03, esc + b"wJ" + esc + b"K" + b"x" * 2000 + esc + b"7" + esc + b"x3*")
    seed("wy60-banks-labels", 7, 0x18, 0x04, esc + b"cA041" + b"FF" * 16 + b"\x19" + esc + b"z0Edit\r" +
         esc + b"Z1@ls\r\x7f" + esc + b"Z~@" + esc + b"Aa3" + esc + b"G4attr" + esc + b"e*")
    seed("tvi925-protect", 4, 0x08, 0x00, esc + b")prot" + esc + b"(open" + esc + b"&" + esc + b"T" + esc + b"G4x" +
         esc + b"d" + b"\r")
    seed("adds-hz", 5, 0x08, 0x00, esc + b"Y%0A\x0bB\x10\x35C" + esc + b"0\x11")
    seed("hz1500-tilde", 6, 0x00, 0x00, b"~\x11j\x63Y~\x05~\x1a~\x13~\x1d" + esc + b"=!!")
    seed("wy50-colour", 0, 0x18, 0x00, esc + b"%?" + esc + b"Gp" + b"X" + esc + b"m8\"0" + esc + b"`6")


# ---- telnet ------------------------------------------------------------------------------

def telnet_input(session, chunks, sends=(), settings=0x15):
    """A telnet target input: the host's chunks, then the terminal's sends (data, record)."""
    i = Input().number(session, 0, 2)
    if session == 1:
        i.number(2, 0, 12)  # IBM-3278-2
    elif session == 2:
        i.flag(False)
    i.u8(settings).flag(False).flag(True)
    for chunk in chunks:
        i.number(0, 0, 7).number(len(chunk), 1, 600).data(chunk)
    for data, record in sends:
        i.number(3, 0, 7).number(len(data), 0, 300).data(data).flag(record)
    return i.bytes()


def telnet_seeds():
    login = [th.do(th.TERMINAL_TYPE) + th.ttype_send() + th.will(th.SGA) + th.will(th.ECHO),
             b"login: " + th.escape(b"\xff\xfe") + th.cmd(th.NOP) + b"\r\n",
             th.do(th.NEW_ENVIRON) + th.env_send((th.ENV_VAR, "USER"), (th.ENV_USERVAR, None)),
             th.do(th.TIMING_MARK) + th.cmd(th.AYT) + th.do(th.SEND_LOCATION)]
    write("fuzz_telnet", "vt-login", telnet_input(0, login, [(b"user\r\xff", False)]))
    write("fuzz_telnet", "vt-split-commands", telnet_input(0, [b"a\xff", b"\xfd", b"\x18b", b"\xff\xfa\x18", b"\x01\xff",
                                                             b"\xf0c"]))
    tn3270e = [th.do(th.TN3270E),
               th.tn3270e(th.E_SEND, th.E_DEVICE_TYPE),
               th.tn3270e(th.E_DEVICE_TYPE, th.E_IS, "IBM-3278-2-E", th.E_CONNECT, "LU1"),
               th.tn3270e(th.E_FUNCTIONS, th.E_IS, th.F_BIND_IMAGE, th.F_RESPONSES),
               th.record(b"\x00\x00\x00\x00\x01\xf5\xc3\x11\x40\x40\x1d\xf0hello"),
               th.tn3270e(th.E_DEVICE_TYPE, th.E_REJECT, th.E_REASON, th.R_INV_NAME)]
    write("fuzz_telnet", "tn3270e", telnet_input(1, tn3270e, [(b"\x00\x00\x00\x00\x01\x7d\x40\x40", True)]))
    regime = [th.do(th.TERMINAL_TYPE), th.ttype_send(), th.do(th.END_OF_RECORD) + th.will(th.END_OF_RECORD),
              th.do(th.BINARY) + th.will(th.BINARY), th.record(b"\xf5\xc3\x11\x40\x40hi\xff"),
              th.do(th.REGIME_3270) + th.sb(th.REGIME_3270, b"\x01")]
    write("fuzz_telnet", "tn3270-records", telnet_input(1, regime, [(b"\x7d\x40\x40\xff", True)], settings=0x05))
    tn5250 = [th.do(th.NEW_ENVIRON) + th.env_send((th.ENV_USERVAR, "IBMRSEED"), (th.ENV_VAR, None)),
              th.do(th.TERMINAL_TYPE) + th.ttype_send(),
              th.do(th.END_OF_RECORD) + th.will(th.END_OF_RECORD) + th.do(th.BINARY) + th.will(th.BINARY),
              th.record(b"\x00\x12\x12\xa0\x00\x00\x04\x00\x00\x03\x04\x40\x11\x01\x01hi")]
    write("fuzz_telnet", "tn5250", telnet_input(2, tn5250, [(b"\x00\x0a\x12\xa0\x00\x00\x04\x00\x00\xf3", True)]))


# ---- LPR ---------------------------------------------------------------------------------

def lpr_input(acks, payload=b"hello\n", retries=0, debug=False):
    """An LPR target input: the request, then every step of the link in the order the
    transfer asks for them. `acks` are (byte, text behind a refusal) pairs."""
    i = Input().text(b"127.0.0.1").text(b"lp").text(b"report").text(b"bob").text(b"client")
    i.i32(7).i32(1).i32(0).number(retries, 0, 20).u32(100).number(1 if debug else 0, 0, 1)
    i.number(len(payload), 0, 5000).data(payload)
    for step in range(4):  # socket, resolve, service, connect
        i.number(1, 0, 15)
    for byte, text in acks:
        i.number(1, 0, 31).flag(False)  # a send taken whole
        i.number(0, 0, 5).i32(0).number(1, 0, 3)
        if byte == 0:
            i.flag(True)
        else:
            i.flag(False).u8(byte).text(text)
    return i.bytes()


def lpr_seeds():
    write("fuzz_lpr", "printed", lpr_input([(0, b"")] * 6))
    write("fuzz_lpr", "refused", lpr_input([(1, b"unknown printer lp\n")], retries=2, debug=True))
    write("fuzz_lpr", "refused-late", lpr_input([(0, b""), (0, b""), (2, b"no space on device\n")]))


# ---- host byte path ----------------------------------------------------------------------

SEQUENCE = re.compile(r'\b([CE])\("((?:[^"\\]|\\.)*)"\)')


def literal(text):
    """A C++ string literal's bytes (the escapes the tests use)."""
    return text.encode("latin-1").decode("unicode_escape").encode("latin-1")


def dec_test_sequences(path):
    """Every C("...") (CSI) and E("...") (ESC) sequence a DEC test feeds, in file order."""
    with open(path, encoding="utf-8") as f:
        source = f.read()
    return b"".join((b"\x1b[" if kind == "C" else b"\x1b") + literal(text) + b"x"
                    for kind, text in SEQUENCE.findall(source))


def hostpath_seeds():
    # Header: emulation and model, settings, screen shape, chunk seed (see the target).
    vt420, vt100 = 2 | (8 << 2), 1
    tests = os.path.join(HERE, "..", "tests", "terminal", "emulations", "dec")
    for path in sorted(glob.glob(os.path.join(tests, "**", "*_test.cpp"), recursive=True), key=os.path.basename):
        name = os.path.basename(path)[:-len("_test.cpp")]
        sequences = dec_test_sequences(path)
        if sequences:
            write("fuzz_hostpath", "dec-" + name, bytes([vt420, 0x42, 0x00, 7]) + sequences)
    numbered = b"".join(b"line%d\r\n" % n for n in range(1, 31))
    write("fuzz_hostpath", "reverse-index-history",
          bytes([vt420, 0x02, 0x00, 3]) + numbered + b"\x1b[HRI1\x1bM\x1bM\x1b[1;1HTOP\x1b[2T\x1b[3S")
    write("fuzz_hostpath", "region-flood",
          bytes([vt420, 0x82, 0x09, 11]) + b"\x1b[2;22r\x1b[22;1H" +
          b"".join(b"\x1b[3%d;4%dmline %d\x1b[K\r\n" % (i % 8, i % 5, i) for i in range(40)) +
          b"\x1b[2;1H" + b"\x1bMback\r" * 3)
    # The VT420's control strings: keys, PC keys, macros and their replay.
    write("fuzz_hostpath", "vt420-keys-macros", bytes([vt420, 0x02, 0x00, 9]) +
          b"\x1bP0;1|17/414243;99/5A;18/44\x1b\\\x1bP1;0|19/45\x1b\\\x1b@a/(x)<y>/\x1b!b\"t\"" +
          b"\x1bP5;0;0!zABC\x1b\\\x1b[5*z\x1bP2;0;1!z5A1B5B322A7A\x1b\\\x1b[2*z\x1b[?62n")
    write("fuzz_hostpath", "vt510-pc-keys", bytes([2 | (12 << 2), 0x02, 0x00, 4]) +
          b"\x1bP1;1;1|11/414243\x1b\\\x1bP\"x112/1/100/4142/0;113/2/93\x1b\\\x1bP\"y31/aA.-b\x1b\\")
    write("fuzz_hostpath", "vt420-status-edit", bytes([vt420, 0x02, 0x00, 6]) +
          b"\x1b[2$~\x1b[1$}\x1b[11`hello\x1b[0$}\x1b[1$~\x1bVName:\x1bW\x1b[?13's\x1b[2|\x1b[?10h" +
          b"Bob\x1b[2J\x1b[1;4}\x1bFx\x1bG\x1b L\x1b5")
    write("fuzz_hostpath", "vt52", bytes([0, 0x00, 0x00, 1]) +
          b"\x1bH\x1bJ\x1bY%*VT52\x1bFqqq\x1bG\x1bA\x1bB\x1bC\x1bD\x1bI\x1bK\x1bZ\x1b<")
    write("fuzz_hostpath", "vt100-8bit", bytes([3 | (12 << 2), 0x40, 0x00, 5]) +
          b"\x1b G\x9b5n\x9b?6h\x90$qm\x9c\x9d0;title\x9c\x1b F")
    write("fuzz_hostpath", "vt100-7bit-data", bytes([vt100 | (0 << 2), 0x01, 0x10, 2]) +
          b"\x1b[?3h\x1b#8\x1b#6\x1b#3wide\x1b(0lqqk\x1b(B\x0e\x0f\x1b[4h ins\x1b[4l\x1b[?3l")


def ibm3151_seeds():
    # Header: mode | format << 2 | profile << 4, typed bytes, chunk seed (see the target).
    screens = (b"\x1bY  \x1b3 B title\x1bY\"*\x1b3 Adata\x1bY\"0\x1b3 B\x1b8"
               b"\x1b r\"! ,\"0\" ,\"P\x1b qBhost\x1b!6\x1b 7\x1b$9.31C\x1b6")
    write("fuzz_ibm3151", "fields-partitions", bytes([0, 0, 3]) + screens)
    write("fuzz_ibm3151", "block-typed", bytes([2, 4, 5]) + b"ab\x1bA" + b"\x1b3 Hx\x1bE\x1b 8")
    write("fuzz_ibm3151", "character-132", bytes([1 | (3 << 2), 2, 7]) + b"xy\x1b[5;101H\x1b5\x1b>A\xea\xf1")
    write("fuzz_ibm3151", "profile-pf-status", bytes([0x10, 0, 1]) + bytes(range(64)) +
          b"\x1b!=A0abc\x1b=\x1b=status\x1b4$ablink\x1b=\x10\x12AB\x10\x14\x1b SZ")


def tvi_seeds():
    # Header: bit 0 TVI 950, bits 1-2 page size, bit 3 wide; then the typed bytes' count.
    reports = (tvi.address(5, 16) + tvi.report_cursor() + tvi.report_page() + tvi.report_csi() +
               tvi.report_csi(True) + tvi.identify())
    write("fuzz_tvi", "reports", bytes([0, 0]) + reports)
    write("fuzz_tvi", "wide-pages", bytes([1 | 8, 0]) + tvi.address(1, 100) + tvi.report_cursor() +
          tvi.auto_page() + tvi.address(23, 3) + b"x\n" + tvi.next_page() + tvi.page_size(1) + b"\n" * 100)
    write("fuzz_tvi", "fields-boxes", bytes([2, 2]) + b"k\x1b" + b"AB" + tvi.write_protect() + b"XY" +
          tvi.write_protect(False) + b"CD" + tvi.protect() + tvi.send_line() + tvi.box(3, 3) +
          tvi.address(1, 3) + tvi.box(3, 3) + tvi.lock_line() + b"\x1bG4text\x1b[=2h\x1bG8")
    write("fuzz_tvi", "status-print", bytes([4, 0]) + tvi.load_status(1) + tvi.status_tab(-16) + b"X" +
          b"\t\x7f\x7fX\r" + tvi.transparent_print() + b"AB\r\n" + tvi.end_print() + tvi.copy_print() +
          b"CD\x14\x1b[99999999999A\x1b[2000000000@\x1b[10;1v\x1bU\x1b\x01\x1bX")
def hp700_seeds():
    # Header: pages - 2 | no handshake << 3 | 8-bit << 4 | 132 columns << 5, typed bytes.
    form = (b"\x1bH\x1bJName: \x1b[     \x1b] Age: \x1b[   \x1b]\r\n\x1bWAnn\t42\x1b&k1B\x1b&s1D\x1bh\x1bd\x11")
    write("fuzz_hp700", "form-transfer", bytes([2, 0]) + form)
    write("fuzz_hp700", "replies", bytes([0, 0]) + b"\x1b^\x1b^\x11\x1b~\x11\x1b*s-1^\x11\x1b&v0.5a2I\x1b&v2^\x11"
          b"\x1b&a5y10C\x1ba\x11\x1b`\x11\x05")
    write("fuzz_hp700", "memory-lock-roll", bytes([0, 0]) + b"head\r\n\x1bl" + b"line\r\n" * 60 +
          b"\x1bT\x1bV\x1bU\x1bF\x1bm\x1b&a-2Y\x1b&a+3C\x1bL\x1bM\x1bP\x1bO\x1bN ab")
    write("fuzz_hp700", "eight-bit-alternate", bytes([0x18 | 0x20, 3]) + b"abc" + bytes(range(0xA0, 0x100)) +
          b"\x0e,./\x0f\x1b&dJx\x1b&d@\x1bYctl\r\x1bZ\x1b&j160L" + b"x" * 170)
    # User keys: defined, backed up, executed by attribute (the typed ESC k 0 E and the
    # host's), the definition screen with typed text and its transfer, the self test.
    write("fuzz_hp700", "user-keys", bytes([0, 4]) + b"ab\x1bK" + b"\x1b&f2k4d3LABCDxyz\x1b&f0B\x1b&f1a3k5Lhello"
          b"\x1b&f3E\x1b&f1B\x1b&f1k200L" + b"q" * 90 + b"\x1b&f9k3Labc\x1b&f-1E\x1bj\x1b&a2y5C\x1bd\x11"
          b"\x1b&jB\x1b&f2E\x11\x1bz\x1b&q1L\x1b&jC")


HP_PROFILE_NAMES = [
    "hp_modall", "hp_blockmode", "hp_remote", "hp_autolf", "hp_configlock", "hp_destbs", "hp_echo",
    "hp_enqack", "hp_termid", "hp_capslock", "hp_startclmn", "hp_inhhndshk", "hp_inhdc2", "hp_escxfer",
    "hp_bell", "hp_txfunctns", "hp_spow", "hp_inheolwrap", "hp_txpage", "hp_8bits", "hp_crnull",
    "hp_datashi", "hp_chkparity", "hp_typeahead", "hp_promptchar", "hp_fieldsep", "hp_blockterm",
    "hp_printff", "hp_ignoreff", "hp_width80", "hp_pages", "hp_returndef", "szCustomHPID", "hp_hue",
    "hp_light", "hp_sat", "hp_foreground", "hp_background", "hp_pflabels", "hp_pfstrings",
]


def hp700profile_input(values):
    """An input of fuzz_hp700profile: (name, key number or None, type, bytes) values."""
    types = {4: 0, 3: 1, 1: 2, 0: 3}
    seed = Input().number(len(values), 0, 48)
    for name, key, kind, data in values:
        seed.number(1, 0, 7).number(HP_PROFILE_NAMES.index(name), 0, len(HP_PROFILE_NAMES) - 1)
        if key is not None:
            seed.number(key, 0, 9)
        seed.number(types[kind], 0, 3)
        if kind == 4:
            seed.number(1, 0, 15)
        else:
            seed.number(len(data), 0, 300)
        seed.data(data)
    return seed.bytes()


def units(*values):
    return b"".join(v.to_bytes(2, "little") for v in values)


def hp700profile_seeds():
    dword = lambda v: v.to_bytes(4, "little")  # noqa: E731
    write("fuzz_hp700profile", "modes-pages", hp700profile_input([
        ("hp_pages", None, 4, dword(2)), ("hp_enqack", None, 4, dword(0)), ("hp_termid", None, 4, dword(4)),
        ("hp_blockterm", None, 4, dword(3)), ("hp_width80", None, 4, dword(0)), ("hp_remote", None, 4, dword(0))]))
    write("fuzz_hp700profile", "pages-refused", hp700profile_input([
        ("hp_pages", None, 4, dword(9)), ("hp_startclmn", None, 4, dword(300))]))
    label = b"".join(units(ord(c)) for c in "f1 T LABEL  first  second ")
    write("fuzz_hp700profile", "user-keys", hp700profile_input([
        ("hp_pflabels", 0, 3, label), ("hp_pfstrings", 0, 3, units(0x6C, 0x73, 0x0D)),
        ("hp_pflabels", 1, 3, label), ("hp_pfstrings", 1, 3, units(0x61, 0, 0x62)),
        ("hp_pflabels", 3, 3, label), ("hp_returndef", None, 3, units(13, 10)),
        ("szCustomHPID", None, 3, units(0x41, 0x42, 0, 0x43))]))
    write("fuzz_hp700profile", "palette-pairs", hp700profile_input([
        ("hp_hue", None, 3, units(*range(0, 400, 25))), ("hp_light", None, 3, units(*range(16))),
        ("hp_foreground", None, 3, units(7, 6, 5, 4, 3, 2, 1, 0)),
        ("hp_background", None, 3, units(0, 0, 0, 0, 0, 0, 0, 16))]))


def ansiconsole_seeds():
    # Header: console (0 Ansi BBS, 1 SCO Console, 2 AT 386) and code page << 2; character
    # mode and capture answer (see the target).
    path = os.path.join(HERE, "..", "tests", "terminal", "emulations", "dec", "ansi", "ansiconsole_test.cpp")
    sequences = dec_test_sequences(path)
    for console, name in ((0, "bbs"), (1, "sco"), (2, "at386")):
        write("fuzz_ansiconsole", "tests-" + name, bytes([console, 0x02]) + sequences)
    write("fuzz_ansiconsole", "sco-screens-keys", bytes([1 | (2 << 2), 0x02]) +
          b"first\x1b[2zsecond\x1b[=0L\x1b[7m\x1b[K\x1b[1z\x1bQ0'hello'\x1b[0;59;\"dir\";13p" +
          b"\x1b[0;59;0;59p\x1b[=65;27g[5n\x1bPzlog.txt;\x1b[=0h\x1b[2;1;4m\x1b[12mZlqk\x1b[10m")
    write("fuzz_ansiconsole", "aixterm", bytes([3, 0x00]) +
          b"\x1b]0;title\x07\x1b]2;t\x1b\\\x1b[?5Tstatus\x1b[?F\x1b[?E\x1b[0c\x1b(0lqk\x1b(B\x1b[31;44m\x1b[2J")
    write("fuzz_ansiconsole", "unclosed-quote", bytes([1, 0x00]) + b"\x1b[0;59;\"" + b"q" * 300)


# ---- profile -------------------------------------------------------------------------------

SECTIONS = ["SAVEDITEMS", "COLOURS", "CONNECTION", "PRINTING", "AUX", "VT300"]
COLOUR_NAMES = ["hue", "lightness", "saturation", "bwswap"]
UDK_NAMES = ["vt220pf_key", "vt220pf_count", "vt220pf_local", "vt220pf_end", "vt220pf_area0", "vt220pf_area1",
             "vt220pf_area2", "vt220pf_area15", "vt220pf_area16"]
TYPES = [1, 3, 4, 2, 0, 7]


def profile_input(values):
    """A profile target input: (section, name, type, bytes) values; names of the colour and
    key tables by their index, any other name as text."""
    i = Input().number(len(values), 0, 48)
    for section, name, kind, data in values:
        i.number(SECTIONS.index(section), 0, 5)
        if section == "COLOURS" and name in COLOUR_NAMES:
            i.number(0, 0, 3).number(COLOUR_NAMES.index(name), 0, 3)
        elif section == "VT300" and name in UDK_NAMES:
            i.number(0, 0, 3).number(UDK_NAMES.index(name), 0, len(UDK_NAMES) - 1)
        else:
            i.number(3, 0, 3).text(name.encode("ascii"))
        i.number(TYPES.index(kind), 0, len(TYPES) - 1).flag(False).number(len(data), 0, 1100).data(data)
    return i.bytes()


def units(*values):
    return b"".join(v.to_bytes(2, "little") for v in values)


def profile_seeds():
    palette = [("COLOURS", name, 3, units(*([value] * 16))) for name, value in
               (("hue", 120), ("lightness", 50), ("saturation", 60))]
    write("fuzz_profile", "palette", profile_input(palette))
    # The damaged COLOURS record: hue 65535, lightness and saturation 65330.
    damaged = [("COLOURS", "hue", 3, units(65535) * 16), ("COLOURS", "lightness", 3, units(65330) * 16),
               ("COLOURS", "saturation", 3, units(65330) * 16)]
    write("fuzz_profile", "palette-out-of-range", profile_input(damaged))  # once a finding
    keys = [("VT300", "vt220pf_area0", 3, units(*b"\x1b[17~hello world, a key text ..")),
            ("VT300", "vt220pf_key", 3, units(*([0] * 72))), ("VT300", "vt220pf_count", 3, units(*([5] * 72))),
            ("VT300", "vt220pf_local", 3, units(*([0xFFFF] * 72))), ("VT300", "vt220pf_end", 4, (32).to_bytes(4, "little"))]
    write("fuzz_profile", "user-defined-keys", profile_input(keys))
    texts = [("CONNECTION", "netname", 1, "host.example".encode("utf-16-le") + b"\0\0"),
             ("PRINTING", "PMPrinter", 1, b"x" * 1000), ("VT300", "tabstops", 1, b"T\0 \0"),
             ("SAVEDITEMS", "savemacros", 4, (0).to_bytes(4, "little")), ("VT300", "autowrap", 4, b"\xff\xff\xff\xff")]
    write("fuzz_profile", "texts-and-numbers", profile_input(texts))


# ---- tn3270 ------------------------------------------------------------------------------

def tn3270_input(model, tn3270e, functions, steps):
    """A tn3270 target input: steps are ("record", bytes), ("key", code, shift) or
    ("char", code)."""
    i = Input().number(model, 0, 12).flag(tn3270e).u8(functions)
    for step in steps:
        if step[0] == "record":
            i.number(0, 0, 3).text(step[1])
        elif step[0] == "key":
            i.number(2, 0, 3).number(step[1], 60, 300).number(step[2], 0, 7)
        else:
            i.number(3, 0, 3).number(step[1], 0, 0x17F)
    return i.bytes()


def tn3270_seeds():
    from telnethost import tn3270 as t
    w = t.wcc(reset=True, restore=True, reset_mdt=True)
    name = t.write(t.ERASE_WRITE, w, t.sba(0), t.sf(0x60), t.ebcdic("NAME:"), t.sf(0x40), t.ic(), t.sba(20), t.sf(0x60))
    data = lambda payload, seq: t.tn3270e(t.DATA_3270, payload, response=t.ALWAYS_RESPONSE, sequence=seq)
    responses = 1 << t.FN_RESPONSES
    write("fuzz_tn3270", "name-screen-typed", tn3270_input(8, True, responses, [
        ("record", data(name, 1)), ("char", ord("A")), ("char", ord("B")), ("key", 111, 0),
        ("record", data(t.write(t.WRITE, t.wcc(restore=True)), 2)), ("record", data(bytes([t.READ_MODIFIED_ALL]), 3)),
        ("key", 77, 1), ("key", 85, 0)]))
    bind = t.bind_image(lu_type=2, size_code=0x7F, rows=24, columns=80, alt_rows=27, alt_columns=132)
    write("fuzz_tn3270", "bind-and-alternate", tn3270_input(0, True, responses | 1 << t.FN_BIND_IMAGE, [
        ("record", t.tn3270e(t.BIND_IMAGE, bind, response=t.ERROR_RESPONSE, sequence=1)),
        ("record", data(t.write(t.ERASE_WRITE_ALTERNATE, w, t.sba(3563), t.ebcdic("Z")), 2)),
        ("record", t.tn3270e(t.UNBIND, b"\x01")), ("record", t.tn3270e(t.NVT_DATA, b"hi\r\n"))]))
    fields = t.write(t.ERASE_WRITE, w, t.sfe((t.FIELD, 0x60), (t.COLOUR, t.RED), (t.HIGHLIGHT, t.REVERSE)),
                     t.ebcdic("RED"), t.sf(0x50), t.sa(t.CHARSET, 0xF1), t.ge(0xC5), t.ra(300, 0xA2, True),
                     t.eua(400), t.pt(), t.mf((t.COLOUR, t.GREEN)))
    write("fuzz_tn3270", "reply-modes-plain", tn3270_input(11, False, 0, [
        ("record", fields), ("record", t.write_structured_field(t.set_reply_mode(2, [0x41, 0x42, 0x43]))),
        ("record", bytes([t.READ_BUFFER])), ("record", t.write_structured_field(t.erase_reset(True))),
        ("char", ord("x")), ("key", 115, 0), ("key", 87, 0), ("key", 83, 0), ("char", ord("y"))]))
    write("fuzz_tn3270", "queries", tn3270_input(8, True, responses, [
        ("record", data(t.write_structured_field(t.read_partition_query()), 1)),
        ("record", data(t.write_structured_field(t.read_partition_query_list(0, [0x87, 0xA6])), 2)),
        ("record", data(b"\xf3\x00\x09\x03\x00", 3))]))


# ---- scs ---------------------------------------------------------------------------------

def scs_input(tn3270e, lu, start, end, method, steps, size_code=0):
    """An scs target input: steps are ("scs", bytes), ("data", bytes) or ("eoj",)."""
    i = Input().flag(tn3270e).flag(lu == 3).text(start.encode()).text(end.encode()).number(method, 0, 2)
    if tn3270e:
        i.number(size_code if lu == 3 else 0, 0, 2)
    for step in steps:
        if step[0] == "eoj":
            i.number(2, 0, 2)
        else:
            i.number(0 if step[0] == "scs" else 1, 0, 2).text(step[1])
    return i.bytes()


def scs_seeds():
    from telnethost import scs
    from telnethost import tn3270 as t
    page = (scs.shf(132, 1, 132, [10, 20]) + scs.svf(66, 1, 60, [10, 30]) + scs.sld(9) + scs.text("TITLE") +
            scs.control(scs.NL) + scs.text("A") + scs.control(scs.HT) + scs.text("B") + scs.control(scs.BS) +
            scs.text("_") + scs.control(scs.VT) + scs.text("C") + scs.vcs(2) + scs.text("D") +
            scs.trn(b"\x1bE") + scs.control(scs.CR, scs.LF, scs.FF) + scs.graphic_escape(0xAD))
    write("fuzz_scs", "page-format", scs_input(True, 1, "", "", 0, [("scs", page), ("eoj",)]))
    envelope = b"\x06\x01\x00\x0b\x60\x00" + b"\x00\x09\x41\x00" + scs.text("HELLO")
    write("fuzz_scs", "plain-envelope", scs_input(False, 1, "", "", 0, [("scs", envelope), ("scs", scs.text("X" * 140))]))
    bypass = t.write(t.ERASE_WRITE, t.wcc(print_start=True), t.ebcdic("AB&&1B45X"), t.sba(1915), t.ebcdic("&&1B%"))
    write("fuzz_scs", "bypass", scs_input(True, 3, "&&", "ANY NON HEX1", 0, [("data", bypass), ("eoj",)], size_code=2))
    lines = t.write(t.ERASE_WRITE, t.wcc(print_start=True, line_length=3), t.ebcdic("A"), bytes([0x15, 0x1C, 0x1E]),
                    t.sf(0x4C), t.ebcdic("HIDDEN"), t.sf(0x40), t.ebcdic("SHOWN"))
    write("fuzz_scs", "formatted", scs_input(False, 3, "%", "%", 0, [("data", lines)]))


# ---- printer5250 -------------------------------------------------------------------------

def printer5250_input(started, steps):
    """A printer5250 target input: steps are ("record", bytes), ("status", out of paper)
    or ("cancel", stopped)."""
    i = Input().flag(started)
    for step in steps:
        if step[0] == "record":
            i.number(0, 0, 3).text(step[1])
        elif step[0] == "status":
            i.number(2, 0, 3).flag(step[1])
        else:
            i.number(3, 0, 3).flag(step[1])
    return i.bytes()


def printer5250_seeds():
    from telnethost import tn5250printer as p
    write("fuzz_printer5250", "startup-and-print", printer5250_input(False, [
        ("record", p.startup_response("I902")), ("record", p.print_record(p.blocks(b"HELLO", end=True))),
        ("record", p.print_record(b"", operation=p.END_OF_PRINT))]))
    write("fuzz_printer5250", "chain", printer5250_input(True, [
        ("record", p.print_record(p.blocks(b"CHAIN")[:-2], flags=p.FIRST_OF_CHAIN)),
        ("record", p.print_record(b"IN" + bytes([p.END_OF_JOB]), flags=p.LAST_OF_CHAIN)),
        ("record", p.print_record(bytes([p.BLOCK, 8]) + b"AB"))]))
    write("fuzz_printer5250", "faults", printer5250_input(True, [
        ("record", p.print_record(p.blocks(b"A"), flags=p.FIRST_OF_CHAIN)), ("cancel", True),
        ("record", p.print_record(p.blocks(b"B"))), ("cancel", False), ("status", True),
        ("record", p.print_record(p.blocks(b"C"))), ("record", p.startup_response("X999", length=37))]))
    write("fuzz_printer5250", "unknown-startup", printer5250_input(False, [
        ("record", p.startup_response("8902")), ("record", p.startup_response("X999"))]))


# ---- tn5250 ------------------------------------------------------------------------------

def tn5250_input(model, enhanced, steps):
    """A tn5250 target input: steps are ("record", bytes), ("key", code, shift) or
    ("char", code)."""
    i = Input().number(model, 0, 14).flag(enhanced)
    for step in steps:
        if step[0] == "record":
            i.number(0, 0, 3).text(step[1])
        elif step[0] == "key":
            i.number(2, 0, 3).number(step[1], 60, 200).number(step[2], 0, 7)
        else:
            i.number(3, 0, 3).number(step[1], 0, 0x17F)
    return i.bytes()


def tn5250_seeds():
    from telnethost import tn5250 as t
    name = t.record(t.command(t.CLEAR_UNIT) + t.write_to_display(0, t.CC2_UNLOCK, t.sba(1, 1), t.ebcdic("NAME:"),
                                                                  t.sf(t.UNDERLINE, 10)) + t.read())
    write("fuzz_tn5250", "name-screen-typed", tn5250_input(3, False, [
        ("record", name), ("char", ord("A")), ("char", ord("B")), ("key", 111, 0),
        ("record", t.record(t.write_to_display(0, t.CC2_UNLOCK) + t.read())), ("key", 68, 1), ("key", 113, 1)]))
    fields = t.write_to_display(0x40, t.CC2_UNLOCK, t.soh(0, 0, 1, 24, 0, 0, 4), t.sba(2, 2),
                                t.sf(t.NORMAL, 5, t.NUMERIC_ONLY, ffw2=t.ZERO_FILL, fcw=b"\x80\x02"),
                                t.sba(3, 2), t.sf(t.REVERSE, 6, t.SIGNED_NUMERIC, fcw=b"\xb1\xa0\x80\x01"),
                                t.wea(1, 0x84), t.td(b"\x3f\x20"), t.ra(5, 10, 0xC1), t.ic(2, 3))
    write("fuzz_tn5250", "fields-and-keys", tn5250_input(3, False, [
        ("record", t.record(t.command(t.CLEAR_UNIT) + fields + t.read(t.READ_INPUT_FIELDS))),
        ("char", ord("1")), ("key", 114, 0), ("char", ord("A")), ("key", 95, 0), ("key", 113, 0),
        ("char", ord("4")), ("key", 96, 0), ("key", 111, 0), ("record", t.record(t.command(t.SAVE_SCREEN_COMMAND))),
        ("record", t.record(t.command(t.READ_SCREEN_EXTENDED))), ("record", t.record(t.QUERY))]))
    window = t.write_to_display(0, t.CC2_UNLOCK, t.sba(5, 10),
                                bytes.fromhex("15 00 09 D9 51 80 00 00 03 0A"), t.sba(10, 5),
                                bytes.fromhex("15 00 19 D9 50 20 00 00 11 00 00 00 06 01 02 00 4B 00 00 00 00 00 "
                                              "0B 10 40 01 00 C1 C2 C3 C4 C5 C6"))
    write("fuzz_tn5250", "windows-and-choices", tn5250_input(6, True, [
        ("record", t.record(t.command(t.CLEAR_UNIT_ALTERNATE, b"\x00") + window + t.read())),
        ("key", 91, 0), ("key", 140, 0), ("record", t.record(b"", t.CANCEL_INVITE))]))
    text = (t.structured_field(0x32, b"\x00\x80\x00\x00") +
            t.structured_field(0x34, bytes.fromhex("00 00 08 00 05 01 02 00 46 03")) +
            t.structured_field(0x35, bytes.fromhex("00 00 00 00 07 00 00 03 01 14 02")) +
            t.structured_field(0x36, bytes.fromhex("00 00 00 48 00 03 00 05 0E 00 00 00 03 00 00 00 00 0C 80 00 00 "
                                                   "00 0E 00 00 00 04 00 00 00 00 0D 00 00 00 00")))
    write("fuzz_tn5250", "text-assist", tn5250_input(3, False, [
        ("record", t.record(t.command(t.CLEAR_UNIT) + text)), ("char", ord("W")), ("char", ord("o")),
        ("key", 68, 0), ("record", t.record(b"\x00\x08\x12\xa0\x00\x00\x04\x00"))]))


# ---- code-page files ----------------------------------------------------------------------

def codepage_input(file, unicode_to_byte, name=b"IBM00037.S2U", a=(), b=()):
    i = Input().number(len(a), 0, 12)
    for n in a:
        i.number(n, 0, 0xFFFF)
    i.number(len(b), 0, 12)
    for n in b:
        i.number(n, 0, 0xFFFF)
    return i.text(name).flag(unicode_to_byte).data(file).bytes()


def codepage_seeds():
    import importlib.util
    # The tables come from the same generator the program's code-page files do.
    found = importlib.util.spec_from_file_location(
        "makecodepages", os.path.join(HERE, "..", "tools", "codepages", "makecodepages.py"))
    generator = importlib.util.module_from_spec(found)
    found.loader.exec_module(generator)
    name = generator.charset_name(37)
    write("fuzz_codepages", "s2u-037", codepage_input(generator.byte_to_unicode(name), False, a=(37, 273, 500),
                                                      b=(37, 500, 1141)))
    write("fuzz_codepages", "u2s-037", codepage_input(generator.unicode_to_byte(name), True, b"ibm01141.u2s"))
    write("fuzz_codepages", "u2s-page-past-end", codepage_input(bytes([2] * 256) + bytes(256), True))


# ---- macro strings ------------------------------------------------------------------------

def utf16(text):
    return text.encode("utf-16-le")


def macro_input(macro, mode=4, host=False, clip="A\r\nB\r\n", keep=False, name="<C+VK_F1>"):
    i = Input().number(mode, 4, 6).flag(host)
    i.number(len(macro), 0, 700).data(utf16(macro))
    i.flag(keep).number(len(clip), 0, 300).data(utf16(clip))
    return i.number(len(name), 0, 40).data(utf16(name)).bytes()


def macro_seeds():
    write("fuzz_macros", "plain-and-brackets", macro_input("a<<b((c<VK_RETURN>"))
    write("fuzz_macros", "combination", macro_input("<CONTROL+VT_F6><SHIFT>x<A-B>", mode=6))
    write("fuzz_macros", "tokens", macro_input('(notepad)<"Notepad">' + "<'x'>", host=True))
    write("fuzz_macros", "c1-and-box", macro_input("\x9b5~", clip="\u250c\u2500\u2510\r\n\u2502", keep=True))


# ---- login scripts and replay --------------------------------------------------------------

def login_input(response, condition, steps):
    """A response, a condition, then (awaited text) or (None, received text) steps."""
    i = Input().number(len(response), 0, 300).data(utf16(response))
    i.number(len(condition), 0, 90).data(utf16(condition))
    for awaited, received in steps:
        if awaited is not None:
            i.flag(True).number(len(awaited), 0, 90).data(utf16(awaited))
        else:
            i.flag(False).number(len(received), 0, 200).data(utf16(received))
    return i.bytes()


def login_seeds():
    write("fuzz_loginscript", "escapes", login_input("a^Mb_027c\\^d<CR>x^\\", "<KU>", []))
    write("fuzz_loginscript", "tokens", login_input("me<UN>^M<PW>^M<P><D><CONTROL+VK_F1><<x>>", "<KL>", []))
    write("fuzz_loginscript", "sliding-match",
          login_input("", "", [("login:", None), (None, "xxlogin: "), ("Password: ", None), (None, "Password: ")]))


def replay_input(name, file, record_mode=True, step=False, answer=4):
    i = Input().text(name)
    i.flag(True).flag(True).flag(record_mode).flag(step).number(answer, 3, 5).flag(True)
    return i.data(file).bytes()


def replay_seeds():
    records = b"\x01\x02\xff\xef\x03\xff\xff\xff\xef\x04\xff\xf1\x05\xff\xef"
    write("fuzz_replay", "records", replay_input(b"log.txt", records))
    write("fuzz_replay", "stepped-abort", replay_input(b"..\\x", records * 3, step=True, answer=3))
    write("fuzz_replay", "stepped-run", replay_input(b"CON.txt", records * 3, step=True, answer=5))
    write("fuzz_replay", "plain-session", replay_input(b"C:\\x", b"plain text\r\n" + records, record_mode=False))


# ---- printer-controller data -------------------------------------------------------------

def print_input(host, flags=0, charset=0, lines=60, columns=132, not_ready=0):
    i = Input().u8(flags).number(charset, 0, 11).number(lines, 1, 80).number(columns, 1, 160)
    i.number(not_ready, 0, 20)
    return i.data(host).bytes()


def print_seeds():
    # The printing tests' controller job, raw and as text, and an auto-printed screen.
    job = b"AB\r\nC\x1b[5i\x9b4ishown"
    write("fuzz_print", "controller-raw", print_input(job, flags=8))
    write("fuzz_print", "controller-text", print_input(job, lines=3, columns=10, flags=32))
    write("fuzz_print", "vt52", print_input(b"ab\x1bX" + b"x" * 300, flags=1 | 8, not_ready=5))
    write("fuzz_print", "autolf", print_input(b"A\r\nB\rC\x0c\tD\x08_\x19\x1f", flags=16, charset=1))
    write("fuzz_print", "national", print_input(bytes(range(128, 256)), flags=8 | 16, charset=1))


# ---- bitmap files -------------------------------------------------------------------------

def bitmap_file(width, height, bits, header=40, colours=None, used=0, compression=0):
    import struct
    if colours is None:
        colours = used or (1 << bits if bits <= 8 else 0)
    entry = 3 if header == 12 else 4
    if header == 12:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression, 0, 2835, 2835, used, 0)
        info = info[:header].ljust(header, b"\0")
    table = b"".join(bytes([i & 0xFF, i * 3 & 0xFF, i * 7 & 0xFF, 0][:entry]) for i in range(colours))
    row = (width * bits + 31) // 32 * 4
    pixels = bytes(i * 5 & 0xFF for i in range(row * abs(height)))
    body = info + table + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, 14 + len(info) + len(table)) + body


def bitmap_seeds():
    write("fuzz_bitmapfile", "24-bit", bitmap_file(5, 3, 24))
    write("fuzz_bitmapfile", "8-bit-used", bitmap_file(9, -4, 8, used=16))
    write("fuzz_bitmapfile", "1-bit-short-header", bitmap_file(17, 2, 1, header=16))
    write("fuzz_bitmapfile", "core-4-bit", bitmap_file(6, 6, 4, header=12))
    write("fuzz_bitmapfile", "32-bit-masks", bitmap_file(3, 2, 32, used=3, compression=3))
    write("fuzz_bitmapfile", "16-bit-v5", bitmap_file(3, 2, 16, header=124, used=1, compression=3))


# ---- toolbar values ---------------------------------------------------------------------

TOOLBAR_TYPES = [3, 1, 4, 0, 7]


def toolbar_input(values, keep=False):
    """A toolbar target input: (key 0 section/1 Defns/2 Actions, number, type, bytes)
    values; in the section any number below 60 names "Floating"."""
    i = Input().flag(keep).number(len(values), 0, 40)
    for key, number, kind, data in values:
        i.number(key, 0, 2).number(number, 0, 66).number(TOOLBAR_TYPES.index(kind), 0, 4)
        i.number(len(data), 0, 700).data(data)
    return i.bytes()


def toolbar_seeds():
    signed = lambda *v: b"".join((x & 0xFFFF).to_bytes(2, "little") for x in v)
    factory = [(1, n, 3, signed(2 if n % 4 else 6, 2 + 28 * (n % 4), 2, 28 + 28 * (n % 4), 24, n, n))
               for n in range(13)]
    write("fuzz_toolbar", "factory-buttons", toolbar_input(factory + [(0, 0, 3, signed(-50, 40, 72, 165))]))
    texts = [(1, 0, 3, signed(2, 2, 2, 28, 24, 9, 45)), (2, 0, 1, "ls^M".encode("utf-16-le") + b"\0\0"),
             (1, 63, 3, signed(2, 2, 2, 28, 24, 500, 200)), (2, 63, 1, b"x\0" * 300),
             (1, 5, 3, signed(2, 2, 2, 28)), (2, 7, 1, b"orphan\0")]
    write("fuzz_toolbar", "texts-and-damage", toolbar_input(texts, keep=True))


# ---- pass-through printing ------------------------------------------------------------------

def aux_input(host, drop=False, vt52=False, csi=True, autolf=False):
    return Input().flag(drop).flag(vt52).flag(csi).flag(autolf).data(host).bytes()


def aux_seeds():
    # The aux port tests' data: text, MC 5 passed on, MC 6 closing (7-bit and 8-bit).
    write("fuzz_auxfilter", "mc6", aux_input(b"AB\r\nC\x1b[5i\x9b6i"))
    write("fuzz_auxfilter", "vt52", aux_input(b"ab\x1bY\x1bX", vt52=True))
    write("fuzz_auxfilter", "autolf-flow", aux_input(b"A\r\nB\rC\x00\x11\x13\x1b[6x\x1b\x1b[6i", drop=True, autolf=True))

# ---- softbar -------------------------------------------------------------------------------

SOFTBAR_NAMES = ["cSoftButtonLevel", "cSoftButtonLevelView", "Order", "Attached", "x", "y", "w", "h", "cx",
                 "Level0Vis", "Level1Vis", "Level2Vis", "Level3Vis", "0", "7", "13", "55"]


def softbar_input(machine, user):
    """A softbar target input: the two passes' values by name, a number a DWORD and a
    list a button's place (four 32-bit units, binary)."""
    i = Input()
    for values in (machine, user):
        i.number(len(values), 0, 24)
        for name, value in values:
            if isinstance(value, list):
                data, kind = b"".join((v & 0xFFFFFFFF).to_bytes(4, "little") for v in value), 2
            else:
                data, kind = (value & 0xFFFFFFFF).to_bytes(4, "little"), 0
            i.number(SOFTBAR_NAMES.index(name), 0, len(SOFTBAR_NAMES) - 1).number(kind, 0, 3)
            i.number(len(data), 0, 20).data(data)
    return i.bytes()


def softbar_seeds():
    write("fuzz_softbar", "factory", softbar_input([], []))
    # The program tests' floating bar saved partly off the screen, and four levels.
    write("fuzz_softbar", "floating", softbar_input(
        [("cSoftButtonLevelView", 4)], [("Attached", 0), ("x", -50), ("y", -10), ("w", 500), ("h", 120),
                                        ("Order", 1), ("cx", 60)]))
    write("fuzz_softbar", "hidden-one-level", softbar_input([("cSoftButtonLevelView", -1), ("Level1Vis", 1)], []))
    # Buttons laid out by hand in a floating bar: machine-wide places, one the user's.
    write("fuzz_softbar", "button-places", softbar_input(
        [("Attached", 0), ("0", [5, 3, 60, 20]), ("13", [0, 0, 8192, 8192])], [("55", [2, 2, 40, 20]), ("7", [9, 9, 1, 1])]))


# ---- ta6530 ---------------------------------------------------------------------------------

def ta_block(control, data, sequence=None):
    body = (bytes([sequence]) if sequence is not None else b"") + data + b"\x03"
    check = 0
    for b in body:
        check ^= b
    return bytes([control]) + body + bytes([check])


def ta6530_seeds():
    # Header: line and settings (bit 0 serial, bit 1 telserv 0, bits 2-5 packet block,
    # bits 6-7 default mode); keyboard (bit 0 echo, bit 1 eight bits, bits 2-7 a key).
    write("fuzz_ta6530", "conversational", bytes([0x00, 0x04]) +
          b"\x13\x25\x2aX\x05\x1b^\x1bu!AB\x1bvB85 C0\r\x1b?\x1bS\x1bT\x1bU\x1bV\x1bt" +
          b"".join(b"line %d\r\n" % i for i in range(30)))
    write("fuzz_ta6530", "reduced-block", bytes([0x00, 0x00]) +
          b"\x01B\x03x\x1bb\x11\x20\x20HELLO\x1b]\x20\x20\x20\x6f\x14\x45|\x12\x25X\x1bp3\x1bq\x1b;#")
    write("fuzz_ta6530", "full-serial", bytes([0x01 | (3 << 2), 0x02 | (1 << 2)]) + ta_block(1, b"B") +
          ta_block(2, b"\x1bb", 0x20) + ta_block(2, b"HI", 0x21) + ta_block(2, b"\x1b]   o", 0x22) + b"\x15\x06" +
          ta_block(2, b"\x1b?", 0x20) + b"\x06" + ta_block(2, b"\x14\x05", 0x20) + b"\x05\x06")
    write("fuzz_ta6530", "protected", bytes([0x02, 0x00]) + ta_block(1, b"B") + ta_block(2,
          b"\x1bW\x1bb\x11\x20\x20\x1d\x20\x20Name\x1d\x20\x44     \x1d\x20\x20\x1b[A@A\x1b`!A@02BcE\x05" +
          b"\x1c\x21\x20\x41\x1b>\x1bQ  7o\x1b-0;1;3q0A0B0C\x1b-1s\x1b-x\x1bO\x1bP\x1bL\x1bM", 0x20))
    write("fuzz_ta6530", "ansi", bytes([0x80, 0x00]) + b"\x1b[2J\x1b[3;5HX\x1b[2@\x1b[3P\x1b[1AW\x9b15;1H" +
          b"\x1b[7m\x1b[4mU\x1b[0m\x1b[6n\x1b[c\x1bP?R03B08\x1b\\\x1b[x\x1b[2S\x1b[1T\x1b[5b\x1b[1;1;2;80v")


# ---- DG 410/412 --------------------------------------------------------------------------

def dg_input(text, ansi=False, eight_bit=True, controller=False, language=0):
    """Choices (mode, the profile's 8-bit setting, the controller wired) and language."""
    choices = (1 if ansi else 0) | (2 if eight_bit else 0) | (4 if controller else 0)
    return bytes([choices, language]) + text


def dg_seeds():
    write("fuzz_dg", "native-cursor-replies", dg_input(
        dg.write_cursor(5, 10) + dg.ENQ + dg.READ_CURSOR + dg.language_reporting(False) + dg.READ_ID))
    write("fuzz_dg", "native-windows-views", dg_input(
        dg.windows((10, False), (14, True)) + dg.set_cursor(0, 12) + b"text" + dg.pan_right(20) +
        dg.READ_VIEW + dg.margins(1, 100) + dg.show_columns(0, 255) + dg.alternate_margins(3, 2, 50) +
        dg.alternate_margins(255, 1, 3) + dg.rs_f(b"Z") + dg.COMPRESSED + dg.NORMAL))
    write("fuzz_dg", "native-edit-protect", dg_input(
        b"abcdef" + dg.rs_f(b"L") + b"guarded" + dg.rs_f(b"M") + dg.rs_f(b"V") + b"\r\x18\x19\x17\x1a" +
        dg.rs(b"J") + dg.rs(b"K") + dg.rs_f(b"H") + dg.rs_f(b"I") + dg.rs_f(b"[") + dg.rs_f(b"\\") +
        dg.change_attributes(4000, 15, 5) + dg.rs_f(b"F") + b"\x0b\x0c" + dg.RESET))
    write("fuzz_dg", "native-charsets", dg_input(
        dg.designate(2) + b"#" + dg.eight_bit(False) + b"\xc1" + dg.eight_bit(True) + b"\xc1" +
        dg.designate(17) + b"!+*" + dg.designate(15) + b"ABC", language=9))
    write("fuzz_dg", "native-controller", dg_input(
        dg.CONTROLLER_ON + b"A" + dg.RS + b"F" + dg.RS + b"Fx" + dg.CONTROLLER_OFF + b"B", controller=True))
    write("fuzz_dg", "ansi-session", dg_input(
        dg.cup(4, 9) + dg.CPR_REQUEST + dg.STATUS_REQUEST + b"\x1b[<0;<1;<2;<4l\x1b[1;6;<2h" +
        b"\x1b[3;2;2;1;1;1v\x1b(B\x1b)4\x0f" + b"\x1b)6\x0e!+\x0f" + b"\x1b[2;4;5;7mX\x1b[m" +
        b"\x1b[2@\x1b[3P\x1b[L\x1b[M\x1b[S\x1b[T\x1b[K\x1b[J\x1b[2J\x1b[x\x1b[0t" +
        dg.dcs_windows((5, False), (0, True)) + b"\x1b[1;2;100w\x1b[1;3;50t\x1b[0w\x1b[2;1;2;9w" +
        b"\x1b[7 @\x1b[3 A" + dg.NATIVE_MODE, ansi=True))
    write("fuzz_dg", "ansi-far-operands", dg_input(
        b"\x1b[u\x1b[2;;1;5w\x1b['H\x1b[1;1;4000000000t\x1b[99999999999A\x1b[4000000000C\x1b[4000000000q" +
        b"\x9b" + b"6n\x1b[12\x1b[3;4H", ansi=True, eight_bit=False))
    write("fuzz_dg", "ansi-controller", dg_input(
        b"\x1b[5iA\x1b[5i\x1b[\x9b" + b"4iB", ansi=True, controller=True))


# ---- connection wizard -------------------------------------------------------------------
def wizard_command_seeds():
    lines = {
        "edit-blank-name": "VXNTCONWIZ.EXE -EMy Host -M",
        "delete": "\"C:\\Program Files\\vexaNT\\VXNTCONWIZ.EXE\" /DA",
        "start-line": "-F -E2 -MC3 \"-WA B\" -MZ -BL0 -TB -L -MB -MD -MF -MS -MT -V -J -CA",
        "name-like-switches": "-WHost-Finance -MC12 -E-3",
    }
    for name, line in lines.items():
        write("fuzz_wizardcommand", name, line.encode("utf-16-le"))


WIZARD_KEYS = ["CONNECTION", "Telnet", "VT300", "AIXTerm", "IBM3151", "ZARA", "PRINTING", "AUX", "Window",
               "HP70092", "IBM3270", "IBM5250", "Telnet\\5250,VAR", "Telnet\\5250,USERVAR",
               "Telnet\\5250PRT,USERVAR", "MACROS\\key"]
WIZARD_SCRIPT = ["iNumEntries", "Initiate", "WaitFor0", "WaitCond0", "Response0", "WaitFor1"]


def wizard_text(seed, text, most):
    seed.number(len(text), 0, most)
    for ch in text:
        seed.number(ord(ch), 0, 0xFFFF)


def wizard_profile_input(printer, entries):
    """entries: (user, where, key or script index, value row or name, number or text)."""
    seed = Input().flag(printer).number(len(entries), 0, 24)
    for user, where, key, value, content in entries:
        seed.flag(user).number(where, 0, 2)
        if where == 0:
            seed.number(key, 0, len(WIZARD_SCRIPT) - 1)
        else:
            seed.number(key, 0, len(WIZARD_KEYS) - 1)
            if where == 1:
                seed.number(value, 0, 101)
            else:
                wizard_text(seed, value, 12)
        if isinstance(content, int):
            seed.flag(True).u32(content)
        else:
            seed.flag(False)
            wizard_text(seed, content, 80)
    return seed.bytes()


def wizard_profile_seeds():
    write("fuzz_wizardprofile", "host-script", wizard_profile_input(False, [
        (False, 1, 0, 3, "host.example"), (False, 1, 0, 0, 0), (False, 0, 0, 0, 2), (False, 0, 2, 0, "login:"),
        (False, 0, 4, 0, "guest<CR>"), (True, 1, 2, 39, 5)]))
    write("fuzz_wizardprofile", "printer-5250", wizard_profile_input(True, [
        (False, 1, 2, 38, 7), (False, 2, 14, "IBMTRANSFORM", "1"), (False, 2, 14, "DEVNAME", "PRT01"),
        (False, 2, 14, "IBMPPRSRC1", "13"), (True, 2, 14, "IBMENVELOPE", "-4")]))
    write("fuzz_wizardprofile", "types-crossed", wizard_profile_input(False, [
        (False, 1, 0, 3, 5), (False, 1, 0, 9, "23"), (False, 0, 0, 0, 0xFFFFFFFF), (True, 0, 1, 0, "x")]))


if __name__ == "__main__":
    telnet_seeds()
    tn3270_seeds()
    scs_seeds()
    printer5250_seeds()
    tn5250_seeds()
    lpr_seeds()
    hostpath_seeds()
    ibm3151_seeds()
    tvi_seeds()
    hp700_seeds()
    hp700profile_seeds()
    ansiconsole_seeds()
    ta6530_seeds()
    profile_seeds()
    codepage_seeds()
    macro_seeds()
    login_seeds()
    replay_seeds()
    print_seeds()
    bitmap_seeds()
    toolbar_seeds()
    aux_seeds()
    softbar_seeds()
    dg_seeds()
    wyse_seeds()
    wizard_command_seeds()
    wizard_profile_seeds()
