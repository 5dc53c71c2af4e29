"""The TA6530 in the running program: a scripted host on 127.0.0.1 (telnet) or on a
socat pty registered as COM7 drives it through its conversational, block, protected
block and ANSI modes and through the block protocol (tools/telnethost/ta6530.py); keys
come from xdotool; the screen and row 24 are read through the test screen dump
(VXNT_TEST_SCREEN), the status bar through the status dump (VXNT_TEST_STATUS)."""
import os
import subprocess
import sys
import shutil
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.serialpeer import SerialPeer

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402
from telnethost import ta6530 as ta  # noqa: E402

HKCU = r"HKCU\Software\Quorlan\vexaNT"
PROFILE = HKCU + r"\Profiles\P"
SAVE, SELECT_ALL, COPY, SETUP_TA6530, ATTRIBUTES = 1011, 1043, 1074, 1028, 1016


def tput(*args):
    return subprocess.run(["tput", "-T", "ansi"] + [str(a) for a in args], check=True,
                          stdout=subprocess.PIPE).stdout


class Ta6530Case(WineTestCase):
    def setUp(self):
        super().setUp()
        # The working directory sits in a parent of its own, so the check that a capture
        # name never climbs out of it cannot see what other programs leave in /tmp.
        parent = tempfile.mkdtemp(prefix="vxta6530")
        self.addCleanup(shutil.rmtree, parent, True)
        self.dir = os.path.join(parent, "work")
        os.mkdir(self.dir)
        self.screen = os.path.join(self.dir, "screen.txt")
        self.status = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status)
        self.assertEqual(self.wine.reg("add", HKCU, "/v", "Session", "/d", "P", "/f")[0], 0)

    def setting(self, section, name, value):
        kind, data = ("REG_DWORD", str(value)) if isinstance(value, int) else ("REG_SZ", value)
        self.assertEqual(self.wine.reg("add", PROFILE + "\\" + section, "/v", name, "/t", kind, "/d", data, "/f")[0],
                         0)

    def read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def wait(self, what, check, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if check():
                return
            time.sleep(0.1)
        self.fail("%s never came: screen %r, status %r" % (what, self.read(self.screen), self.read(self.status)))

    def rows(self):
        lines = self.read(self.screen).split("\n")
        return [line for line in lines[1:] if not line.startswith("status ")][:24]

    def row24(self):
        for line in self.read(self.screen).split("\n"):
            if line.startswith("status "):
                return line[len("status "):]
        return ""

    def emulation_name(self):
        for line in self.read(self.status).split("\n"):
            if line.startswith("emulation "):
                return line[len("emulation "):]
        return None

    def start(self, telnet_port=None, serial_port=None, cwd=None, **ta_settings):
        """The terminal in TA6530 (profile values of the "TA6530" section as given),
        connected to a telnet host on `telnet_port` when one is given."""
        self.setting("VT300", "vdumode", 17)
        for name, value in ta_settings.items():
            self.setting("TA6530", name, value)
        if telnet_port:
            for name, value in (("netproto", 0), ("netname", "127.0.0.1"), ("iTelnetPortNum", telnet_port)):
                self.setting("CONNECTION", name, value)
        if serial_port is not None:
            for name, value in (("netproto", 1), ("comdevice", serial_port), ("comspeed", 6), ("comdatab", 2),
                                ("comflowc", 0)):
                self.setting("CONNECTION", name, value)
        proc, hwnd = self.wine.launch(vxtest.build_path("terminal", "vexaNT.exe"), "-SeP", cwd=cwd)
        self.addCleanup(self.stop_terminal, proc, hwnd)
        self.wait("TA6530 in the status bar", lambda: self.emulation_name() == "TA6530")
        return proc, hwnd

    def telnet(self, cwd=None, **ta_settings):
        host = th.ScriptedHost()
        self.addCleanup(host.stop)
        proc, hwnd = self.start(host.port, cwd=cwd, **ta_settings)
        host.wait_connection(60)
        return hwnd, host, ta.BlockHost(ta.TelnetLine(host))

    def screen_has(self, row, text, timeout=30):
        self.wait("%r on row %d" % (text, row), lambda: len(self.rows()) > row and self.rows()[row] == text,
                  timeout)

    def key(self, name):
        self.assertEqual(self.xdotool("key", name).returncode, 0, name)


class ConversationalTest(Ta6530Case):
    def test_the_switch_gives_the_status_bar_row_24_and_back_the_vt_rows(self):
        proc, hwnd = self.start_terminal("-SeP")
        self.addCleanup(self.stop_terminal, proc, hwnd)
        self.wait("the first dump", lambda: len(self.read(self.screen).split("\n")) > 24)
        vt_rows = len(self.read(self.screen).split("\n"))
        self.choose_emulation(hwnd, "TA6530")
        self.wait("TA6530 in the status bar", lambda: self.emulation_name() == "TA6530")
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        buttons = [c for c in self.wine.probe.children(hwnd) if c["id"] == 7416 and c["class"].lower() == "button"]
        self.assertTrue(buttons, "no hold-screen button")
        self.choose_emulation(hwnd, "VT500 7-Bit")
        self.wait("VT500 again", lambda: self.emulation_name() != "TA6530")
        self.wait("VT500's rows", lambda: len(self.read(self.screen).split("\n")) == vt_rows)

    def test_status_terminal_type_positioning_replies_and_keys(self):
        hwnd, host, block = self.telnet()
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
        host.wait_for(lambda data: th.ttype_is("tn6530-8") in data, what="the terminal type")
        host.take()
        block.send(b"\x13\x25\x2aX")
        self.screen_has(5, " " * 10 + "X")
        block.take()
        block.send(b"\x05")
        block.expect(b"\x06")
        block.send(b"\x1b^")
        block.expect(b"\x01?CFC\r")
        block.send(b"\x1b^")
        block.expect(b"\x01?AFC\r")
        block.send(b"\x13\x20\x20\x1bu!AB")
        self.screen_has(0, "B")
        self.focus_terminal()
        block.send(b"\x13\x20\x20")
        time.sleep(0.5)
        self.key("F1")
        block.expect(b"\x01\x40\x20\x20\r")
        self.key("Return")
        block.expect(b"A")
        self.assertEqual(self.xdotool("type", "hey").returncode, 0)
        block.expect(b"hey")
        self.assertEqual(self.rows()[0], "B")
        # Select All and Copy give the screen's 80 columns.
        block.send(b"\x13\x21\x20" + b"0123456789" * 8)
        self.screen_has(1, "0123456789" * 8)
        self.assertTrue(self.wine.probe.run_command(hwnd, SELECT_ALL))
        self.assertTrue(self.wine.probe.run_command(hwnd, COPY))
        answer = self.wine.probe.ask("clip-text")
        self.assertTrue(answer["ok"], answer)
        lines = answer["text"].split("\r\n")
        self.assertEqual(lines[1], "0123456789" * 8)
        self.assertEqual(lines[5], " " * 10 + "X")



class BlockModeTelnetTest(Ta6530Case):
    def test_reduced_framing_reads_configuration_and_capture_names(self):
        hwnd, host, block = self.telnet(cwd=self.dir)
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        host.take()
        block.send(b"\x01B\x03x")
        block.send(b"\x1bb")
        self.wait("BLOCK on row 24", lambda: self.row24().rstrip().endswith("BLOCK"))
        block.take()
        block.send(b"\x11\x20\x20HELLO\x1b]\x20\x20\x20\x6f")
        block.expect(bytes.fromhex("48 45 4C 4C 4F 0D 04"))
        block.send(b"\x1bvB85\r\x1b?")
        reply = block.expect(b"\x01!A 2B 8", 20)
        self.assertTrue(reply)
        block.take()
        block.send(b"\x1b-0ZC:\\x.txt\r\x1b-0Z..\\x\r\x1b-0Zlog.txt\r\x1b?")
        block.expect(b"\x01!", 20)
        self.wait("log.txt in the working directory", lambda: os.path.exists(os.path.join(self.dir, "log.txt")))
        self.assertFalse(os.path.exists(os.path.join(self.wine.prefix, "drive_c", "x.txt")))
        self.assertFalse(os.path.exists(os.path.join(os.path.dirname(self.dir), "x")))

    def test_full_framing_on_telnet(self):
        hwnd, host, block = self.telnet(ta_telserv=0, ta_packet_block=3)
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        host.take()
        block.send(ta.soh_block(b"B"))  # SOH "B" ETX 41
        block.expect(bytes.fromhex("06"))
        block.end()
        block.block(b"HI")
        block.expect_ack()
        self.screen_has(0, "HI")
        block.block(b"XY", sequence=0x20)
        block.expect_ack()
        bad = bytearray(ta.stx_block(0x21, b"ZZ"))
        bad[-1] ^= 1
        block.send(bytes(bad))
        block.expect_nak()
        self.assertEqual(self.rows()[0], "HI")
        block.block(b"\x1b]" + ta.pos(0, 0) + ta.pos(0, 79), sequence=0x21)
        block.expect_read(b"HI\r")
        block.send(b"\x06")
        block.expect(b"\x04")
        block.block(b"\x1b?", sequence=0x20)  # a read starts the count again
        reply = block.expect(b"\x01!", 20)
        self.assertTrue(reply)
        time.sleep(0.5)
        block.take()
        block.send(b"\x06")
        block.expect(b"\x04")
        # 96 blocks 0x20-0x7F, then 0x20 again: each acknowledged and shown.
        block.end()
        for n in range(97):
            sequence = block.block(b"\x11" + ta.pos(n % 24, 0) + b"B%02X" % (0x20 + n % 96))
            self.assertEqual(block.expect(b"\x06"), b"\x06", "block %d" % n)
        self.assertEqual(sequence, 0x20)
        self.screen_has(0, "B20")
        # ta_packet_block 3: 508 data bytes go, 509 do not.
        block.block(b"\x11" + ta.pos(1, 0) + b"x" * 505)
        block.expect_ack()
        refused = block.block(b"\x11" + ta.pos(1, 0) + b"y" * 506)
        block.expect_nak()
        # DC4 and DC2 repeats, in the block the terminal waits for.
        block.block(b"\x11" + ta.pos(2, 0) + b"\x14\x45|\x14\x05|\x12\x25X\x12\x10Y.", sequence=refused)
        block.expect_ack()
        self.wait("the repeats on row 2", lambda: self.rows()[2].startswith("     |00000|XXXXX.x"))
        # A function key waits for the poll.
        block.block(b"\x1bb\x13\x20\x20")
        block.expect_ack()
        time.sleep(0.5)
        self.focus_terminal()
        self.key("F1")
        time.sleep(0.5)
        block.send(b"\x05")
        block.expect_status(0x40, 1, 0, 0)
        block.send(b"\x06")
        block.expect(b"\x04")


class SerialLineTest(Ta6530Case):
    def test_full_framing_on_com7(self):
        with SerialPeer(self.wine, "COM7") as peer:
            self.wine.restart_server()
            self.start(serial_port=6)
            block = ta.BlockHost(ta.SerialLine(peer))
            # Once the port is open the terminal starts afresh and says it is there.
            block.expect(b"\x05\r", 60)
            block.take()
            block.send(ta.soh_block(b"B"))
            block.expect(b"\x06")
            self.wait("BLOCK on row 24", lambda: "KBD LK" in self.row24())
            block.end()
            block.block(b"HI")
            block.expect_ack()
            self.screen_has(0, "HI")
            block.block(b"\x1b]" + ta.pos(0, 0) + ta.pos(0, 79))
            block.expect_read(b"HI\r")
            block.send(b"\x06")
            block.expect(b"\x04")


class ProtectedAndAnsiTest(Ta6530Case):
    def test_protected_fields_reject_and_read_only_what_was_typed(self):
        hwnd, host, block = self.telnet()
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        # Block mode, protected: a label and a numeric field of five positions.
        block.send(b"\x01B\x03x\x1bW\x1bb\x11\x20\x20\x1d\x20\x20Code\x1d\x20\x44     \x1d\x20\x20"
                   b"\x13\x20\x20\x1b>")
        self.wait("PROT on row 24", lambda: self.row24().rstrip().endswith("PROT"))
        host.take()
        block.send(b"\x1b=" + ta.pos(0, 0) + ta.pos(23, 79))
        block.expect(b"\x04")
        self.focus_terminal()
        self.key("x")
        self.wait("INVALID DATA on row 24", lambda: "INVALID DATA" in self.row24())
        self.assertEqual(self.rows()[0], " Code")
        self.key("7")
        self.screen_has(0, " Code 7")
        block.send(b"\x1b=" + ta.pos(0, 0) + ta.pos(23, 79))
        block.expect(b"\x11\x20\x267\x04")

    def test_ansi_mode_draws_with_the_ansi_terminfo_entry(self):
        hwnd, host, block = self.telnet()
        self.wait("CONV on row 24", lambda: self.row24().rstrip().endswith("CONV"))
        block.send(b"\x01A\x03x")
        self.wait("ANSI on row 24", lambda: self.row24().rstrip().endswith("ANSI"))
        block.send(tput("clear") + tput("cup", 2, 4) + b"abcdefgh" + tput("cup", 2, 6) + tput("dch", 2) +
                   tput("ich", 3) + b"XY" + tput("cup", 4, 0) + b"line4" + tput("cup", 3, 0) + tput("il", 1) +
                   b"new3" + tput("cup", 6, 0) + b"gone" + tput("dl", 1) + tput("cup", 7, 0) + b"abcdef" +
                   tput("cup", 7, 2) + tput("el") + tput("cup", 8, 0) + b"abcdef" + tput("cup", 8, 2) +
                   tput("el1") + tput("cup", 9, 0) + b"abcdef" + tput("cup", 9, 1) + tput("ech", 2) +
                   tput("cup", 10, 0) + tput("rep", ord("z"), 3) + tput("cup", 11, 0) + tput("hpa", 5) + b"H" +
                   tput("cup", 12, 20) + tput("cbt") + b"T" + tput("cup", 13, 0) + tput("rev") + b"R" +
                   tput("sgr0") + tput("smul") + b"U" + tput("sgr0") + tput("blink") + b"B" + tput("sgr0") +
                   tput("cup", 16, 0) + tput("tbc") + b"a\tb" + tput("cup", 18, 0) + b"abcdef" +
                   tput("cup", 21, 0) + b"erased" + tput("cup", 18, 3) + tput("ed") +
                   tput("cup", 0, 0) + b"\x1b[1AW" + b"\x9b15;1Hc1" + tput("cup", 20, 0) + b"bottom" +
                   tput("cup", 23, 0) + tput("indn", 2) + tput("cup", 0, 0) + tput("rin", 1) + b"top")
        self.wait("the drawing", lambda: any(r == "top" for r in self.rows()))
        # Two lines up, one down: every row drawn sits one higher.
        rows = self.rows()
        expected = {0: "top", 1: "    abXY efgh", 2: "new3", 4: "line4", 6: "ab", 7: "   def", 8: "a  def", 9: "zzz",
                    10: "     H", 11: " " * 16 + "T", 12: "RUB", 13: "c1", 15: "a", 16: "b", 17: "abc",
                    19: "bottom", 20: "", 22: "W", 23: ""}
        for row, text in expected.items():
            self.assertEqual(rows[row], text, "row %d of %r" % (row, rows))
        block.take()
        block.send(tput("cup", 4, 6) + tput("u7"))
        block.expect(b"\x1b[5;7R")


class SetupPageTest(Ta6530Case):
    def test_packet_block_512_is_saved_and_factory_values_write_nothing(self):
        proc, hwnd = self.start()
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        values = self.wine.reg_values(PROFILE + r"\TA6530") or {}
        self.assertFalse([n for n in values if n.startswith("ta_")], values)
        self.assertTrue(self.wine.probe.command(hwnd, SETUP_TA6530))
        page = self.wine.probe.find_dialog("TA 6530 Settings", 20000)
        self.assertIsNotNone(page)
        items = [item["text"] for item in self.wine.probe.items(page, 1781)["items"]]
        self.assertIn("512", items)
        self.assertTrue(self.wine.probe.select(page, 1781, items.index("512")))
        self.assertTrue(self.wine.probe.click(page, 1))
        self.assertTrue(self.wine.probe.ask("wait-gone", page, 10000)["ok"])
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        values = self.wine.reg_values(PROFILE + r"\TA6530") or {}
        self.assertIn("ta_packet_block", values)
        self.assertEqual(int(values["ta_packet_block"][1], 0), 3)
        # The Attributes page lists the TA6530's sixteen combinations and takes a colour
        # into its section.
        self.assertTrue(self.wine.probe.command(hwnd, ATTRIBUTES))
        page = self.wine.probe.find_dialog("Attributes", 20000)
        self.assertIsNotNone(page)
        items = [item["text"] for item in self.wine.probe.items(page, 2160)["items"]]
        self.assertEqual(len(items), 16, items)
        self.assertEqual(items[0], "Normal")
        self.assertTrue(self.wine.probe.control(page, 2226)["enabled"])  # "Attributes use Normal B&G"
        self.assertTrue(self.wine.probe.click(page, 2))
        self.assertTrue(self.wine.probe.ask("wait-gone", page, 10000)["ok"])


if __name__ == "__main__":
    unittest.main()
