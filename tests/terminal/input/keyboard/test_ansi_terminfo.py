"""The ANSI console family's keys against the terminfo descriptions of the same
terminals (ncurses' scoansi, at386 and aixterm, read with tput), for every key on which our key tables
and the description agree by design. The bytes come from the key path itself (keyprobe:
key events through the dispatcher and the key actions to the connection)."""
import subprocess
import sys
import unittest

PROBE = sys.argv.pop(1) if len(sys.argv) > 1 else None

SCO, AT386, AIXTERM = 5, 21, 23
# Key codes: F1-F12 68-79; editing pad Insert 83, Home 84, Page Up 85, Delete 86, End 87,
# Page Down 88; Up 89, Left 90, Down 91, Right 92; Tab 115.
F = {n: 67 + n for n in range(1, 13)}
CURSOR = [("kcuu1", 89, 0), ("kcub1", 90, 0), ("kcud1", 91, 0), ("kcuf1", 92, 0)]


def function_keys(first, shift, count=12):
    return [("kf%d" % (first + n), F[n + 1], shift) for n in range(count)]


CASES = {
    # The SCO console numbers its shifted, control and control-shifted function keys on;
    # terminfo leaves out kf14, which would clash with the back-tab key, and gives the
    # Ctrl+Shift+F12 key a letter where the console sends none.
    ("scoansi", SCO): function_keys(1, 0) + [c for c in function_keys(13, 1) if c[0] != "kf14"]
    + function_keys(25, 2) + function_keys(37, 3, 11)
    + [("kich1", 83, 0), ("khome", 84, 0), ("kpp", 85, 0), ("kdch1", 86, 0), ("kend", 87, 0), ("knp", 88, 0),
       ("kcbt", 115, 1)] + CURSOR,
    ("at386", AT386): function_keys(1, 0)
    + [("kich1", 83, 0), ("khome", 84, 0), ("kpp", 85, 0), ("kend", 87, 0), ("knp", 88, 0)] + CURSOR,
    ("aixterm", AIXTERM): function_keys(1, 0) + [("khome", 84, 0)] + CURSOR,
}


def terminfo(term, cap):
    r = subprocess.run(["tput", "-T", term, cap], capture_output=True, timeout=30)
    return r.stdout if r.returncode == 0 else None


def probe(keys):
    lines = "".join("%d %d %d\n" % key for key in keys)
    out = subprocess.run([PROBE], input=lines, capture_output=True, text=True, timeout=60, check=True).stdout
    return [bytes.fromhex(line) for line in out.splitlines()]


class AnsiKeysAgainstTerminfo(unittest.TestCase):
    def test_keys_match_the_descriptions(self):
        for (term, emulation), caps in CASES.items():
            expected = [terminfo(term, cap) for cap, _, _ in caps]
            actual = probe([(emulation, code, shift) for _, code, shift in caps])
            for (cap, code, shift), want, got in zip(caps, expected, actual):
                with self.subTest(term=term, cap=cap):
                    self.assertIsNotNone(want, "%s has no %s" % (term, cap))
                    self.assertEqual(got, want, "key %d shift %d" % (code, shift))


if __name__ == "__main__":
    unittest.main()
