"""TVI 950 and 955 host sequences, written from the terminals' programming descriptions,
for what a terminfo entry does not name: reports and identities, page size and pages,
status rows, boxes, protected fields and sends, printing and the wide screen. Sequences
terminfo names are taken from `tput` itself (terminfo()).
"""
import subprocess

ESC = b"\x1b"
ACK, CR, LF, FS, US, EM = b"\x06", b"\r", b"\n", b"\x1c", b"\x1f", b"\x19"
DC2, DC4, TAB = b"\x12", b"\x14", b"\t"


def terminfo(term, capability, *args):
    """The bytes `tput -T term capability args` writes."""
    return subprocess.run(["tput", "-T", term, capability, *[str(a) for a in args]], capture_output=True,
                          check=True).stdout


def address(row, column):
    """ESC = row column, 32 added to each; columns from 80 as "~" and the column less 48."""
    col = bytes([column + 32]) if column < 80 else b"~" + bytes([column - 48])
    return ESC + b"=" + bytes([row + 32]) + col


def address_page(page, row, column):
    """ESC - page row column."""
    return ESC + b"-" + bytes([ord("0") + page]) + address(row, column)[2:]


def report_cursor():
    """ESC ?: row and column, 32 added to each, then CR."""
    return ESC + b"?"


def report_page():
    """ESC /: the page digit first, then as ESC ?."""
    return ESC + b"/"


def report_csi(with_page=False):
    """CSI 6 n, or CSI ? 6 n with the page: ESC [ row ; column R, counted from 0."""
    return ESC + (b"[?6n" if with_page else b"[6n")


def cursor_answer(row, column, page=None):
    """What ESC ? (or ESC / with the page) answers."""
    col = bytes([column + 32]) if column < 80 else b"~" + bytes([column - 48])
    head = b"" if page is None else bytes([ord("0") + page])
    return head + bytes([row + 32]) + col + CR


def identify():
    """ESC M: the terminal identification."""
    return ESC + b"M"


IDENTITY = {"TVI950": b"1.0,8\r", "TVI955": b"955 1.0,3\r"}


def wide(on=True):
    """CSI = 3 h / l: 132 or 80 columns."""
    return ESC + (b"[=3h" if on else b"[=3l")


def page_size(pages):
    """ESC \\ n: 4, 2 or 1 pages of 96 lines."""
    return ESC + b"\\" + {4: b"1", 2: b"2", 1: b"3"}[pages]


def auto_page(on=True):
    return ESC + (b"v" if on else b"w")


def next_page():
    return ESC + b"K"


def previous_page():
    return ESC + b"J"


def lock_line(on=True):
    """ESC ! 1 locks the cursor's line; ESC ! 0 unlocks all."""
    return ESC + (b"!1" if on else b"!0")


def protect(on=True):
    """ESC & protect mode on, ESC ' off."""
    return ESC + (b"&" if on else b"'")


def write_protect(on=True):
    """ESC ) characters written become protected, ESC ( not."""
    return ESC + (b")" if on else b"(")


def send_line(unprotected=True):
    """ESC 4 (unprotected) or ESC 6 (all): the line up to the cursor."""
    return ESC + (b"4" if unprotected else b"6")


def box(width, height):
    """ESC H w h: a box whose corners lie w columns and h rows apart."""
    return ESC + b"H" + bytes([width + 32, height + 32])


def load_status(line, clear=True):
    """ESC _ x y: line 97 ("0"), the user line 98 ("1") or line 99 ("2")."""
    return ESC + b"_" + bytes([ord("0") + line]) + (b"0" if clear else b"1")


def status_tab(column):
    """TAB x while a status row is loaded: the load column x less 32."""
    return TAB + bytes([column + 32])


def transparent_print():
    """ESC ` ... ESC a: bytes go to the printer only."""
    return ESC + b"`"


def end_print():
    return ESC + b"a"


def copy_print():
    """DC2 ... DC4: bytes are printed and shown."""
    return DC2


def print_page():
    """ESC P: the page is printed; the host then receives the print-complete answer."""
    return ESC + b"P"


