"""The wizard's pages driven by control id: what each page offers for the emulation
chosen, and what Finish then stores in the profile and the terminal's start line."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import telnethost as th
import vxtest
from vxtest import ScreenDump, printers
from vxtest.lprdrive import use_printer_port
from vxtest.lprng import PrivateLpd
from vxtest.serialpeer import SerialPeer
from test_wizard import APPLY, EDIT_TITLE, NAME, NEW_TITLE, NEXT, PROFILES, WIZARD, ZEZ, PROGRAM_DIR, WizardTest

EMULATION, MODEL, MODEL_CAPTION = 1201, 1202, 1199
TCPIP, SERIAL, HOST, ROLLOVER, HOST2, ADVANCED, CONNECT_TO, SPEED = 30104, 30105, 1250, 30258, 1281, 30134, 1246, 1208
TELNET_TITLE = "TCP/IP Telnet Configuration "
OPTIONS_5250 = 30135
HOST_PORT, TN3270E, OPTIONS_3270, IBM_CONTROLS = 30110, 30117, 3001, (30116, 30117, 3001, 30136, 30135)
OTHER_TELNET_CONTROLS = (30110, 1203, 1204, 30256, 1264, 2972, 1207, 1247, 30122, 30123, 1285)
WAIT_TEXT, RESPONSE, TOKEN, INSERT, ADD = 1215, 1253, 1216, 30141, 30140
STORE_USER, STORE_ALL, FINISH_TEXT = 30237, 30238, 30255
PRINTER_LIST, DIRECT, PRINT_PORT, CONFIGURE, LPR, LPD_HOST = 1219, 30143, 6014, 30147, 4900, 4902
LPR_PRINTER, LPR_RETRIES, LPR_DELAY = 4912, 4916, 4917
TELNET_NAME, FORCE_BINARY = 1203, 1207
WM_CHAR = 0x0102
INTERNATIONAL, LANGUAGE, LANGUAGE_LABEL = 30186, 1288, 11288
MODE, PREFERRED_SET, ANSI_PAGE, PREFERRED_FONT, KBDTYPE, ASCII_FONT = 1245, 1234, 1235, 1233, 1244, 1236
SBCS_PAGE, SBCS_CHARSET, SBCS_CCSID, APL2 = 1237, 1238, 1239, (30199, 1241, 1242, 1243)
FULL_SCREEN, DISABLE_ALL, SINGLE_MENUS, RECONNECT, MOUSE = 30176, 30162, (30164, 30163, 30165, 30166), 30170, 1286


class WizardPages(WizardTest):
    def setUp(self):
        super().setUp()
        self.assertEqual(self.wine.run(WIZARD, "-R", cwd=PROGRAM_DIR).returncode, 0)

    def start_new(self, name="A"):
        proc = self.connmgr("new")
        dialog = self.wine.probe.find_dialog(NEW_TITLE)
        self.assertIsNotNone(dialog)
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, name))
        return proc, dialog

    def emulation(self, dialog, emulation_id):
        self.assertTrue(self.wine.probe.select(self.page(dialog), EMULATION, emulation_id))
        time.sleep(0.3)

    def visible(self, page, control):
        return self.wine.probe.control(page, control)["visible"]

    def enabled(self, page, control):
        return self.wine.probe.control(page, control)["enabled"]

    def modal(self, title):
        dialog = self.wine.probe.find_dialog(title)
        self.assertIsNotNone(dialog, "no dialog %r" % title)
        return dialog

    def serial_ports(self, *ports):
        """The machine's serial ports as the device map lists them (volatile values that
        live as long as the prefix's server)."""
        key = r"HKLM\HARDWARE\DEVICEMAP\SERIALCOMM"
        for name in list(self.wine.reg_values(key) or {}):
            self.wine.reg("delete", key, "/v", name, "/f")
        for number, port in enumerate(ports):
            code, said = self.wine.reg("add", key, "/v", "\\Device\\Serial%d" % number, "/d", port, "/f")
            self.assertEqual(code, 0, said)

    def test_a_telnet_connection_stores_its_host_twice(self):
        self.serial_ports()
        proc, dialog = self.start_new()
        self.next_to(dialog, "Host Information")
        page = self.page(dialog)
        self.assertTrue(self.wine.probe.control(page, TCPIP)["check"])
        self.assertFalse(self.enabled(dialog, NEXT), "an empty host keeps Next off")
        self.assertFalse(self.enabled(page, SERIAL), "the test prefix has no serial port")
        self.assertTrue(self.wine.probe.click(page, ROLLOVER))
        time.sleep(0.3)
        self.assertTrue(self.visible(page, HOST2))
        self.assertTrue(self.wine.probe.click(page, ROLLOVER))
        time.sleep(0.3)
        self.assertFalse(self.visible(page, HOST2))
        self.assertTrue(self.wine.probe.set_text(page, HOST, "h"))
        self.assertTrue(self.enabled(dialog, NEXT))
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\CONNECTION"), {
            "netproto": ("REG_DWORD", "0x0"), "netname": ("REG_SZ", "h"), "netname1": ("REG_SZ", "h")})
        self.assertEqual(self.export(PROFILES + r"\A").count("["), 2)
        self.assertEqual(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup,A"),
                         {"iNumEntries": ("REG_DWORD", "0x0")})

    def test_a_serial_connection_stores_its_port_and_line(self):
        self.serial_ports("COM1", "COM3")
        proc, dialog = self.start_new("S")
        self.next_to(dialog, "Host Information")
        page = self.page(dialog)
        self.assertTrue(self.enabled(page, SERIAL))
        self.assertTrue(self.wine.probe.click(page, SERIAL))
        time.sleep(0.3)
        self.assertTrue(self.enabled(dialog, NEXT), "a serial connection needs no host")
        ports = self.wine.probe.items(page, CONNECT_TO)["items"]
        self.assertEqual([(p["text"], p["data"]) for p in ports], [("COM1", 0), ("COM3", 2)])
        self.assertTrue(self.wine.probe.select(page, CONNECT_TO, 1))
        self.assertTrue(self.wine.probe.click(page, ADVANCED))
        serial = self.modal("Serial Settings")
        self.assertTrue(self.wine.probe.select(serial, SPEED, 7))  # 19200
        self.assertTrue(self.wine.probe.click(serial, 1))
        time.sleep(0.5)
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(PROFILES + r"\S\CONNECTION"), {
            "netproto": ("REG_DWORD", "0x1"), "comdevice": ("REG_DWORD", "0x2"), "comspeed": ("REG_DWORD", "0x7")})

    def test_the_terminal_started_on_a_serial_connection_sets_its_line(self):
        line = SerialPeer(self.wine, "COM3")
        self.addCleanup(line.close)
        self.wine.restart_server()  # the port joins the device map
        proc, dialog = self.start_new("S")
        self.next_to(dialog, "Host Information")
        page = self.page(dialog)
        self.assertTrue(self.wine.probe.click(page, SERIAL))
        time.sleep(0.3)
        self.choose(page, CONNECT_TO, "COM3")
        self.assertTrue(self.wine.probe.click(page, ADVANCED))
        serial = self.modal("Serial Settings")
        self.assertTrue(self.wine.probe.select(serial, SPEED, 7))  # 19200
        self.assertTrue(self.wine.probe.click(serial, 1))
        time.sleep(0.5)
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)

        dump = ScreenDump(self.wine, tempfile.mkdtemp(prefix="vxwizserial"))
        proc = self.connmgr("start", "S")
        hwnd = self.wine.probe.find("vexaNT", 30000)
        self.assertIsNotNone(hwnd)
        deadline = time.time() + 20
        while time.time() < deadline and "COM3" not in self.wine.probe.info(hwnd)["title"]:
            time.sleep(0.1)
        self.assertIn("19200", line.stty().split())
        line.send(b"far end\r\n")
        self.assertIn("far end", dump.wait("far end", 15))
        self.assertTrue(self.wine.probe.post(hwnd, WM_CHAR, ord("x"), 1))
        self.assertEqual(line.expect(b"x", 10), b"x")
        self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
        self.wait_exit(proc, 30)

    def test_the_terminal_started_after_finish_names_itself_logs_in_and_prints_through_lpr(self):
        with th.ScriptedHost() as host, PrivateLpd() as lpd:
            use_printer_port(self.wine, lpd.port)
            proc, dialog = self.start_new()
            self.next_to(dialog, "Host Information")
            page = self.page(dialog)
            self.assertTrue(self.wine.probe.set_text(page, HOST, "127.0.0.1"))
            self.assertTrue(self.wine.probe.click(page, ADVANCED))
            telnet = self.modal(TELNET_TITLE)
            self.assertTrue(self.wine.probe.set_text(telnet, HOST_PORT, str(host.port)))
            self.assertTrue(self.wine.probe.set_text(telnet, TELNET_NAME, "vt-test"))
            self.assertTrue(self.wine.probe.select(telnet, FORCE_BINARY, 2))  # "DO"
            self.assertTrue(self.wine.probe.click(telnet, 1))
            time.sleep(0.5)
            self.next_to(dialog, "Automate Login Process")
            page = self.page(dialog)
            self.assertTrue(self.wine.probe.set_text(page, WAIT_TEXT, "login:"))
            self.assertTrue(self.wine.probe.set_text(page, RESPONSE, "guest<CR>"))
            self.assertTrue(self.wine.probe.click(page, ADD))
            time.sleep(0.3)
            self.next_to(dialog, "Printer Port Settings")
            page = self.page(dialog)
            self.assertTrue(self.wine.probe.click(page, LPR))
            time.sleep(0.3)
            self.assertTrue(self.wine.probe.set_text(page, LPD_HOST, "127.0.0.1"))
            self.assertTrue(self.wine.probe.click(page, ADVANCED))
            lpr = self.modal("LPD Device Settings")
            for control, text in ((LPR_PRINTER, "lp"), (LPR_RETRIES, "1"), (LPR_DELAY, "2")):
                self.assertTrue(self.wine.probe.set_text(lpr, control, text))
            self.assertTrue(self.wine.probe.click(lpr, 1))
            time.sleep(0.5)
            self.finish_from(dialog, 3)
            self.assertEqual(self.finished(proc)["exit"], 1)
            printing = self.wine.reg_values(PROFILES + r"\A\PRINTING")
            self.assertEqual(printing["LPRRetries"], ("REG_DWORD", "0x1"))
            self.assertEqual(printing["LPRRetryDelay"], ("REG_DWORD", "0x2"))

            proc = self.connmgr("start", "A")
            host.wait_connection(60)
            host.wait_for(lambda data: th.do(th.BINARY) in data, what="IAC DO BINARY")
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.wait_for(lambda data: th.ttype_is("vt-test") in data, what="TERMINAL-TYPE IS vt-test")
            host.send(b"login:")
            host.wait_for(lambda data: b"guest\r" in data, what="the stored answer to login:")
            host.send(b"\x1b[5iAB\x1b[4i")
            self.assertTrue(lpd.wait_printed(2, 30), open(lpd.log).read())
            self.assertEqual(lpd.printed(), b"AB")
            hwnd = self.wine.probe.find("vexaNT", 30000)
            self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
            self.wait_exit(proc, 30)

    def test_an_lpr_module_without_all_its_exports_turns_lpr_off(self):
        folder = tempfile.mkdtemp(prefix="vxwizlpr")
        self.addCleanup(shutil.rmtree, folder, True)
        for source in (WIZARD, os.path.join(PROGRAM_DIR, "VXNTENG.DLL"),
                       vxtest.build_path("tests", "program", "lprspool_partial", "lprspool.DLL")):
            shutil.copy(source, folder)
        self.seed_connection("A", "-WA")
        self.seed("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Profiles\\A\\PRINTING]\n"
                  "\"ViaLPR\"=dword:00000001\n\"LPRPrint\"=\"lpdhost\"\n\n")
        proc = self.wine.start(os.path.join(folder, "VXNTCONWIZ.EXE"), "-EA", cwd=folder)
        dialog = self.wine.probe.find_dialog(EDIT_TITLE)
        self.assertIsNotNone(dialog)
        self.next_to(dialog, "Printer Port Settings", 3)
        page = self.page(dialog)
        self.assertFalse(self.enabled(page, LPR))
        self.assertFalse(self.wine.probe.control(page, LPR)["check"])
        self.finish_from(dialog, 3)
        self.assertEqual(self.wait_exit(proc, 30), 1)
        printing = self.wine.reg_values(PROFILES + r"\A\PRINTING") or {}
        self.assertNotEqual(printing.get("ViaLPR"), ("REG_DWORD", "0x1"), "LPR is off")

    def test_one_more_login_step_is_stored_after_the_three_stored(self):
        self.seed_connection("A", "-WA")
        self.seed("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Startup,A]\n\"iNumEntries\"=dword:00000003\n"
                  "\"WaitFor0\"=\"login:\"\n\"Response0\"=\"guest<CR>\"\n\"WaitCond1\"=\"<KU>\"\n\"Response1\"=\"\"\n"
                  "\"WaitFor2\"=\"$ \"\n\"Response2\"=\"ls<CR>\"\n\n")
        proc = self.connmgr("properties", "A")
        dialog = self.wine.probe.find_dialog(EDIT_TITLE)
        self.next_to(dialog, "Automate Login Process", 2)
        page = self.page(dialog)
        self.assertFalse(self.enabled(page, ADD), "nothing to add before a wait text")
        self.assertTrue(self.wine.probe.set_text(page, WAIT_TEXT, "bye?"))
        self.assertTrue(self.enabled(page, ADD))
        self.assertTrue(self.wine.probe.set_text(page, RESPONSE, "y"))
        self.assertTrue(self.wine.probe.select(page, TOKEN, 4))  # C. Return
        self.assertTrue(self.wine.probe.click(page, INSERT))
        self.assertTrue(self.wine.probe.click(page, ADD))
        time.sleep(0.3)
        self.assertEqual(self.wine.probe.control(page, WAIT_TEXT)["text"], "")
        self.finish_from(dialog, 2)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup,A"), {
            "iNumEntries": ("REG_DWORD", "0x4"), "WaitFor0": ("REG_SZ", "login:"), "Response0": ("REG_SZ", "guest<CR>"),
            "WaitCond1": ("REG_SZ", "<KU>"), "Response1": ("REG_SZ", ""), "WaitFor2": ("REG_SZ", "$ "),
            "Response2": ("REG_SZ", "ls<CR>"), "WaitFor3": ("REG_SZ", "bye?"), "Response3": ("REG_SZ", "<CR>y")})

    def test_a_connection_for_the_current_user_only(self):
        user = os.environ.get("USER") or "root"
        desktop = os.path.join(self.wine.prefix, "drive_c", "users", user, "Desktop")
        if os.path.islink(desktop):
            os.unlink(desktop)
        os.makedirs(desktop, exist_ok=True)
        proc, dialog = self.start_new()
        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
        self.next_to(dialog, "Finalization", 5)
        page = self.page(dialog)
        self.assertEqual(self.wine.probe.control(page, STORE_USER)["text"], "Session stored for current user only")
        self.assertTrue(self.visible(page, STORE_ALL))
        self.assertEqual(self.wine.probe.control(page, FINISH_TEXT)["text"], "Click Finish to store settings.")
        self.assertTrue(self.wine.probe.click(page, STORE_USER))
        time.sleep(0.3)
        self.assertTrue(self.wine.probe.click(dialog, NEXT))
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(r"HKCU\Software\Quorlan\vexaNT\Profiles\A\CONNECTION"), {
            "netproto": ("REG_DWORD", "0x0"), "netname": ("REG_SZ", "h"), "netname1": ("REG_SZ", "h")})
        self.assertIsNone(self.wine.reg_values(PROFILES + r"\A\CONNECTION"))
        self.assertIsNotNone(self.wine.reg_values(ZEZ + r"\Connections\A"))
        self.assertTrue(os.path.exists(os.path.join(desktop, "A.lnk")))

    def telnet_dialog_of_5250(self, name, model):
        proc, dialog = self.start_new(name)
        self.emulation(dialog, 7)
        self.assertTrue(self.wine.probe.select(self.page(dialog), MODEL, model))
        time.sleep(0.3)
        self.next_to(dialog, "Host Information")
        page = self.page(dialog)
        self.assertTrue(self.wine.probe.set_text(page, HOST, "h"))
        self.assertTrue(self.wine.probe.click(page, ADVANCED))
        return proc, dialog, self.modal(TELNET_TITLE)

    def test_5250_display_and_printer_variables(self):
        proc, dialog, telnet = self.telnet_dialog_of_5250("D", 0)
        self.assertTrue(self.wine.probe.click(telnet, OPTIONS_5250))
        options = self.modal("5250 Options")
        self.assertTrue(self.wine.probe.control(options, 3017)["style"] & 0x20, "the password is masked")
        self.assertTrue(self.wine.probe.set_text(options, 3015, "QUSER"))
        self.assertTrue(self.wine.probe.set_text(options, 3013, "DSP01"))
        self.assertTrue(self.wine.probe.click(options, 1))
        time.sleep(0.3)
        self.assertTrue(self.wine.probe.click(telnet, 1))
        time.sleep(0.3)
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(PROFILES + r"\D\Telnet\5250,VAR"), {"USER": ("REG_SZ", "QUSER")})
        self.assertEqual(self.wine.reg_values(PROFILES + r"\D\Telnet\5250,USERVAR"), {"DEVNAME": ("REG_SZ", "DSP01")})

        proc, dialog, telnet = self.telnet_dialog_of_5250("P", 11)  # 3812-1, the printer
        self.assertEqual(self.wine.probe.control(telnet, 1203)["text"], "IBM-3812-1")
        self.assertTrue(self.wine.probe.click(telnet, OPTIONS_5250))
        printer = self.modal("5250 Printer Options")
        self.assertFalse(self.enabled(printer, 3315), "the transform is not the user's")
        self.assertTrue(self.wine.probe.set_text(printer, 3303, "PRT01"))
        self.assertTrue(self.wine.probe.click(printer, 1))
        time.sleep(0.3)
        # Opened again, the confirmed name is still there.
        self.assertTrue(self.wine.probe.click(telnet, OPTIONS_5250))
        printer = self.modal("5250 Printer Options")
        self.assertEqual(self.wine.probe.control(printer, 3303)["text"], "PRT01")
        self.assertTrue(self.wine.probe.click(printer, 2))
        time.sleep(0.3)
        self.assertTrue(self.wine.probe.click(telnet, 1))
        time.sleep(0.3)
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        stored = self.wine.reg_values(PROFILES + r"\P\Telnet\5250PRT,USERVAR")
        self.assertEqual(stored["DEVNAME"], ("REG_SZ", "PRT01"))
        self.assertEqual(stored["IBMTRANSFORM"], ("REG_SZ", "2"))
        self.assertEqual(stored["IBMFORMFEED"], ("REG_SZ", ""))
        self.assertEqual(stored["IBMIGCFEAT"], ("REG_SZ", ""))

    def international(self, dialog, name):
        self.assertTrue(self.visible(self.page(dialog), INTERNATIONAL))
        self.assertTrue(self.wine.probe.click(self.page(dialog), INTERNATIONAL))
        return self.modal("National Replacement Character - %s Settings" % name)

    def texts(self, dialog, control):
        return [item["text"] for item in self.wine.probe.items(dialog, control)["items"]]

    def choose(self, dialog, control, text):
        self.assertTrue(self.wine.probe.select(dialog, control, self.texts(dialog, control).index(text)))
        time.sleep(0.3)

    def code_page_folder(self):
        """A working directory for the terminal that holds only code-page files."""
        folder = tempfile.mkdtemp(prefix="vxcp")
        self.addCleanup(shutil.rmtree, folder, True)
        code, said = self.wine.reg("add", r"HKLM\SOFTWARE\Quorlan\vexaNT", "/v", "WorkDir", "/d",
                                   self.wine.windows_path(folder), "/f")
        self.assertEqual(code, 0, said)
        for page in (37, 273, 500):
            for kind in ("S2U", "U2S"):
                open(os.path.join(folder, "IBM%05d.%s" % (page, kind)), "w").close()
        return folder

    def greek_families(self):
        """The font families that can show Greek: the system's, Wine's own, and the names
        the prefix replaces by one of them."""
        listed = subprocess.run(["fc-list", ":lang=el", "family"], capture_output=True, text=True).stdout.splitlines()
        scanned = subprocess.run(["sh", "-c", "fc-scan --format '%{family}\\t%{lang}\\n' /usr/share/wine/fonts/*"],
                                 capture_output=True, text=True).stdout.splitlines()
        listed += [line.split("\t")[0] for line in scanned if "el" in line.split("\t")[-1].split("|")]
        names = {name.strip() for line in listed for name in line.split(",")}
        replaced = self.wine.reg_values(r"HKCU\Software\Wine\Fonts\Replacements") or {}
        return names | {name for name, (kind, target) in replaced.items() if target in names}

    def test_a_second_language_module_offers_the_operating_language(self):
        folder = tempfile.mkdtemp(prefix="vxlang")
        self.addCleanup(shutil.rmtree, folder, True)
        for name in ("VXNTENG.DLL", "VXNTFRA.DLL"):
            shutil.copy(os.path.join(PROGRAM_DIR, "VXNTENG.DLL"), os.path.join(folder, name))
        code, said = self.wine.reg("add", r"HKLM\SOFTWARE\Quorlan\vexaNT", "/v", "WorkDir", "/d",
                                   self.wine.windows_path(folder), "/f")
        self.assertEqual(code, 0, said)
        proc, dialog = self.start_new()
        page = self.page(dialog)
        self.assertTrue(self.visible(page, LANGUAGE))
        self.assertEqual(self.texts(page, LANGUAGE), ["English", "French"])
        self.assertEqual(self.wine.probe.control(page, LANGUAGE)["text"], "English")
        self.choose(page, LANGUAGE, "French")
        # The page is made again in the language chosen, the name typed kept.
        deadline = time.time() + 10
        while time.time() < deadline and self.page(dialog) == page:
            time.sleep(0.1)
        page = self.page(dialog)
        self.assertEqual(self.wine.probe.control(page, NAME)["text"], "A")
        self.assertEqual(self.wine.probe.control(page, LANGUAGE)["text"], "French")
        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\Window"), {"Language": ("REG_DWORD", "0x1")})

    def test_international_settings_follow_the_emulation(self):
        folder = self.code_page_folder()
        proc, dialog = self.start_new()
        self.emulation(dialog, 17)
        self.assertFalse(self.visible(self.page(dialog), INTERNATIONAL), "the TA6530 has none")
        self.assertFalse(self.visible(self.page(dialog), LANGUAGE), "one language module: no choice")

        self.emulation(dialog, 1)
        national = self.international(dialog, "VT100")
        # Wine's US layout: English (US), which has a national variant.
        self.assertTrue(self.visible(national, MODE))
        self.assertNotIn("HP Roman 8", self.texts(national, PREFERRED_SET))
        self.assertEqual(self.wine.probe.control(national, PREFERRED_SET)["text"], "ISO Latin-1")
        self.assertFalse(self.enabled(national, ANSI_PAGE))
        self.assertFalse(self.visible(national, KBDTYPE))
        self.choose(national, PREFERRED_SET, "ISO Greek")
        fonts = self.texts(national, PREFERRED_FONT)
        self.assertTrue(fonts)
        greek = self.greek_families()
        for font in fonts:
            self.assertIn(font, greek)
        self.assertFalse(self.enabled(national, MODE), "a set without national variant is multinational")
        self.choose(national, PREFERRED_SET, "Ansi")
        self.assertTrue(self.enabled(national, MODE))
        self.assertTrue(self.enabled(national, ANSI_PAGE))
        self.choose(national, ANSI_PAGE, "850")
        self.assertTrue(self.wine.probe.click(national, 1))
        time.sleep(0.5)

        self.emulation(dialog, 15)
        national = self.international(dialog, "WY60")
        self.assertFalse(self.visible(national, PREFERRED_SET), "a Wyse takes its sets from its code page")
        self.assertEqual(self.wine.probe.control(national, ANSI_PAGE + 10000)["text"], "Code &Page:")
        self.assertTrue(self.enabled(national, ANSI_PAGE))
        self.assertEqual(len(self.texts(national, ANSI_PAGE)), 11)
        self.assertEqual(self.texts(national, ASCII_FONT), ["WY ASCII", "PC Standard"])
        self.assertTrue(self.enabled(national, ASCII_FONT), "the WY60 has an ASCII font choice")
        self.assertTrue(self.wine.probe.click(national, 2))
        time.sleep(0.5)

        self.emulation(dialog, 18)
        national = self.international(dialog, "HP700-92/96")
        self.assertEqual(self.wine.probe.control(national, PREFERRED_SET)["text"], "HP Roman 8")
        self.assertFalse(self.visible(national, ANSI_PAGE))
        self.assertTrue(self.wine.probe.click(national, 2))
        time.sleep(0.5)

        self.emulation(dialog, 6)
        national = self.international(dialog, "IBM3270")
        for control in (MODE, PREFERRED_SET, ANSI_PAGE, KBDTYPE):
            self.assertFalse(self.visible(national, control), control)
        for control in APL2:
            self.assertTrue(self.visible(national, control), control)
            self.assertFalse(self.enabled(national, control), control)
        self.assertEqual([self.wine.probe.control(national, c)["text"] for c in APL2[1:]], ["", "", ""])
        self.assertEqual(self.texts(national, SBCS_PAGE), ["37", "273", "500"])
        self.assertEqual([self.wine.probe.control(national, c)["text"] for c in (SBCS_PAGE, SBCS_CHARSET, SBCS_CCSID)],
                         ["37", "697", "37"])
        self.assertTrue(self.wine.probe.click(national, 2))  # Cancel
        time.sleep(0.5)

        os.unlink(os.path.join(folder, "IBM00273.U2S"))
        self.emulation(dialog, 7)
        national = self.international(dialog, "IBM5250")
        self.assertEqual(self.wine.probe.control(national, KBDTYPE)["text"], "USB")
        self.assertFalse(self.visible(national, SBCS_CCSID))
        for control in APL2:
            self.assertFalse(self.visible(national, control), control)
        self.assertEqual(self.texts(national, SBCS_PAGE), ["37", "500"], "273 lacks its second file")
        self.assertTrue(self.wine.probe.click(national, 1))
        time.sleep(0.5)

        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\VT300"), {
            "vdumode": ("REG_DWORD", "0x7"), "upss": ("REG_DWORD", "0x4"), "ansi386_codepage": ("REG_DWORD", "0x1")})
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\Telnet\5250,USERVAR"), {
            "KBDTYPE": ("REG_SZ", "USB"), "CODEPAGE": ("REG_SZ", "37"), "CHARSET": ("REG_SZ", "697")})

    def finish_from(self, dialog, position):
        titles = ["Connection Information", "Host Information", "Automate Login Process", "Printer Port Settings",
                  "GUI Overrides", "Aux Port Settings", "Finalization"]
        for title in titles[position + 1:]:
            self.next_to(dialog, title)
        self.assertTrue(self.wine.probe.click(dialog, NEXT))

    def test_emulations_show_their_models_and_options(self):
        proc, dialog = self.start_new()
        page = self.page(dialog)
        self.emulation(dialog, 7)  # IBM5250
        for control in (30113, 30153, 30154, 30156):
            self.assertTrue(self.visible(page, control), control)
        self.assertFalse(self.visible(page, 30246))
        self.assertEqual(len(self.wine.probe.items(page, MODEL)["items"]), 12)
        self.assertEqual(self.wine.probe.control(page, MODEL_CAPTION)["text"], "&IBM 5250 Model:")
        self.emulation(dialog, 17)  # TA6530
        self.assertFalse(self.visible(page, MODEL))
        self.assertFalse(self.visible(page, MODEL_CAPTION))
        self.emulation(dialog, 6)  # IBM3270: the TCP/IP-only host page
        self.next_to(dialog, "Host Information")
        host_page = self.page(dialog)
        self.assertIsNone(self.wine.probe.control(host_page, SERIAL).get("hwnd"))
        self.assertTrue(self.wine.probe.set_text(host_page, HOST, "127.0.0.1"))
        # The telnet dialog of a 3270 connection: TN3270E on, its options reachable.
        self.assertTrue(self.wine.probe.click(host_page, ADVANCED))
        telnet = self.modal(TELNET_TITLE)
        self.assertFalse(self.wine.probe.control(telnet, TN3270E)["check"])
        self.assertTrue(self.enabled(telnet, OPTIONS_3270))
        # A display model: no associated printer LU, no printer functions.
        self.assertTrue(self.wine.probe.click(telnet, OPTIONS_3270))
        options = self.modal("3270 Options")
        for control in (1206, 30127, 30128):
            self.assertFalse(self.enabled(options, control), control)
        self.assertTrue(self.enabled(options, 30124))
        self.assertTrue(self.wine.probe.set_text(options, 1205, "LU01"))
        self.assertTrue(self.wine.probe.click(options, 1))
        time.sleep(0.3)
        self.assertTrue(self.wine.probe.click(telnet, TN3270E))
        time.sleep(0.3)
        self.assertFalse(self.enabled(telnet, OPTIONS_3270))
        self.assertEqual(self.wine.probe.control(telnet, 1203)["text"], "IBM-3278-2-E")  # model 4, the default
        self.assertTrue(self.wine.probe.set_text(telnet, HOST_PORT, "x2y"))
        self.assertTrue(self.wine.probe.click(telnet, 1))  # OK
        time.sleep(0.5)
        self.finish_from(dialog, 1)
        self.assertEqual(self.finished(proc)["exit"], 1)
        connection = self.wine.reg_values(PROFILES + r"\A\CONNECTION")
        self.assertEqual(connection["iTelnetPortNum"], ("REG_DWORD", "0x0"), "letters in a port store 0")
        self.assertNotIn("iTelnetName", connection, "the default name is not stored")
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\Telnet"),
                         {"Telnet3270e": ("REG_DWORD", "0x0"), "TelnetLuid": ("REG_SZ", "LU01")})
        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\VT300"), {"vdumode": ("REG_DWORD", "0x6")})

    @staticmethod
    def device_type_request(host, count):
        """The TN3270E DEVICE-TYPE REQUEST of the `count`th client to connect."""
        host.wait_connection(60, count)
        host.send(th.do(th.TN3270E))
        host.wait_for(lambda data: th.will(th.TN3270E) in data, what="WILL TN3270E")
        host.send(th.sb(th.TN3270E, bytes([th.E_SEND, th.E_DEVICE_TYPE])))
        start = bytes([th.IAC, th.SB, th.TN3270E, th.E_DEVICE_TYPE, th.E_REQUEST])
        data = host.wait_for(lambda d: start in d and bytes([th.IAC, th.SE]) in d[d.find(start):],
                             what="DEVICE-TYPE REQUEST")
        at = data.find(start)
        return data[at:data.find(bytes([th.IAC, th.SE]), at) + 2]

    def test_a_3270_lu_name_is_asked_for_as_s3270_asks_for_it(self):
        with th.ScriptedHost() as host:
            peer = subprocess.Popen(["s3270", "-model", "3278-2-E", "LU01@127.0.0.1:%d" % host.port],
                                    stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                reference = self.device_type_request(host, 1)
            finally:
                peer.kill()
                peer.wait()
            self.assertIn(b"LU01", reference)

            proc, dialog = self.start_new()
            self.emulation(dialog, 6)
            self.assertEqual(self.wine.probe.control(self.page(dialog), MODEL)["text"], "3278-2-E")
            self.next_to(dialog, "Host Information")
            page = self.page(dialog)
            self.assertTrue(self.wine.probe.set_text(page, HOST, "127.0.0.1"))
            self.assertTrue(self.wine.probe.click(page, ADVANCED))
            telnet = self.modal(TELNET_TITLE)
            self.assertTrue(self.wine.probe.set_text(telnet, HOST_PORT, str(host.port)))
            self.assertTrue(self.wine.probe.click(telnet, OPTIONS_3270))
            options = self.modal("3270 Options")
            self.assertTrue(self.wine.probe.set_text(options, 1205, "LU01"))
            self.assertTrue(self.wine.probe.click(options, 1))
            time.sleep(0.3)
            self.assertTrue(self.wine.probe.click(telnet, 1))
            time.sleep(0.5)
            self.finish_from(dialog, 1)
            self.assertEqual(self.finished(proc)["exit"], 1)

            proc = self.connmgr("start", "A")
            self.assertEqual(th.hexdump(self.device_type_request(host, 2)), th.hexdump(reference))
            hwnd = self.wine.probe.find("vexaNT", 30000)
            self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
            self.wait_exit(proc, 30)

    def test_a_vt_connections_telnet_dialog_disables_the_ibm_controls(self):
        proc, dialog = self.start_new()
        self.emulation(dialog, 1)
        self.next_to(dialog, "Host Information")
        page = self.page(dialog)
        self.assertTrue(self.wine.probe.set_text(page, HOST, "h"))
        self.assertTrue(self.wine.probe.click(page, ADVANCED))
        telnet = self.modal(TELNET_TITLE)
        for control in IBM_CONTROLS:
            self.assertTrue(self.visible(telnet, control), control)
            self.assertFalse(self.enabled(telnet, control), control)
        for control in OTHER_TELNET_CONTROLS:
            self.assertTrue(self.enabled(telnet, control), control)
        self.assertFalse(self.enabled(dialog, NEXT), "the main dialog waits for the telnet dialog")
        self.assertTrue(self.wine.probe.click(telnet, 2))  # Cancel
        time.sleep(0.5)
        self.assertTrue(self.enabled(dialog, NEXT))
        self.assertTrue(self.wine.probe.click(dialog, 30101))
        self.assertEqual(self.finished(proc)["exit"], 0)

    def test_lock_down_choices_become_the_start_line(self):
        for name, choices, line in (("A", (FULL_SCREEN, DISABLE_ALL, RECONNECT), "-F -E2 -WA"),
                                    ("B", (DISABLE_ALL, FULL_SCREEN), "-F -WB"),
                                    ("C", (), "-MC12 -WC")):
            with self.subTest(line=line):
                proc, dialog = self.start_new(name)
                self.next_to(dialog, "Host Information")
                self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
                self.next_to(dialog, "GUI Overrides", 3)
                page = self.page(dialog)
                for control in choices:
                    self.assertTrue(self.wine.probe.click(page, control))
                time.sleep(0.3)
                if DISABLE_ALL in choices:
                    # Full screen and "Disable All" in either order leave the menus off.
                    for control in SINGLE_MENUS:
                        self.assertFalse(self.enabled(page, control), control)
                if not choices:
                    self.assertTrue(self.wine.probe.select(page, MOUSE, 11))  # "Hand", the 12th cursor
                self.finish_from(dialog, 4)
                self.assertEqual(self.finished(proc)["exit"], 1)
                self.assertEqual(self.wine.reg_values(ZEZ + "\\Connections\\" + name)["StartCmdLineArgs"],
                                 ("REG_SZ", line))

    def test_printer_lines_keep_their_printer_and_port(self):
        printers.add_printer(self.wine, "Monochrome Laser", "LPT1:")
        printers.add_printer(self.wine, "Office on 2", "LPT2:")
        self.serial_ports("COM2")
        proc, dialog = self.start_new()
        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
        self.next_to(dialog, "Printer Port Settings", 2)
        page = self.page(dialog)
        lines = self.wine.probe.items(page, PRINTER_LIST)
        texts = [item["text"] for item in lines["items"]]
        self.assertIn("Monochrome Laser on LPT1:", texts)
        self.assertIn("Office on 2 on LPT2:", texts)
        self.assertTrue(self.wine.probe.select(page, PRINTER_LIST, texts.index("Office on 2 on LPT2:")))
        self.assertTrue(self.enabled(page, LPR), "lprspool resolves its five exports")
        self.assertTrue(self.wine.probe.click(page, DIRECT))
        time.sleep(0.3)
        self.assertTrue(self.enabled(page, PRINT_PORT))
        self.assertFalse(self.enabled(page, CONFIGURE), "LPT1: is no serial port")
        self.choose(page, PRINT_PORT, "COM2")
        self.assertTrue(self.enabled(page, CONFIGURE), "a serial printer's line can be set")
        self.choose(page, PRINT_PORT, "LPT1:")
        self.assertFalse(self.enabled(page, CONFIGURE))
        self.assertTrue(self.wine.probe.click(page, LPR))
        time.sleep(0.3)
        self.assertFalse(self.enabled(dialog, NEXT), "LPR waits for its host")
        self.assertTrue(self.wine.probe.click(page, LPR))
        time.sleep(0.3)
        self.finish_from(dialog, 3)
        self.assertEqual(self.finished(proc)["exit"], 1)
        printing = self.wine.reg_values(PROFILES + r"\A\PRINTING")
        self.assertEqual(printing["PMPrinter"], ("REG_SZ", "Office on 2"))
        self.assertEqual(printing["PMPort"], ("REG_SZ", "LPT2:"))
        self.assertEqual(printing["DirectToPort"], ("REG_DWORD", "0x1"))
        self.assertEqual(printing["Port"], ("REG_SZ", "LPT1:"))


if __name__ == "__main__":
    unittest.main()
