"""The Setup pages and the telnet dialogs from outside: winprobe drives their controls,
a scripted telnet host answers, and `wine reg query` reads the profile after Save."""
import os
import subprocess
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.printers import add_printer
from vxtest.serialpeer import SerialPeer

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

PROFILE = r"HKCU\Software\Quorlan\vexaNT\Profiles\P"
SAVE, EMULATION, SERIAL, TERMINAL, NEW_CONNECTION = 1011, 1012, 1013, 1014, 1015
PRINTER_SETUP, ATTRIBUTES = 1049, 1016
WM_LBUTTONDOWN, WM_LBUTTONUP = 0x0201, 0x0202
WM_KEYDOWN, VK_CANCEL = 0x0100, 0x03


class SetupProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        code, _ = self.wine.reg("add", r"HKCU\Software\Quorlan\vexaNT", "/v", "Session", "/t", "REG_SZ", "/d", "P",
                                "/f")
        self.assertEqual(code, 0)

    def start(self, *args):
        proc, hwnd = self.start_terminal(*args)
        self.addCleanup(self.stop_terminal, proc, hwnd)
        return hwnd

    def page(self, hwnd, command, title):
        self.assertTrue(self.wine.probe.command(hwnd, command))
        dialog = self.wine.probe.find_dialog(title, 20000)
        self.assertIsNotNone(dialog, "%s did not open" % title)
        return dialog

    def close_page(self, dialog, button):
        self.assertTrue(self.wine.probe.click(dialog, button))
        self.assertTrue(self.wine.probe.ask("wait-gone", dialog, 10000)["ok"])

    def save(self, hwnd, section="VT300"):
        self.wine.reg("delete", PROFILE, "/f")
        # Returns once the save has written every section.
        self.assertTrue(self.wine.probe.run_command(hwnd, SAVE))
        self.assertIsNotNone(self.wine.reg_values(PROFILE + "\\" + section), "the save wrote no %s section" % section)

    def value(self, section, name):
        values = self.wine.reg_values(PROFILE + "\\" + section) or {}
        return values.get(name)

    def text(self, section, name):
        """A REG_SZ exactly as stored, carriage returns and control characters kept."""
        prefix = ("    %s    REG_SZ    " % name).encode()
        _, said = self.wine.reg_output("query", PROFILE + "\\" + section, "/v", name)
        for line in said.split(b"\r\n"):
            if line.startswith(prefix):
                return line[len(prefix):].decode("utf-8")
        return None

    def connected(self, host, *args):
        hwnd = self.start("127.0.0.1", "-Tnport%d" % host.port, "-SeP", *args)
        host.wait_connection(60)
        host.expect(th.do(th.ECHO), timeout=30)
        return hwnd

    def test_emulation_page_answerback_reaches_the_host_and_the_profile(self):
        with th.ScriptedHost() as host:
            hwnd = self.connected(host)
            page = self.page(hwnd, EMULATION, "Emulation Settings")
            # The emulation cannot be changed on a live line.
            self.assertFalse(self.wine.probe.control(page, 1329)["enabled"])
            self.assertTrue(self.wine.probe.set_text(page, 1381, "ab^M"))
            self.close_page(page, 1)
            host.take()
            host.send(b"\x05")
            host.wait_for(lambda data: b"ab\r" in data, what="the answerback")
            self.assertEqual(host.take(), b"ab\r")
            self.save(hwnd)
            self.assertEqual(self.text("VT300", "ans_back"), "ab\r")

    def test_stored_answerbacks_survive_an_untouched_ok(self):
        for stored in ("\x01" * 29, "x^My_123\\"):
            reg = tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, encoding="utf-16")
            # A REG_SZ of control characters is written as hex(1) so regedit keeps every unit.
            units = ",".join("%02x,00" % ord(c) for c in stored + "\0")
            reg.write("Windows Registry Editor Version 5.00\r\n\r\n[%s\\VT300]\r\n\"ans_back\"=hex(1):%s\r\n"
                      % (PROFILE.replace("HKCU", "HKEY_CURRENT_USER"), units))
            reg.close()
            self.addCleanup(os.unlink, reg.name)
            self.assertEqual(self.wine.run("regedit", "/S", self.wine.windows_path(reg.name), cwd="/").returncode, 0)
            proc, hwnd = self.start_terminal()
            page = self.page(hwnd, EMULATION, "Emulation Settings")
            self.close_page(page, 1)
            self.save(hwnd)
            self.assertEqual(self.text("VT300", "ans_back"), stored)
            self.stop_terminal(proc, hwnd)

    def test_terminal_page_rows_and_check_list(self):
        with th.ScriptedHost() as host:
            hwnd = self.connected(host)
            page = self.page(hwnd, TERMINAL, "Terminal Settings")
            self.assertTrue(self.wine.probe.set_text(page, 1522, "36"))
            # The VT420 keeps pages: a page holds at least the rows the screen shows.
            if self.wine.probe.control(page, 1554)["enabled"]:
                self.assertTrue(self.wine.probe.set_text(page, 1554, "36"))
            self.close_page(page, 1)
            host.take()
            host.send(b"\x1b[999;1H\x1b[6n")
            host.wait_for(lambda data: b"R" in data, what="the cursor report")
            self.assertEqual(host.take(), b"\x1b[36;1R")

            # The check list, clicked with the X server's pointer.
            page = self.page(hwnd, TERMINAL, "Terminal Settings")
            items = self.wine.probe.items(page, 1639)
            rows = [i["text"] for i in items["items"]]
            height = items["itemHeight"]
            left, top = self.wine.probe.control(page, 1639)["rect"][:2]
            wrap, newline = rows.index("Auto Wrap"), rows.index("Auto New Line")

            def xdo(*args):
                subprocess.run(["xdotool", *args], env=self.wine.env, check=True, timeout=30)

            def box(row):
                # Inside the list's border, the box two pixels in and one down in its row.
                return str(left + 2 + 2 + 5), str(top + 2 + 1 + row * height + 5)

            # Arrow keys with the pointer on a box, and a click below the last row, change nothing.
            xdo("mousemove", *box(newline))
            xdo("click", "1")  # on the box: Auto New Line flips
            xdo("key", "Down", "Down", "Up")
            xdo("mousemove", str(left + 10), str(top + 2 + len(rows) * height + 6))
            xdo("click", "1")
            xdo("mousemove", *box(wrap))
            xdo("click", "1")
            time.sleep(0.5)
            self.close_page(page, 1)
            self.save(hwnd)
            self.assertEqual(self.value("VT300", "autowrap"), ("REG_DWORD", "0x1"))
            self.assertEqual(self.value("VT300", "autonl"), ("REG_DWORD", "0x1"))
            self.assertEqual(self.value("WINDOW", "dasize"), ("REG_DWORD", "0x24"))
            for name in ("autolf", "kpadmode", "curskeyapp"):
                self.assertIsNone(self.value("VT300", name), name)

    def test_serial_page_configures_the_open_port(self):
        line = SerialPeer(self.wine, "COM7")
        self.addCleanup(line.close)
        self.wine.restart_server()  # Wine reads its ports when its server starts
        connection = PROFILE + r"\CONNECTION"
        for name, value in (("netproto", 1), ("comdevice", 6)):
            self.assertEqual(self.wine.reg("add", connection, "/v", name, "/t", "REG_DWORD", "/d", str(value),
                                           "/f")[0], 0)
        hwnd = self.start()
        deadline = time.time() + 20
        while time.time() < deadline and "COM7" not in self.wine.probe.info(hwnd)["title"]:
            time.sleep(0.1)
        self.assertIn("COM7", self.wine.probe.info(hwnd)["title"])
        page = self.page(hwnd, SERIAL, "Serial Settings")
        speeds = self.wine.probe.items(page, 1421)
        self.assertEqual([i["text"] for i in speeds["items"]],
                         ["110", "300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"])
        self.assertEqual(speeds["selected"], 6)
        self.assertTrue(self.wine.probe.select(page, 1421, 7))
        self.assertTrue(self.wine.probe.select(page, 1441, 2))
        self.close_page(page, 1)
        deadline = time.time() + 15
        while time.time() < deadline and "19200" not in line.stty().split():
            time.sleep(0.2)
        self.assertIn("19200", line.stty().split())
        self.save(hwnd, "CONNECTION")
        self.assertEqual(self.value("CONNECTION", "comspeed"), ("REG_DWORD", "0x7"))
        self.assertEqual(self.value("CONNECTION", "comparity"), ("REG_DWORD", "0x2"))

    def test_new_connection_lists_the_machines_ports(self):
        hwnd = self.start()
        # A port the machine has only while the Wine server runs.
        key = r"HKLM\HARDWARE\DEVICEMAP\SERIALCOMM"
        self.assertEqual(self.wine.reg("add", key, "/v", "vxtest12", "/t", "REG_SZ", "/d", "COM12", "/f")[0], 0)
        page = self.page(hwnd, NEW_CONNECTION, "New Connection")
        self.assertTrue(self.wine.probe.select(page, 1210, 1))
        items = self.wine.probe.items(page, 1262)["items"]
        ports = {i["text"]: i["data"] for i in items}
        self.assertEqual(ports.get("COM12:", ports.get("COM12")), 11, items)
        self.close_page(page, 2)

    def test_new_connection_fields_follow_the_transport(self):
        hwnd = self.start()
        page = self.page(hwnd, NEW_CONNECTION, "New Connection")
        shown = lambda control: self.wine.probe.control(page, control)["visible"]
        self.assertTrue(self.wine.probe.select(page, 1210, 0))
        time.sleep(0.3)
        self.assertTrue(shown(1260))
        self.assertEqual(self.wine.probe.control(page, 1260)["style"] & 3, 2, "TCP/IP has an editable combo")
        self.assertTrue(self.wine.probe.select(page, 1210, 1))
        time.sleep(0.3)
        self.assertFalse(shown(1260))
        self.assertTrue(shown(1262))
        self.assertEqual(self.wine.probe.control(page, 1262)["style"] & 3, 3, "Serial has a drop-down list")
        self.assertTrue(self.wine.probe.select(page, 1210, 2))
        time.sleep(0.3)
        for control in (1250, 1251, 1260, 1262, 1271, 1272, 1273):
            self.assertFalse(shown(control), control)
        self.assertFalse(self.wine.probe.control(page, 1130)["enabled"])
        self.close_page(page, 2)

    def test_telnet_options_break_and_terminal_name(self):
        with th.ScriptedHost() as host:
            hwnd = self.start()
            page = self.page(hwnd, NEW_CONNECTION, "New Connection")
            self.assertTrue(self.wine.probe.select(page, 1210, 0))
            self.assertTrue(self.wine.probe.set_text(page, 1260, "127.0.0.1"))
            self.assertTrue(self.wine.probe.click(page, 2970))
            options = self.wine.probe.find_dialog("Telnet Options", 20000)
            self.assertIsNotNone(options)
            self.assertTrue(self.wine.probe.set_text(options, 1281, str(host.port)))
            self.assertTrue(self.wine.probe.set_text(options, 1286, "vt-test"))
            self.assertTrue(self.wine.probe.click(options, 2982))
            self.close_page(options, 1)
            # Written at once, before any save.
            self.assertEqual(self.value("Telnet", "TelnetSendBreakCR"), ("REG_DWORD", "0x1"))
            self.close_page(page, 1133)
            host.wait_connection(60)
            host.expect(th.do(th.ECHO), timeout=30)
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.wait_for(lambda data: b"vt-test" in data, what="the terminal type")
            self.assertIn(th.ttype_is("vt-test"), host.take())
            self.assertTrue(self.wine.probe.post(hwnd, WM_KEYDOWN, VK_CANCEL, 0x00460001))
            host.wait_for(lambda data: data.endswith(b"\r"), what="the break")
            self.assertEqual(host.take(), b"\xff\xf3\xff\xfd\x06\r")
            self.save(hwnd, "CONNECTION")
            self.assertEqual(self.value("CONNECTION", "iTelnetName"), ("REG_SZ", "vt-test"))

            # The default name is kept as none.
            page = self.page(hwnd, NEW_CONNECTION, "New Connection")
            self.assertTrue(self.wine.probe.click(page, 2970))
            options = self.wine.probe.find_dialog("Telnet Options", 20000)
            self.assertTrue(self.wine.probe.set_text(options, 1286, "vt420"))
            self.close_page(options, 1)
            self.close_page(page, 2)
            page = self.page(hwnd, EMULATION, "Emulation Settings")
            self.close_page(page, 1)
            self.save(hwnd, "CONNECTION")
            self.assertEqual(self.value("CONNECTION", "iTelnetName"), ("REG_SZ", "vt-test"),
                             "Cancel of New Connection kept the name")

    def test_cancel_after_changing_every_control_changes_nothing(self):
        hwnd = self.start()
        self.save(hwnd)
        before = {s: self.wine.reg_values(PROFILE + "\\" + s) for s in ("VT300", "CONNECTION", "WINDOW", "COLOURS")}
        probe = self.wine.probe
        page = self.page(hwnd, EMULATION, "Emulation Settings")
        probe.select(page, 1329, 18)
        probe.set_text(page, 1381, "changed")
        probe.set_text(page, 1378, "changed")
        probe.click(page, 1412)
        probe.click(page, 1382)
        self.close_page(page, 2)
        page = self.page(hwnd, SERIAL, "Serial Settings")
        for combo in (1421, 1441, 1451, 1461, 1471, 1502):
            probe.select(page, combo, 1)
        probe.click(page, 1490)
        probe.click(page, 1491)
        self.close_page(page, 2)
        page = self.page(hwnd, TERMINAL, "Terminal Settings")
        for combo in (1516, 1561, 1601, 1571, 1593):
            probe.select(page, combo, 1)
        probe.set_text(page, 1522, "36")
        probe.set_text(page, 1542, "200")
        probe.click(page, 1517)
        self.close_page(page, 2)
        page = self.page(hwnd, NEW_CONNECTION, "New Connection")
        probe.select(page, 1210, 2)
        probe.set_text(page, 1260, "elsewhere")
        self.close_page(page, 2)
        self.save(hwnd)
        after = {s: self.wine.reg_values(PROFILE + "\\" + s) for s in before}
        self.assertEqual(after, before)

    def test_printer_setup_keeps_a_printer_named_with_on_and_cancel_leaves_printing(self):
        add_printer(self.wine, "Plain", "LPT1:", default=True)
        add_printer(self.wine, "Laser on desk", "LPT1:")
        hwnd = self.start()
        probe = self.wine.probe
        title = "vexaterm  Printer Setup"
        dialog = self.page(hwnd, PRINTER_SETUP, title)
        ports = [i["text"] for i in probe.items(dialog, 1149)["items"]]
        self.assertEqual(ports.count("LPT1:"), 2, ports)
        printers = [i["text"] for i in probe.items(dialog, 1107)["items"]]
        self.assertIn("Laser on desk on LPT1:", printers)
        probe.select(dialog, 1107, printers.index("Laser on desk on LPT1:"))
        self.close_page(dialog, 1)
        self.save(hwnd, "PRINTING")
        self.assertEqual(self.text("PRINTING", "PMPrinter"), "Laser on desk")
        self.assertEqual(self.text("PRINTING", "PMPort"), "LPT1:")
        before = self.wine.reg_values(PROFILE + "\\PRINTING")
        dialog = self.page(hwnd, PRINTER_SETUP, title)
        probe.select(dialog, 1107, printers.index("Plain on LPT1:"))
        probe.click(dialog, 1147)
        self.close_page(dialog, 2)
        self.save(hwnd, "PRINTING")
        self.assertEqual(self.wine.reg_values(PROFILE + "\\PRINTING"), before)

    def test_attributes_page_normal_background_and_a_redefined_colour_are_saved(self):
        hwnd = self.start()
        probe = self.wine.probe
        page = self.page(hwnd, ATTRIBUTES, "Attributes")
        self.assertFalse(probe.control(page, 4)["enabled"])  # "Ansi Palette": no colour marked
        probe.select(page, 2160, 1)  # "Normal"
        time.sleep(0.3)
        # The swatch of colour 4 in the background grid, dropped on as the mouse does it.
        info = probe.info(page)
        window, client = info["rect"], info["client"]
        border = ((window[2] - window[0]) - (client[2] - client[0])) // 2
        top = (window[3] - window[1]) - (client[3] - client[1]) - border
        swatch = probe.control(page, 2064)["rect"]
        x = (swatch[0] + swatch[2]) // 2 - window[0] - border
        y = (swatch[1] + swatch[3]) // 2 - window[1] - top
        at = (y << 16) | x
        probe.send(page, WM_LBUTTONDOWN, 1, at)
        probe.send(page, WM_LBUTTONUP, 0, at)
        self.assertTrue(probe.control(page, 4)["enabled"])
        probe.click(page, 4)
        colours = probe.find_dialog("Color", 20000)
        self.assertIsNotNone(colours, "the colour dialog did not open")
        for control, value in ((706, "0"), (707, "128"), (708, "0")):
            probe.set_text(colours, control, value)
        self.close_page(colours, 1)
        self.close_page(page, 1)
        self.save(hwnd, "COLOURS")
        # Colour bytes are stored sign-extended, as the profile keeps every byte.
        self.assertEqual(self.value("COLOURS", "bcknorm"), ("REG_DWORD", "0xffffff84"))
        # Entry 4 of the palette: hue 240, lightness 25, saturation 100, as 16-bit units.
        for name, want in (("hue", "F000"), ("lightness", "1900"), ("saturation", "6400")):
            kind, data = self.value("COLOURS", name)
            self.assertEqual(data[16:20], want, (name, data))


if __name__ == "__main__":
    unittest.main()
