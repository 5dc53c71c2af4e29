"""The terminal on telnet hosts: scripted hosts on 127.0.0.1 and inetutils-telnetd."""
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

# A fresh profile is a VT500 7-Bit terminal with the VT420 model of the factory defaults.
TERMINAL_TYPE = "vt420"
WM_CHAR = 0x0102
CONNECTION = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default\CONNECTION"


class TelnetProgramTest(WineTestCase):
    def start_terminal(self, *args):
        proc, hwnd = super().start_terminal(*args)
        self.addCleanup(self.stop_terminal, proc, hwnd)
        return proc, hwnd

    def profile(self, **values):
        lines = ["Windows Registry Editor Version 5.00", "", "[%s]" % CONNECTION]
        for name, value in values.items():
            lines.append('"%s"=%s' % (name, "dword:%08x" % value if isinstance(value, int) else '"%s"' % value))
        with tempfile.NamedTemporaryFile("w", suffix=".reg", delete=False) as f:
            f.write("\r\n".join(lines) + "\r\n")
        self.addCleanup(os.unlink, f.name)
        r = self.wine.run("regedit", "/S", self.wine.windows_path(f.name), cwd="/")
        self.assertEqual(r.returncode, 0)

    def message_boxes(self):
        return self.wine.probe.other_dialogs()

    def test_vt_session_asks_for_echo_first_and_names_its_terminal(self):
        with th.ScriptedHost() as host:
            self.start_terminal("127.0.0.1", "-Tnport%d" % host.port)
            host.wait_connection(30)
            host.expect(th.do(th.ECHO), timeout=20)
            host.send(th.do(th.TERMINAL_TYPE) + th.ttype_send() + th.will(th.SGA))
            host.expect(th.will(th.TERMINAL_TYPE) + th.ttype_is(TERMINAL_TYPE) + th.do(th.SGA))

    def test_a_port_beyond_65535_is_refused_not_cut_to_16_bits(self):
        with th.ScriptedHost() as host:
            # Cut to 16 bits this would be the listening host's own port.
            word = "-Tnport%d" % (host.port + 65536)
            # The options are read before the window exists: the message comes first.
            proc = self.wine.start(vxtest.build_path("terminal", "vexaNT.exe"), "127.0.0.1", word)
            boxes = self.wine.probe.wait_dialog(30)
            self.assertEqual(len(boxes), 1, boxes)
            self.assertIn("%s is not a valid command line option." % word, boxes[0]["texts"])
            self.assertTrue(self.wine.probe.press("OK"))
            hwnd = self.wine.probe.find("vexaNT", 30000)
            self.assertIsNotNone(hwnd, "the terminal starts after the message")
            self.addCleanup(self.stop_terminal, proc, hwnd)
            time.sleep(2)
            self.assertEqual(host.connections, [], "nothing connects")
            self.assertEqual(self.message_boxes(), [])

    def test_rollover_reaches_the_listening_host_without_a_message(self):
        with th.ScriptedHost() as host:
            # 127.0.0.2 is loopback too, but nothing listens there on the host's port.
            self.profile(netproto=0, netname="127.0.0.2", netname3="127.0.0.1", hostrollover=1, iTelnetPortNum=host.port)
            self.start_terminal("-SeDefault")
            host.wait_connection(30)
            host.expect(th.do(th.ECHO), timeout=20)
            time.sleep(1)
            self.assertEqual(self.message_boxes(), [])

    def test_when_every_host_refuses_one_error_box_appears(self):
        port = th.refusing_port()
        self.profile(netproto=0, netname="127.0.0.1", netname2="127.0.0.2", netname4="127.0.0.3", hostrollover=1,
                     iTelnetPortNum=port)
        self.start_terminal("-SeDefault")
        boxes = []
        deadline = time.time() + 30
        while not boxes and time.time() < deadline:
            boxes = self.message_boxes()
            time.sleep(0.2)
        self.assertEqual(len(boxes), 1, boxes)
        time.sleep(2)
        self.assertEqual(len(self.message_boxes()), 1)

    def start_telnetd(self, script_body):
        """inetutils-telnetd on one loopback connection, running a shell script instead of
        login; returns its port."""
        telnetd = Telnetd(script_body)
        self.addCleanup(telnetd.close)
        return telnetd.port

    def wait_file(self, path, content, timeout=40):
        deadline = time.time() + timeout
        data = None
        while time.time() < deadline:
            if os.path.exists(path):
                with open(path, "rb") as f:
                    data = f.read()
                if data == content:
                    return data
            time.sleep(0.2)
        return data

    def wait_screen(self, path, ready, timeout):
        """The program's screen dump once `ready(text)` holds, or the last one read."""
        deadline, text = time.time() + timeout, ""
        while time.time() < deadline:
            if os.path.exists(path):
                with open(path, encoding="utf-8") as f:
                    text = f.read()
                if ready(text):
                    break
            time.sleep(0.2)
        return text

    def test_telnetd_script_sees_the_terminal_type_and_typed_text_once(self):
        workdir = tempfile.mkdtemp(prefix="vxtelnetd")
        term, typed = os.path.join(workdir, "term"), os.path.join(workdir, "typed")
        # The pty echoes what is typed; cat keeps the lines that reach the host.
        port = self.start_telnetd('printf "%%s" "$TERM" > %s\nexec cat > %s\n' % (term, typed))
        screen = os.path.join(workdir, "screen.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(screen)
        proc, hwnd = self.start_terminal("127.0.0.1", "-Tnport%d" % port)
        # A loaded machine can take long to start Wine, connect and run the script.
        self.assertEqual(self.wait_file(term, TERMINAL_TYPE.encode(), 90), TERMINAL_TYPE.encode())
        # Until the host's WILL ECHO has been read the terminal echoes typed text itself,
        # as every telnet client does; telnetd sends it before its banner, so type once
        # the banner is on the screen. The dump's status line is always there: only the
        # screen rows tell that the banner arrived.
        def banner(text):
            return "".join(line for line in text.split("\n")[1:] if not line.startswith("status ")).strip()
        shown = self.wait_screen(screen, banner, 30)
        self.assertTrue(banner(shown), "the host's banner never showed: %r" % shown)
        for c in "echo me\r":
            self.assertTrue(self.wine.probe.post(hwnd, WM_CHAR, ord(c), 1))
        self.assertEqual(self.wait_file(typed, b"echo me\n", 15), b"echo me\n")
        # The host echoes; the terminal must not echo locally as well.
        if "echo me" in self.wait_screen(screen, lambda text: "echo me" in text, 15):
            time.sleep(1)  # a second, local echo would follow at once
        shown = self.wait_screen(screen, lambda text: True, 1)
        self.assertEqual(shown.count("echo"), 1, shown)


if __name__ == "__main__":
    unittest.main()
