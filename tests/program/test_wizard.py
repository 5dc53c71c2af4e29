"""The connection wizard driven from outside: started through the connection manager's
stand-in (tools/connmgr) as the thin client starts it, its dialogs driven by control id,
what it stores read with `wine reg export`, its desktop shortcut with lnkinfo, and the
terminal it registers started on a scripted host."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

import telnethost as th
import vxtest
from vxtest import WineTestCase

PROGRAM_DIR = vxtest.build_path("terminal")
WIZARD = vxtest.build_path("terminal", "VXNTCONWIZ.EXE")
CONNMGR = vxtest.build_path("tools", "connmgr.exe")
ZEZ = r"HKLM\SOFTWARE\Microsoft\WBT\Clients\Registration\ZEZ"
PROFILES = r"HKLM\SOFTWARE\Quorlan\vexaNT\Profiles"
NEW_TITLE = "TE Client Connection Wizard - Connection Information"
EDIT_TITLE = "TE Client Connection Properties - Connection Information"
NEXT, CANCEL, APPLY, NAME, HOST = 30102, 30101, 30133, 1200, 1250
WM_APP = 0x8000


class WizardTest(WineTestCase):
    def connmgr(self, *args):
        """Starts the stand-in; returns its process (it waits for the wizard)."""
        return self.wine.start(CONNMGR, "-C", self.wine.windows_path(PROGRAM_DIR), *args)

    def finished(self, proc, timeout=30):
        """What the stand-in printed once the program it started ended: {"line", "exit"}."""
        self.wait_exit(proc, timeout)
        said = self.wine.said(proc)
        out = {}
        for line in said.splitlines():
            if line.startswith("line "):
                out["line"] = line[5:]
            elif line.startswith("exit "):
                out["exit"] = int(line[5:])
        return out

    def wizard(self, *args, env=None):
        if env:
            self.wine.env.update(env)
        return self.wine.start(WIZARD, *args, cwd=PROGRAM_DIR)

    def page(self, dialog):
        """The page showing in the main dialog (a child dialog of its own), once the main
        dialog itself shows."""
        deadline = time.time() + 20
        while time.time() < deadline:
            for child in self.wine.probe.children(dialog):
                if child["class"] == "#32770" and child["visible"] and child["parent"] == dialog:
                    return child["hwnd"]
            time.sleep(0.1)
        self.fail("no page shows: %r %r" % (dialog, self.wine.probe.children(dialog)))

    def title(self, dialog):
        return self.wine.probe.info(dialog)["title"]

    def next_to(self, dialog, title_end, clicks=1):
        for _ in range(clicks):
            self.assertTrue(self.wine.probe.click(dialog, NEXT))
        deadline = time.time() + 10
        while time.time() < deadline and not self.title(dialog).endswith(title_end):
            time.sleep(0.1)
        self.assertTrue(self.title(dialog).endswith(title_end), self.title(dialog))

    def finish(self, dialog):
        """Next through every page to the last, then Finish (or OK)."""
        self.next_to(dialog, "Finalization", 6)
        self.assertTrue(self.wine.probe.click(dialog, NEXT))

    def export(self, key=r"HKLM\SOFTWARE"):
        path = tempfile.mktemp(suffix=".reg")
        code, said = self.wine.reg("export", key, self.wine.windows_path(path), "/y")
        if code != 0:
            return ""
        with open(path, encoding="utf-16") as f:
            text = f.read()
        os.unlink(path)
        return text

    def seed(self, text):
        """Imports registry lines (the text after the .reg header)."""
        with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False, encoding="utf-16") as f:
            f.write("Windows Registry Editor Version 5.00\r\n\r\n" + text.replace("\n", "\r\n"))
        self.addCleanup(os.unlink, f.name)
        code, said = self.wine.reg("import", self.wine.windows_path(f.name))
        self.assertEqual(code, 0, said)

    def seed_connection(self, name, line, port=23):
        self.seed(
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Profiles\\%(n)s\\CONNECTION]\n"
            "\"netproto\"=dword:00000000\n\"netname\"=\"127.0.0.1\"\n\"iTelnetPortNum\"=dword:%(p)08x\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Profiles\\%(n)s\\VT300]\n"
            "\"vdumode\"=dword:00000002\n\"termid\"=dword:00000004\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Profiles\\%(n)s\\MACROS\\key]\n\"k\"=dword:00000001\n\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Startup,%(n)s]\n\"iNumEntries\"=dword:00000000\n\n"
            "[%(zez)s\\Connections\\%(n)s]\n\"Description\"=\"%(n)s\"\n\"StartExe\"=\"vexaNT\"\n"
            "\"StartCmdLineArgs\"=\"%(line)s\"\n\"PropertiesExe\"=\"VXNTCONWIZ.EXE\"\n"
            "\"PropertiesCmdLineArgs\"=\"-E%(n)s\"\n\"DeleteExe\"=\"VXNTCONWIZ.EXE\"\n\"DeleteCmdLineArgs\"=\"-D%(n)s\"\n\n"
            % {"n": name, "p": port, "line": line.replace('"', '\\"'),
               "zez": ZEZ.replace("HKLM", "HKEY_LOCAL_MACHINE")})

    def desktop_link(self, name, public=True):
        folder = "drive_c/users/Public/Desktop" if public else "drive_c/users/%s/Desktop" % os.environ.get("USER", "root")
        return os.path.join(self.wine.prefix, folder, name + ".lnk")

    def message(self, timeout=20, proc=None, restart=None):
        """The message box showing (the wizard's own dialog left out): its title and texts.
        On a loaded machine Wine's launcher now and then ends a start before the program
        runs; a `proc` that ended without a box is started once more by `restart`."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            if proc is not None and restart and proc.poll() is not None:
                proc, restart = restart(), None
            boxes = [d for d in self.wine.probe.dialogs() if not d.get("title", "").startswith("TE Client")
                     or "Configuration data already exists. Overwrite ?" in d.get("texts", [])]
            boxes = [d for d in boxes if d.get("buttons")]
            if boxes:
                self.assertEqual(len(boxes), 1, boxes)
                return boxes[0]
            time.sleep(0.1)
        self.fail("no message box")

    def answer(self, button):
        self.assertTrue(self.wine.probe.press(button))


class NewConnection(WizardTest):
    def test_register_new_connection_shortcut_and_a_second_one_of_that_name(self):
        r = self.wine.run(WIZARD, "-R", cwd=PROGRAM_DIR)
        self.assertEqual(r.returncode, 0)
        self.assertEqual(self.wine.reg_values(ZEZ), {
            "Description": ("REG_SZ", "Quorlan Terminal Emulation Client"), "Type": ("REG_SZ", "ZEZ"),
            "NewExe": ("REG_SZ", "VXNTCONWIZ.EXE"), "NewCmdLineArgs": ("REG_SZ", "")})

        proc = self.connmgr("new")
        dialog = self.wine.probe.find_dialog(NEW_TITLE)
        self.assertIsNotNone(dialog, "the wizard opens on its first page")
        self.assertFalse(self.wine.probe.control(dialog, NEXT)["enabled"], "Next waits for a name")
        self.assertFalse(self.wine.probe.control(dialog, APPLY)["visible"])
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, "A"))
        self.assertTrue(self.wine.probe.control(dialog, NEXT)["enabled"])
        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), HOST, "h"))
        self.next_to(dialog, "Finalization", 5)
        self.assertEqual(self.wine.probe.control(dialog, NEXT)["text"], "&Finish")
        self.assertTrue(self.wine.probe.click(dialog, NEXT))
        self.assertEqual(self.finished(proc), {"line": "VXNTCONWIZ.EXE ", "exit": 1})

        self.assertEqual(self.wine.reg_values(PROFILES + r"\A\CONNECTION"), {
            "netproto": ("REG_DWORD", "0x0"), "netname": ("REG_SZ", "h"), "netname1": ("REG_SZ", "h")})
        self.assertEqual(self.export(PROFILES + r"\A").count("["), 2, "the profile key and CONNECTION only")
        self.assertEqual(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup,A"),
                         {"iNumEntries": ("REG_DWORD", "0x0")})
        self.assertIn("Build", self.wine.reg_values(r"HKLM\Software\Quorlan\vxntconwiz"))
        self.assertEqual(self.wine.reg_values(ZEZ + r"\Connections\A"), {
            "Description": ("REG_SZ", "A"), "StartExe": ("REG_SZ", "vexaNT"), "StartCmdLineArgs": ("REG_SZ", "-WA"),
            "PropertiesExe": ("REG_SZ", "VXNTCONWIZ.EXE"), "PropertiesCmdLineArgs": ("REG_SZ", "-EA"),
            "DeleteExe": ("REG_SZ", "VXNTCONWIZ.EXE"), "DeleteCmdLineArgs": ("REG_SZ", "-DA")})

        info = subprocess.run(["lnkinfo", self.desktop_link("A")], capture_output=True, text=True).stdout
        program = self.wine.windows_path(PROGRAM_DIR)
        self.assertIn("Local path\t\t\t: %s\\vexaNT.exe" % program, info)
        self.assertIn("Working directory\t\t: %s\\" % program, info)
        self.assertIn("Command line arguments\t\t: -WA", info)

        # A second "A" asks before it replaces the first; No keeps everything.
        before = self.export()
        proc = self.connmgr("new")
        dialog = self.wine.probe.find_dialog(NEW_TITLE)
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, "a"))
        self.assertTrue(self.wine.probe.click(dialog, NEXT))
        box = self.message()
        self.assertIn("Configuration data already exists. Overwrite ?", box["texts"])
        self.answer("No")
        time.sleep(0.5)
        self.assertEqual(self.title(dialog), NEW_TITLE, "back on the first page")
        self.assertTrue(self.wine.probe.click(dialog, CANCEL))
        self.assertEqual(self.finished(proc)["exit"], 0)
        self.assertEqual(self.export(), before)

        # The shortcut starts the terminal on the connection.
        self.wine.run("start", "C:\\users\\Public\\Desktop\\A.lnk", cwd=PROGRAM_DIR)
        hwnd = self.wine.probe.find("vexaNT", 30000)
        self.assertIsNotNone(hwnd, "the shortcut opens the terminal")
        self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)

    def test_cancel_writes_nothing(self):
        self.assertEqual(self.wine.run(WIZARD, "-R", cwd=PROGRAM_DIR).returncode, 0)
        before = self.export()
        proc = self.connmgr("new")
        dialog = self.wine.probe.find_dialog(NEW_TITLE)
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, "A"))
        self.next_to(dialog, "Host Information")
        self.assertTrue(self.wine.probe.click(dialog, CANCEL))
        self.assertEqual(self.finished(proc)["exit"], 0)
        self.assertEqual(self.export(), before)
        self.assertFalse(os.path.exists(self.desktop_link("A")))

    def test_names_the_wizard_refuses(self):
        self.assertEqual(self.wine.run(WIZARD, "-R", cwd=PROGRAM_DIR).returncode, 0)
        before = self.export()
        for args in (["-D"], ["-E"], ["-D" + "x" * 44]):
            with self.subTest(args=args):
                proc = self.wizard(*args)
                box = self.message(timeout=20, proc=proc, restart=lambda: self.wizard(*args))
                self.assertEqual(box["title"], "Invalid Connection Name")
                self.answer("OK")
                self.assertEqual(self.wait_exit(proc, 20), 0)
        proc = self.connmgr("new")
        dialog = self.wine.probe.find_dialog(NEW_TITLE)
        for name in ("a/b", "a -b"):
            self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, name))
            self.assertTrue(self.wine.probe.click(dialog, NEXT))
            self.assertEqual(self.message()["title"], "Invalid Connection Name")
            self.answer("OK")
        self.assertTrue(self.wine.probe.click(dialog, CANCEL))
        self.finished(proc)
        self.assertEqual(self.export(), before)

    def test_without_a_language_module_nothing_runs(self):
        directory = tempfile.mkdtemp(prefix="vxwiz")
        self.addCleanup(shutil.rmtree, directory, True)
        shutil.copy(WIZARD, directory)
        before = self.export()
        proc = self.wine.start(os.path.join(directory, "VXNTCONWIZ.EXE"), cwd=directory)
        box = self.message()
        self.assertEqual(box["title"], "vxntconwiz")
        self.assertIn("No Language Resources found\nPlease contact your local support team\nCannot continue.",
                      box["texts"])
        self.answer("OK")
        self.assertEqual(self.wait_exit(proc, 20), 0)
        self.assertEqual(self.export(), before)


class StoredConnection(WizardTest):
    def test_properties_keep_the_profile_and_the_line(self):
        self.seed_connection("A", "-F -E2 -MC3 -WA")
        before = self.export(PROFILES)
        proc = self.connmgr("properties", "A")
        dialog = self.wine.probe.find_dialog(EDIT_TITLE)
        self.assertIsNotNone(dialog)
        self.assertTrue(self.wine.probe.control(dialog, APPLY)["visible"])
        self.assertFalse(self.wine.probe.control(dialog, APPLY)["enabled"])
        # Where a stored connection lives is not asked again.
        self.next_to(dialog, "Finalization", 6)
        for radio in (30237, 30238):
            self.assertFalse(self.wine.probe.control(self.page(dialog), radio)["visible"], radio)
        self.assertFalse(self.wine.probe.control(dialog, APPLY)["enabled"])
        self.assertTrue(self.wine.probe.click(dialog, NEXT))
        self.assertEqual(self.finished(proc), {"line": "VXNTCONWIZ.EXE -EA", "exit": 1})
        self.assertEqual(self.export(PROFILES), before)
        self.assertEqual(self.wine.reg_values(ZEZ + r"\Connections\A")["StartCmdLineArgs"],
                         ("REG_SZ", "-F -E2 -MC3 -WA"))
        self.assertFalse(os.path.exists(self.desktop_link("A")))

    def test_names_holding_switch_letters_or_blanks(self):
        for name, line, stored in (("Host-Finance", "-WHost-Finance", "-WHost-Finance"),
                                   ("A B", "-W\"A B\"", "\"-WA B\"")):
            with self.subTest(name=name):
                self.seed_connection(name, line)
                proc = self.connmgr("properties", name)
                dialog = self.wine.probe.find_dialog(EDIT_TITLE)
                self.finish(dialog)
                self.assertEqual(self.finished(proc)["exit"], 1)
                self.assertEqual(self.wine.reg_values(ZEZ + "\\Connections\\" + name)["StartCmdLineArgs"],
                                 ("REG_SZ", stored))

    def test_apply_then_cancel_and_a_rename_moves_the_whole_profile(self):
        self.seed_connection("A", "-WA")
        self.seed("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Profiles\\A\\Big]\n\"%s\"=\"%s\"\n\n"
                  % ("n" * 100, "z" * 1024))
        proc = self.wizard("-EA")
        dialog = self.wine.probe.find_dialog(EDIT_TITLE)
        self.assertTrue(self.wine.probe.set_text(self.page(dialog), NAME, "B"))
        self.assertTrue(self.wine.probe.control(dialog, APPLY)["enabled"])
        self.assertTrue(self.wine.probe.click(dialog, APPLY))
        deadline = time.time() + 10
        while time.time() < deadline and self.wine.probe.control(dialog, APPLY)["enabled"]:
            time.sleep(0.1)
        self.assertTrue(self.wine.probe.click(dialog, CANCEL))
        self.assertEqual(self.wait_exit(proc, 20), 1, "Apply was used")
        self.assertEqual(self.wine.reg_values(PROFILES + r"\B\Big"), {"n" * 100: ("REG_SZ", "z" * 1024)})
        self.assertEqual(self.wine.reg_values(PROFILES + r"\B\MACROS\key"), {"k": ("REG_DWORD", "0x1")})
        self.assertIsNone(self.wine.reg_values(PROFILES + r"\A"))
        self.assertIsNone(self.wine.reg_values(ZEZ + r"\Connections\A"))
        self.assertEqual(self.wine.reg_values(ZEZ + r"\Connections\B")["StartCmdLineArgs"], ("REG_SZ", "-WB"))

    def test_start_runs_the_terminal_on_its_profile(self):
        with th.ScriptedHost() as host:
            self.seed_connection("A", "-F -E2 -MC3 -WA", host.port)
            proc = self.connmgr("start", "A")
            conn = host.wait_connection(60)
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send())
            host.wait_for(lambda data: th.ttype_is("vt220") in data, what="TERMINAL-TYPE IS vt220")
            hwnd = self.wine.probe.find("vexaNT", 30000)
            self.assertIsNotNone(hwnd)
            style = self.wine.probe.info(hwnd)["style"]
            self.assertFalse(style & 0x00C00000, "full screen: no caption")
            host.close_connection()
            host.wait_connection(60, count=2)
            self.wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
            self.wait_exit(proc, 30)


class UserAndDeletion(WizardTest):
    def test_a_user_edits_only_after_the_warning_and_writes_nothing_unchanged(self):
        self.seed_connection("A", "-WA")
        before = self.export()
        user = {"VXNTCONWIZ_USER": "1"}
        proc = self.wizard("-EA", env=user)
        box = self.message()
        self.assertEqual(box["title"], "Edit Session")
        text = "\n".join(box["texts"])
        self.assertIn("The session <A> was created by the system adminstrator.", text)
        self.assertIn("make your changes in the vexaNT session.", text)
        self.assertIn("OK to continue to edit the session?", text)
        self.answer("No")
        self.assertEqual(self.wait_exit(proc, 20), 0)
        self.assertEqual(self.export(), before)

        proc = self.wizard("-EA", env=user)
        self.message()
        self.answer("Yes")
        dialog = self.wine.probe.find_dialog(EDIT_TITLE)
        self.finish(dialog)
        self.assertEqual(self.wait_exit(proc, 30), 1)
        self.assertEqual(self.export(r"HKCU\Software\Quorlan\vexaNT\Profiles"), "")
        self.assertIsNotNone(self.wine.reg_values(ZEZ + r"\Connections\A"), "registered under the machine")

        proc = self.wizard("-DA", env=user)
        self.message()
        self.answer("Yes")
        self.wait_exit(proc, 20)
        self.assertIsNone(self.wine.reg_values(ZEZ + r"\Connections\A"))

    def test_delete_asks_then_removes_the_connection_and_nothing_else(self):
        self.seed_connection("A", "-WA")
        self.seed_connection("Default", "-WDefault")
        self.seed("[HKEY_LOCAL_MACHINE\\SOFTWARE\\Quorlan\\vexaNT\\Startup,Default]\n\"Session\"=\"keep\"\n\n")
        link = self.desktop_link("A")
        os.makedirs(os.path.dirname(link), exist_ok=True)
        open(link, "wb").close()
        before = self.export()
        proc = self.wizard("-DA")
        box = self.message()
        self.assertEqual(box["title"], "Delete Session")
        self.assertIn("OK to delete the session:\n\t<A>?", box["texts"])
        self.answer("No")
        self.wait_exit(proc, 20)
        self.assertEqual(self.export(), before)

        for name in ("A", "Default"):
            proc = self.wizard("-D" + name)
            self.message()
            self.answer("Yes")
            self.wait_exit(proc, 20)
        self.assertIsNone(self.wine.reg_values(PROFILES + r"\A"))
        self.assertIsNone(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup,A"))
        self.assertFalse(os.path.exists(link))
        self.assertIsNone(self.wine.reg_values(ZEZ + r"\Connections"), "the last connection takes Connections")
        self.assertEqual(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup,Default"),
                         {"Session": ("REG_SZ", "keep")})
        self.assertIsNotNone(self.wine.reg_values(r"HKLM\SOFTWARE\Quorlan\vexaNT\Startup"))


if __name__ == "__main__":
    unittest.main()
