"""The host path against two independent terminal models, on the same bytes.

- python3-pyte: a generated stream of several thousand lines of text, CR, LF, BS and HT
  must leave the same screen, cursor and history in both.
- libvterm's vterm-dump: a generated stream of text, controls, CSI and ESC sequences
  (with sequences cancelled by ESC, CAN and SUB) must give the same tokens.

Deliberate differences, kept out of the generated streams:
- pyte keeps the cursor past the last column after writing there; this terminal keeps
  it on the last column with a pending wrap (the DEC last-column flag), which LF, BS and
  HT clear. Those three are not sent while pyte's cursor is past the last column.
- vterm-dump abandons a CSI whose private marker follows digits; here the slot is
  marked malformed ('E') and the sequence runs to its final byte.
- Parameters wrap at 16 bits here (70000 is 4464); vterm-dump keeps larger numbers.
- A colon is ignored here; vterm-dump reads it as a sub-parameter separator.
- DEL inside a sequence ends it here (no state holds it); vterm-dump ignores it.
- Controls inside a sequence are executed on the screen here, not listed as tokens.
- Strings (OSC, DCS, APC, PM, SOS) and 8-bit bytes are left out: vterm-dump reads UTF-8.
"""
import json
import os
import random
import re
import subprocess
import sys
import unittest

import pyte

HOSTDUMP = os.environ.get("HOSTDUMP") or (sys.argv.pop(1) if len(sys.argv) > 1 else "")
ROWS, COLUMNS, HISTORY = 24, 80, 504


def hostdump(mode, data):
    r = subprocess.run([HOSTDUMP, mode], input=data, capture_output=True, check=True, timeout=120)
    return json.loads(r.stdout.decode("ascii"))


class PyteScreenTest(unittest.TestCase):
    def generate(self, rng, lines):
        screen = pyte.HistoryScreen(COLUMNS, ROWS, history=HISTORY)
        stream = pyte.ByteStream(screen)
        out = bytearray()

        def send(b):
            out.extend(b)
            stream.feed(b)

        for _ in range(lines):
            for _ in range(rng.randint(0, 6)):
                kind = rng.random()
                past_end = screen.cursor.x >= COLUMNS
                if kind < 0.6:
                    send(bytes(rng.randint(0x21, 0x7E) for _ in range(rng.randint(1, 40))))
                elif kind < 0.7:
                    send(b" " * rng.randint(1, 8))
                elif kind < 0.8 and not past_end:
                    send(b"\t" * rng.randint(1, 3))
                elif kind < 0.9 and not past_end:
                    send(b"\b" * rng.randint(1, 5))
                else:
                    send(b"\r")
            if rng.random() < 0.9:
                send(b"\r")
            if screen.cursor.x < COLUMNS:
                send(b"\n")
        return bytes(out), screen

    def test_text_and_motion_leave_the_same_screen_and_history(self):
        rng = random.Random(4711)
        data, screen = self.generate(rng, 4000)
        ours = hostdump("screen", data)
        theirs_rows = [screen.display[r].rstrip() for r in range(ROWS)]
        self.assertEqual(ours["rows"], theirs_rows)
        x, y = screen.cursor.x, screen.cursor.y
        expected_cursor = [y, COLUMNS - 1, 1] if x >= COLUMNS else [y, x, 0]
        self.assertEqual(ours["cursor"], expected_cursor)
        history = ["".join(line[c].data for c in range(COLUMNS)).rstrip() for line in screen.history.top]
        self.assertEqual(len(ours["history"]), len(history))
        self.assertEqual(ours["history"], history)
        self.assertEqual(len(history), HISTORY, "the stream fills the history and drops lines")


def vterm(data):
    r = subprocess.run(["vterm-dump", "-"], input=data, capture_output=True, check=True, timeout=120)
    return r.stdout.decode("utf-8").replace("\n", "")


def single_token(text):
    return text.startswith("{") and text.endswith("}") and text.count("{") == 1


class VtermTokenTest(unittest.TestCase):
    PROBE_ARGS = (31, 47)

    @classmethod
    def setUpClass(cls):
        # How vterm-dump writes each kind of sequence, learnt from one probe each: a
        # template with the probe's arguments replaced, or None when it cannot be used.
        cls.csi_templates = {}
        cls.esc_renders = {}
        cls.ctl_renders = {}
        probe = "%d,%d" % cls.PROBE_ARGS
        for leader in ["", "?", ">", "=", "<"]:
            for inter in ["", " ", "!", "$", "'"]:
                for final in range(0x40, 0x7F):
                    seq = "\x1b[%s%d;%d%s%c" % (leader, cls.PROBE_ARGS[0], cls.PROBE_ARGS[1], inter, final)
                    cls.csi_templates[(leader, inter, chr(final))] = seq
        keys = list(cls.csi_templates)
        outputs = vterm("".join(cls.csi_templates[k] + "\x07" for k in keys).encode()).split("{BEL}")
        for k, out in zip(keys, outputs):
            ok = single_token(out) and out.count(probe) == 1
            cls.csi_templates[k] = out.replace(probe, "%s") if ok else None
        esc_keys = [(i, chr(f)) for i in ["", "(", ")", "#", " "] for f in range(0x30, 0x7F)
                    if chr(f) not in "[P]X^_\\"]
        outputs = vterm("".join("\x1b%s%s\x07" % k for k in esc_keys).encode()).split("{BEL}")
        for k, out in zip(esc_keys, outputs):
            cls.esc_renders[k] = out if single_token(out) else None
        for c in [7, 8, 9, 10, 11, 12, 13, 14, 15, 24, 26]:
            cls.ctl_renders[c] = vterm(bytes([c, 0x41])).rstrip("A")

    def csi(self, rng):
        while True:
            leader = rng.choice(["", "", "", "?", ">", "=", "<"])
            inter = rng.choice(["", "", "", "", " ", "!", "$", "'"])
            final = chr(rng.randint(0x40, 0x7E))
            if self.csi_templates.get((leader, inter, final)):
                break
        params = [rng.choice(["", str(rng.randint(0, 9)), str(rng.randint(0, 65535))])
                  for _ in range(rng.randint(0, 5))]
        return "\x1b[" + leader + ";".join(params) + inter + final

    def esc(self, rng):
        while True:
            key = (rng.choice(["", "", "(", ")", "#", " "]), chr(rng.randint(0x30, 0x7E)))
            if self.esc_renders.get(key):
                return "\x1b" + key[0] + key[1]

    def generate(self, rng, count):
        parts = []
        for _ in range(count):
            kind = rng.random()
            if kind < 0.35:
                parts.append("".join(chr(rng.randint(0x20, 0x7E)) for _ in range(rng.randint(1, 12)))
                             .replace("{", "(").replace("}", ")"))
            elif kind < 0.55:
                parts.append(self.csi(rng))
            elif kind < 0.7:
                parts.append(self.esc(rng))
            elif kind < 0.85:
                parts.append(chr(rng.choice(list(self.ctl_renders))))
            else:
                # A sequence cut short: ESC starts the next one, CAN and SUB end it.
                cut = self.csi(rng)[:-1]
                parts.append(cut + rng.choice(["\x1b[m", "\x18", "\x1a", "\x1b" + "M"]))
        return "".join(parts)

    def render(self, tokens):
        out = []
        for t in tokens:
            if t[0] == "text":
                out.append(t[1])
            elif t[0] == "ctl":
                out.append(self.ctl_renders[t[1]])
            elif t[0] == "esc":
                inter, final = t[1][:-1], t[1][-1]
                out.append(self.esc_renders[(inter, final)])
            else:
                _, leader, args, inter, final = t
                out.append(self.csi_templates[(leader, inter, final)] % ",".join(str(a) for a in args))
        return "".join(out)

    def test_sequences_give_the_same_tokens(self):
        rng = random.Random(1234)
        data = self.generate(rng, 3000).encode("ascii")
        # An empty parameter is 0 here; vterm-dump writes it as "*".
        theirs = re.sub(r"\{[^}]*\}", lambda m: m.group(0).replace("*", "0"), vterm(data))
        ours = self.render(hostdump("tokens", data))
        if ours != theirs:
            at = next(i for i in range(min(len(ours), len(theirs))) if ours[i] != theirs[i])
            self.fail("tokens differ at %d:\n ours:   %r\n theirs: %r" % (at, ours[at - 80:at + 80],
                                                                         theirs[at - 80:at + 80]))


if __name__ == "__main__":
    unittest.main()
