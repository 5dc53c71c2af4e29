"""Login scripts in the running program: the start-up options key holds the script, a
scripted telnet host or inetutils-telnetd prompts, and the script answers.
"""
import os
import sys
import tempfile
import time
import unittest

import vxtest
from vxtest import WineTestCase

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402
from telnethost.telnetdonce import Telnetd  # noqa: E402

STARTUP = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Startup,Default"
CSI = b"\x1b["


class LoginScriptProgramTest(WineTestCase):
    def script(self, initiate=None, entries=()):
        """Writes the script: `entries` of (kind, wait text, response), kind "WaitFor" or
        "WaitCond"."""
        values = [("iNumEntries", "REG_DWORD", str(len(entries)))]
        if initiate is not None:
            values.append(("Initiate", "REG_SZ", initiate))
        for n, (kind, wait, response) in enumerate(entries):
            values += [("%s%d" % (kind, n), "REG_SZ", wait), ("Response%d" % n, "REG_SZ", response)]
        for name, kind, data in values:
            code, out = self.wine.reg("add", STARTUP, "/v", name, "/t", kind, "/d", data, "/f")
            self.assertEqual(code, 0, out)

    def start(self, port):
        proc, hwnd = self.start_terminal("127.0.0.1", "-Tnport%d" % port)
        self.addCleanup(self.stop_terminal, proc, hwnd)
        return proc, hwnd

    def prompt(self, label, timeout=30):
        """The prompt dialog once it shows its label (a dialog may be listed while it is
        still being filled)."""
        deadline = time.time() + timeout
        dialogs = []
        while time.time() < deadline:
            dialogs = self.wine.probe.dialogs()
            if len(dialogs) == 1 and label in dialogs[0]["texts"]:
                return dialogs[0]
            time.sleep(0.1)
        self.fail("no prompt %r: %r" % (label, dialogs))

    def test_escapes_a_sliding_match_and_a_keyboard_condition(self):
        self.script("a^Mb_027c\\^d<CR>", [("WaitFor", "login:", "user^M"), ("WaitFor", "lock", ""),
                                          ("WaitCond", "<KU>", "unlocked")])
        with th.ScriptedHost() as host:
            self.start(host.port)
            host.wait_connection(30)
            host.expect(th.do(th.ECHO), timeout=20)
            host.expect(bytes.fromhex("610d621b635e640d"), timeout=30)
            host.send(b"xxlogin:")
            host.expect(b"user\r")
            host.send(b" ")
            host.send(CSI + b"2h" + b"lock")
            host.expect_nothing(2)
            host.send(CSI + b"2l")
            host.expect(b"unlocked")

    def run_telnetd_login(self, answer):
        workdir = tempfile.mkdtemp(prefix="vxlogin")
        seen = os.path.join(workdir, "seen")
        telnetd = Telnetd('printf "login: "; read user; printf "Password: "; read pw\n'
                          'printf "%%s|%%s" "$user" "$pw" > %s\nsleep 30\n' % seen)
        self.addCleanup(telnetd.close)
        self.script(None, [("WaitFor", "login: ", "alice^M"), ("WaitFor", "Password: ", "<PW>^M")])
        self.start(telnetd.port)
        box = self.prompt("Password:", 60)
        answer(box)
        deadline = time.time() + 30
        while time.time() < deadline and not os.path.exists(seen):
            time.sleep(0.2)
        time.sleep(0.3)
        with open(seen, "rb") as f:
            return f.read()

    def test_telnetd_login_with_a_password_prompt(self):
        def type_password(box):
            edit = [c for c in self.wine.probe.children(box["hwnd"]) if c["class"] == "Edit"][0]
            self.assertTrue(self.wine.probe.settext(edit["hwnd"], "s3cret"))
            self.assertTrue(self.wine.probe.press("OK"))
        self.assertEqual(self.run_telnetd_login(type_password), b"alice|s3cret")

    def test_cancel_types_nothing_and_the_script_goes_on(self):
        self.assertEqual(self.run_telnetd_login(lambda box: self.wine.probe.press("Cancel")), b"alice|")

    def test_closing_while_the_script_waits_or_asks(self):
        for response in ("", "<UN>"):
            with self.subTest(response=response):
                self.script(None, [("WaitFor", "ready", response), ("WaitFor", "never", "")])
                with th.ScriptedHost() as host:
                    proc, hwnd = self.start(host.port)
                    host.wait_connection(30)
                    host.send(b"ready")
                    if response:
                        self.prompt("Username:")
                    else:
                        time.sleep(1)
                    code, took = self.close_terminal(proc, hwnd)
                    self.assertEqual(code, 0)
                    self.assertLess(took, 2.0)


if __name__ == "__main__":
    unittest.main()
