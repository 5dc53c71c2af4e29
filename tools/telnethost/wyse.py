"""Wyse family host sequences, written from the terminals' programming descriptions:
what a host sends to a WY50, WY50+, WY60, the TeleVideo 910/920/925, the ADDS A2 and
the Hazeltine 1500 personalities, for the sequences a terminfo entry does not name
(reports, personality switches, set-up and key definitions). Sequences terminfo names
are taken from `tput` itself (terminfo()).
"""
import subprocess

ESC = b"\x1b"
ENQ, ACK, CR, EM, DEL = b"\x05", b"\x06", b"\r", b"\x19", b"\x7f"

# ESC ~ and the personality it selects.
PERSONALITY = {"WY50": b"@", "WY50+": b'"', "TVI910": b"#", "TVI920": b"'", "TVI925": b"$",
               "ADDS A2": b"%", "HZ1500": b"&", "WY60": b"4", "VT500 7-Bit": b"B"}


def terminfo(term, capability, *args):
    """The bytes `tput -T term capability args` writes."""
    return subprocess.run(["tput", "-T", term, capability, *[str(a) for a in args]], capture_output=True,
                          check=True).stdout


def personality(name):
    return ESC + b"~" + PERSONALITY[name]


def identify():
    """ESC SP: the terminal identification."""
    return ESC + b" "


def report_cursor():
    """ESC ?: row and column, 32 added to each, then CR."""
    return ESC + b"?"


def report_decimal():
    """ESC b: the row and column in three decimal digits, "R" and "C"."""
    return ESC + b"b"


def report_page():
    """ESC /: the page digit, row, column, CR."""
    return ESC + b"/"


def columns132():
    return ESC + b"`;"


def answerback_mode(on=True):
    return ESC + b"e" + (b"!" if on else b" ")


def answerback(text):
    """ESC c ; text EM: the answerback message."""
    return ESC + b"c;" + bytes(text) + EM


def report_key(key_byte):
    """ESC Z ~ key: the key's definition comes back."""
    return ESC + b"Z~" + bytes([key_byte])


def application_keys(on=True):
    return ESC + b"~" + (b"3" if on else b"2")


def display_lines(lines):
    """ESC e ( ) * +: 24, 25, 42 or 43 lines."""
    return ESC + b"e" + {24: b"(", 25: b")", 42: b"*", 43: b"+"}[lines]
