"""Capture and replay in the running program, on a scripted telnet host: the File
menu's capture (-Debug) and replay items, two-way capture (-Debug2way), and the host's
own capture sequence.
"""
import os
import random
import re
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import ScreenDump, WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

EXE = vxtest.build_path("terminal", "vexaNT.exe")
CONNECTION = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default\CONNECTION"
CSI = b"\x1b["
WM_CHAR = 0x0102
CAPTURE, REPLAY = 1004, 1005


def vt_stream(size, seed, high=False):
    """Printable text with colours, cursor moves and line ends, `size` bytes; with
    `high`, Latin-1 letters too."""
    rnd = random.Random(seed)
    parts, n = [], 0
    while n < size:
        pick = rnd.random()
        if pick < 0.1:
            part = CSI + b"%d;%dH" % (rnd.randint(1, 24), rnd.randint(1, 80))
        elif pick < 0.2:
            part = CSI + b"%dm" % rnd.choice([0, 1, 4, 7, 31, 32, 44])
        elif pick < 0.3:
            part = b"\r\n"
        else:
            letters = b"abcdefghijklmnopqrstuvwxyz ABCDEFGHIJ0123456789"
            if high:
                letters += bytes(range(0xe0, 0xf0))
            part = bytes(rnd.choice(letters) for _ in range(rnd.randint(1, 30)))
        parts.append(part)
        n += len(part)
    return b"".join(parts)[:size]


class CaptureProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.dir = tempfile.mkdtemp(prefix="vxcapture")
        self.dump = ScreenDump(self.wine, self.dir)

    def connect(self, host, *options):
        self.proc, self.hwnd = self.wine.launch(EXE, "127.0.0.1", "-Tnport%d" % host.port, *options, cwd=self.dir)
        self.addCleanup(self.stop_terminal, self.proc, self.hwnd)
        host.wait_connection(30)
        host.expect(th.do(th.ECHO), timeout=20)
        host.send(CSI + b"5n")
        host.wait_for(lambda data: data.endswith(CSI + b"0n"), 20, "the first status report")
        host.take()

    def screen(self):
        return self.dump.text()

    def wait_screen(self, text, timeout=15):
        return self.dump.wait(text, timeout)

    def file_dialog(self, command, path, *buttons):
        """Runs a File menu item's file dialog: types `path` into it, presses `buttons`
        (choices first, then the one that ends it)."""
        self.assertTrue(self.wine.probe.command(self.hwnd, command))
        # The file dialog shows before its file name field is made and shown; in a new
        # prefix on a loaded machine the shell's set-up in between can take many seconds.
        # The connecting dialog, shown when the connection took over 1.5 s, can still be
        # there for a moment: the file dialog is the one that comes to hold an edit field.
        deadline, edits, seen = time.time() + 60, [], {}
        while not edits and time.time() < deadline:
            for dialog in self.wine.probe.dialogs():
                children = self.wine.probe.children(dialog["hwnd"])
                seen[dialog["hwnd"]] = (dialog, [(c["class"], c["visible"]) for c in children])
                edits = [c for c in children if c["class"] == "Edit" and c["visible"]]
                if edits:
                    break
            time.sleep(0.05)
        self.assertTrue(edits, "no dialog with a file name field: %r" % seen)
        self.assertTrue(self.wine.probe.settext(edits[0]["hwnd"], self.wine.windows_path(path)))
        for button in buttons:
            self.assertTrue(self.wine.probe.press(button))
        deadline = time.time() + 10
        while time.time() < deadline and self.wine.probe.dialogs():
            time.sleep(0.1)
        self.assertEqual(self.wine.probe.dialogs(), [])

    def wait_file(self, path, size, timeout=15):
        deadline = time.time() + timeout
        while time.time() < deadline and (not os.path.exists(path) or os.path.getsize(path) < size):
            time.sleep(0.1)
        with open(path, "rb") as f:
            return f.read()

    def type(self, text):
        for c in text:
            self.assertTrue(self.wine.probe.post(self.hwnd, WM_CHAR, ord(c), 1))

    def test_debug_capture_keeps_the_stream_as_sent(self):
        with th.ScriptedHost() as host:
            self.connect(host, "-Debug")
            path = os.path.join(self.dir, "raw.dat")
            self.file_dialog(CAPTURE, path, "Save")
            # Telnet commands that want no answer stay in the capture as they came.
            stream = vt_stream(2990, 1) + bytes([255, 241]) + b"x" + bytes([255, 255]) + b"done!"
            self.assertEqual(len(stream), 3000)
            host.send(stream)
            self.wait_screen("done!")
            self.assertTrue(self.wine.probe.command(self.hwnd, CAPTURE))  # closes it
            self.assertEqual(self.wait_file(path, 3000), stream)

    def test_two_way_capture_marks_what_was_sent(self):
        with th.ScriptedHost() as host:
            self.connect(host, "-Debug2way")
            path = os.path.join(self.dir, "both.dat")
            self.file_dialog(CAPTURE, path, "Save")
            self.type("abc")
            host.expect(b"abc")
            host.send(b"xyz")
            self.wait_screen("xyz")
            self.assertTrue(self.wine.probe.command(self.hwnd, CAPTURE))
            data = self.wait_file(path, 27)
            # Typed keys leave in one block or several, as they were collected.
            sent = re.compile(rb"\n\*SEND\*\n(.*?)\n\*RECV\*\n", re.S)
            self.assertEqual(b"".join(sent.findall(data)), b"abc", data)
            self.assertEqual(sent.sub(b"", data), b"xyz", data)

    def test_host_capture_sequence(self):
        log = os.path.join(self.dir, "log.txt")
        with open(log, "wb") as f:
            f.write(b"before;")
        with th.ScriptedHost() as host:
            self.connect(host)
            host.send(b"\x1bP1zlog.txt;unseen data\x1b\\text after")
            self.assertIn("text after", self.wait_screen("text after"))
            self.assertNotIn("unseen", self.screen())
            self.assertEqual(self.wait_file(log, 18), b"before;unseen data")

            # Only a plain name in the working directory: nothing is created elsewhere.
            parent = os.path.dirname(self.dir)
            drive_c = os.path.join(self.wine.prefix, "drive_c")
            for name in (b"..\\escaped", b"C:\\escaped"):
                host.send(b"\x1bP0z" + name + b";hidden\x1b\\shown")
                self.assertIn("shown", self.wait_screen("shown"))
                self.assertNotIn("hidden", self.screen())
                self.assertEqual(self.wine.probe.dialogs(), [])
                host.send(CSI + b"2J")
            self.assertFalse(os.path.exists(os.path.join(parent, "escaped")))
            self.assertFalse(os.path.exists(os.path.join(drive_c, "escaped")))
            # The screen dump is written to a ".new" file and renamed; ignore one caught mid-write.
            names = [n for n in os.listdir(self.dir) if not n.endswith(".new")]
            self.assertEqual(sorted(names), ["log.txt", "screen.txt"])

            host.send(b"\x1bP1zmissing.txt;gone\x1b\\")
            boxes = self.wine.probe.wait_dialog(15)
            self.assertEqual(len(boxes), 1, boxes)
            self.assertIn("Error opening missing.txt", boxes[0]["texts"])
            self.assertTrue(self.wine.probe.press("OK"))
            self.assertFalse(os.path.exists(os.path.join(self.dir, "missing.txt")))

    def screen_after(self, stream, live, seven_bits):
        """The screen dump of `stream`, sent live by a host or replayed into the
        emulation."""
        if seven_bits:
            self.assertEqual(self.wine.reg("add", CONNECTION, "/v", "comdatab", "/t", "REG_DWORD", "/d", "1",
                                           "/f")[0], 0)
        marker = b"\x1b[24;70Hthe end"
        with th.ScriptedHost() as host:
            self.connect(host, "-Debug", "-SeDefault")
            if live:
                host.send(stream + marker)
            else:
                path = os.path.join(self.dir, "replay.dat")
                with open(path, "wb") as f:
                    f.write(stream + marker)
                self.file_dialog(REPLAY, path, "Open")
            self.wait_screen("the end")
            # The indicator line's cursor field follows about once a second: the dump is
            # read once it shows where "the end" left the cursor.
            shown = self.wait_screen("(024,077)")
            self.assertIn("(024,077)", shown)
            self.stop_terminal(self.proc, self.hwnd)
            return shown

    def test_replay_to_the_emulation_shows_what_live_data_shows(self):
        stream = vt_stream(3000, 7, high=True)
        replayed = self.screen_after(stream, False, True)
        self.assertIn("the end", replayed)
        # The live run in a session of its own: the same profile, nothing left over.
        self.wine = vxtest.WineSession()
        self.addCleanup(self.wine.close)
        os.unlink(self.dump.path)
        self.dump = ScreenDump(self.wine, self.dir)
        live = self.screen_after(bytes(b & 0x7F for b in stream), True, False)
        self.assertEqual(replayed, live)

    def test_replay_to_the_host_sends_the_file(self):
        stream = bytes(random.Random(3).randrange(0, 255) for _ in range(3000))
        path = os.path.join(self.dir, "tohost.dat")
        with open(path, "wb") as f:
            f.write(stream)
        with th.ScriptedHost() as host:
            self.connect(host, "-Debug")
            self.file_dialog(REPLAY, path, "Host", "Open")
            host.wait_for(lambda data: len(data) >= 3000, 60, "the replayed file")
            time.sleep(0.5)
            self.assertEqual(host.take(), stream)


if __name__ == "__main__":
    unittest.main()
