"""The DEC emulation beside xterm -ti vt420 on the same streams, where the Parts leave
the behaviour to the real terminal: the cursor's moves and the line and character
operations with left/right margins and origin mode, and streams of the VT420's
rectangular-area commands. Both terminals run the stream, then report the cursor and
a checksum of every cell:

- xterm with checksumExtension 7 gives each cell's character, with 5 its character
  plus 0x10 underline, 0x20 reverse, 0x40 blink, 0x80 bold; its text and renditions
  must be the ones the cells here hold;
- here DECRQCRA of each cell must be the checksum the Part's formula gives for the
  character and renditions xterm reports for that cell.

xterm runs on the display of DISPLAY (an Xvfb of our own when none is set) and its
program is xterm_probe.py, which writes the streams and collects the answers.

Where a Part decides otherwise the case is not here, and the Part holds: CR left of
the left margin goes to the left margin (xterm: the line's start), and so does the CR
of NEL; CBT stops at the left margin (xterm: at the line's start); ICH, DCH, IL and DL
beside the margins or below the region work on the part of the screen the core's
operations name (xterm: nothing happens); DECDC works wherever the cursor is; SU and
SD pan the view of a multi-page terminal; ED 3 homes the cursor; DECCKSR answers a
fixed checksum; a rectangle's reversed edges are swapped (xterm ignores it).
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.abspath(os.path.join(HERE, "..", "..", "..", ".."))
DECSCREEN = os.environ.get("DECSCREEN") or (sys.argv.pop(1) if len(sys.argv) > 1 else "")
ROWS, COLUMNS = 24, 80
ANSWER = re.compile(rb"\x1b\[[0-9;?]*R|\x1bP[0-9]+!~[0-9A-F]{4}\x1b\\")
CSI = "\x1b["
BOLD, UNDERLINE, BLINK, REVERSE = 0x08, 0x04, 0x01, 0x02

# Every row filled with its own letters, so that a move of text shows.
FILL = CSI + "H" + "".join(CSI + "%d;1H" % (r + 1) + (chr(ord("a") + r % 26) * 3 + str(r % 10)) * 20
                           for r in range(ROWS)) + CSI + "H"
MARGINS = CSI + "?69h" + CSI + "5;20s" + CSI + "3;10r"

# (name, stream after FILL and MARGINS).
MARGIN_CASES = [
    ("CR inside the margins", CSI + "5;12H\r"),
    ("CR in origin mode", CSI + "?6h" + CSI + "2;7H\r"),
    ("CBT in origin mode", CSI + "?6h" + CSI + "2;12H" + CSI + "3Z"),
    ("CHA in origin mode", CSI + "?6h" + CSI + "G"),
    ("CHA in origin mode past the right margin", CSI + "?6h" + CSI + "40G"),
    ("HPA in origin mode", CSI + "?6h" + CSI + "3`"),
    ("CHA without origin mode", CSI + "5;12H" + CSI + "2G"),
    ("IND at the bottom, right of the margins", CSI + "10;30H\x1bD"),
    ("LF at the bottom, left of the margins", CSI + "10;2H\n"),
    ("NEL at the bottom, inside the margins", CSI + "10;8H\x1bE"),
    ("RI at the top, right of the margins", CSI + "3;40H\x1bM"),
    ("RI at the top, inside the margins", CSI + "3;8H\x1bM"),
    ("ICH inside the margins", CSI + "5;8H" + CSI + "2@"),
    ("DCH inside the margins", CSI + "5;8H" + CSI + "2P"),
    ("IL inside", CSI + "5;8H" + CSI + "2L"),
    ("DL inside", CSI + "5;8H" + CSI + "2M"),
]

# Streams of rectangular-area commands in the default colours.
RECTANGLE_CASES = [
    ("change and reverse renditions",
     CSI + "3;5;8;30;1;4$r" + CSI + "5;10;12;50;7$t" + CSI + "2*x" + CSI + "10;60;20;70;5$r" +
     CSI + "10;65;15;75;0;7$r" + CSI + "12;1;12;80;1;5;7$t" + CSI + "22;1;24;80;0$t"),
    ("stream extent",
     CSI + "1*x" + CSI + "4;10;6;70;4$r" + CSI + "8;5;8;60;7$r" + CSI + "11;20;13;40;1$t"),
    ("fill, erase and selective erase",
     CSI + "7m" + CSI + "88;2;2;6;40$x" + CSI + "m" + CSI + "1\"q" + CSI + "4;4;4;10$x" + CSI + "0\"q" +
     CSI + "43;20;1;24;5$x" + CSI + "3;3;5;20${" + CSI + "15;15;18;60$z" + CSI + "1;1;1;80$z"),
    ("copy",
     CSI + "1m" + CSI + "1;1;3;10$x" + CSI + "m" + CSI + "2;2;6;30;1;12;40;1$v" +
     CSI + "1;1;10;20;1;5;5;1$v" + CSI + "1;1;5;10;1;22;75;1$v" + CSI + "3;3;4;4;1;24;80;1$v"),
    ("column insert and delete",
     CSI + "5;15r" + CSI + "7;10H" + CSI + "3'}" + CSI + "12;30H" + CSI + "2'~" + CSI + "r" +
     CSI + "2;5H" + CSI + "'~"),
]


def cell_queries():
    return [CSI + "1;1;%d;%d;%d;%d*y" % (r, c, r, c) for r in range(1, ROWS + 1) for c in range(1, COLUMNS + 1)]


def checksum_of(answer):
    return int(answer[-6:-2], 16)


def start_display():
    if os.environ.get("DISPLAY"):
        return None
    out = subprocess.run([os.path.join(SOURCE, "tools", "wine", "display.sh")], capture_output=True, text=True,
                         check=True).stdout.split()
    os.environ["DISPLAY"] = out[0]
    return int(out[1])


def run_xterm(jobs, extension, directory):
    jobs_path = os.path.join(directory, "jobs.json")
    out_path = os.path.join(directory, "answers-%d.json" % extension)
    with open(jobs_path, "w") as f:
        json.dump(jobs, f)
    subprocess.run(["xterm", "-ti", "vt420", "-geometry", "%dx%d" % (COLUMNS, ROWS),
                    "-xrm", "XTerm*checksumExtension: %d" % extension,
                    "-e", sys.executable, os.path.join(HERE, "xterm_probe.py"), jobs_path, out_path],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=False)
    with open(out_path) as f:
        return json.load(f)


def run_ours(job):
    data = (job["stream"] + "".join(job["queries"])).encode("latin-1")
    r = subprocess.run([DECSCREEN], input=data, capture_output=True, check=True, timeout=120)
    screen = json.loads(r.stdout.decode("ascii"))
    return screen, [m.group(0).decode("latin-1") for m in ANSWER.finditer(bytes(screen["sent"]))]


def expected_checksum(ch, flags):
    """The Part's formula over a character and xterm's renditions, default colours."""
    v = ch
    if flags & 0x10:
        v ^= 0x10
    if flags & 0x20:
        v ^= 0x20
    if flags & 0x80:
        v = (v & ~0xFF00) | 0x0800
    if flags & 0x40:
        v |= 0xFFFF8000
    v |= 0x700
    return ~v & 0xFFFF


@unittest.skipUnless(shutil.which("xterm") and DECSCREEN, "xterm or the screen program is missing")
class XtermDifferentialTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.xvfb = start_display()
        cls.dir = tempfile.mkdtemp(prefix="vxxterm")

    @classmethod
    def tearDownClass(cls):
        if cls.xvfb:
            os.kill(cls.xvfb, 15)
        shutil.rmtree(cls.dir, True)

    def compare(self, cases, prefix, check_renditions):
        # The cells are read with origin mode off: the checksum's area follows it.
        queries = [CSI + "6n"] + cell_queries()
        queries[1] = CSI + "?6l" + queries[1]
        jobs = [{"stream": prefix + stream, "queries": queries} for _, stream in cases]
        texts = run_xterm(jobs, 7, self.dir)
        renditions = run_xterm(jobs, 5, self.dir) if check_renditions else None
        for n, (name, _) in enumerate(cases):
            with self.subTest(case=name):
                screen, ours = run_ours(jobs[n])
                theirs = texts[n]
                self.assertEqual(len(theirs), len(jobs[n]["queries"]), "xterm answered every query")
                self.assertEqual(ours[0], theirs[0], "the cursor report")
                xterm_rows = ["".join(chr(checksum_of(a) or 0x20) for a in theirs[1 + r * COLUMNS:1 + (r + 1) * COLUMNS])
                              for r in range(ROWS)]
                our_rows = ["".join(chr(c[0]) for c in row) for row in screen["cells"]]
                self.assertEqual(our_rows, xterm_rows, "the screen text")
                if not check_renditions:
                    continue
                for i in range(ROWS * COLUMNS):
                    ch = checksum_of(theirs[1 + i]) or 0x20
                    flags = checksum_of(renditions[n][1 + i]) - ch
                    self.assertEqual(checksum_of(ours[1 + i]), expected_checksum(ch, flags),
                                     "cell %d,%d: xterm's renditions %#x" % (i // COLUMNS + 1, i % COLUMNS + 1, flags))

    def test_moves_and_edits_with_left_and_right_margins(self):
        self.compare(MARGIN_CASES, FILL + MARGINS, False)

    def test_rectangular_area_commands(self):
        self.compare(RECTANGLE_CASES, FILL, True)


if __name__ == "__main__":
    unittest.main()
