"""Keys pressed on the running terminal reach a telnet host as the emulated terminal's
bytes. The keys come from the X server (xdotool) into the program's window under Wine;
the host is a scripted telnet host that switches the terminal's modes as a real host
would and checks every byte it receives."""
import os
import string
import subprocess
import sys
import time
import unittest

import vxtest
from vxtest import WineTestCase
from vxtest.xkeys import XKeyboard

sys.path.insert(0, os.path.join(vxtest.SOURCE, "tools"))
import telnethost as th  # noqa: E402

ESC = b"\x1b"


class KeysProgramTest(WineTestCase):
    def setUp(self):
        super().setUp()
        self.host = th.ScriptedHost()
        self.addCleanup(self.host.stop)
        self.proc, self.hwnd = self.start_terminal("127.0.0.1", "-Tnport%d" % self.host.port)
        self.addCleanup(self.stop_terminal, self.proc, self.hwnd)
        self.host.wait_connection(30)
        self.host.expect(th.do(th.ECHO), timeout=20)
        # The host echoes: every key goes to it at once and nothing is shown locally.
        self.host.send(th.will(th.ECHO))
        self.focus_terminal()
        self.sync()

    def sync(self, data=b"", query=ESC + b"[5n", answer=ESC + b"[0n"):
        """Sends host data, then a status request; its answer means the terminal has
        acted on everything before it (a VT52 is asked to identify itself instead).
        Whatever the host received so far is dropped."""
        self.host.send(data + query)
        self.host.wait_for(lambda d: d.endswith(answer), timeout=20, what="the terminal's answer")
        self.host.take()

    def keys(self, *names):
        for name in names:
            self.assertEqual(self.xdotool("key", name).returncode, 0, name)

    def expect_keys(self, expected, *names):
        self.keys(*names)
        self.host.expect(expected, timeout=15)

    def test_cursor_and_function_keys_follow_the_emulation_and_its_modes(self):
        self.expect_keys(ESC + b"[A", "Up")                 # VT500 7-bit, the factory emulation
        self.expect_keys(ESC + b"[17~", "F6")
        self.sync(ESC + b"[?1h")                            # cursor keys: application
        self.expect_keys(ESC + b"OA", "Up")
        self.sync(ESC + b"[?1l" + ESC + b'[61"p')           # VT100
        self.expect_keys(ESC + b"[A", "Up")
        self.expect_keys(ESC, "F11")
        self.sync(ESC + b"[?2l", ESC + b"Z", ESC + b"/Z")    # VT52
        self.expect_keys(ESC + b"A", "Up")
        self.sync(ESC + b"<")                               # back to VT100
        self.expect_keys(ESC + b"[B", "Down")
        self.host.expect_nothing(0.5)

    def test_application_keypad(self):
        # The keypad keys are pressed alone through XTEST (xdotool would add Num Lock
        # presses of its own); X's Num Lock is on so that they are the digits.
        kb = XKeyboard(self.wine.env["DISPLAY"])
        self.addCleanup(kb.close)
        if not kb.num_lock():
            kb.tap("Num_Lock")                              # numeric keypad: sends nothing
        self.assertTrue(kb.num_lock())

        def keypad(expected, *names):
            for name in names:
                kb.tap(name)
            self.host.expect(expected, timeout=15)

        keypad(b"5", "KP_5")
        self.sync(ESC + b"=")
        keypad(ESC + b"Ou", "KP_5")
        keypad(ESC + b"OM", "KP_Enter")
        keypad(ESC + b"OP", "Num_Lock")
        keypad(ESC + b"OP", "Num_Lock")                     # and the lock is back on
        self.sync(ESC + b">")
        keypad(b"5\r", "KP_5", "KP_Enter")
        self.host.expect_nothing(0.5)

    def test_ctrl_2_and_the_keyboard_the_host_locks(self):
        self.expect_keys(b"\x00", "ctrl+2")
        self.sync(ESC + b"[2h")                             # keyboard action mode: locked
        self.keys("x", "Up")
        self.host.expect_nothing(1.0)
        self.sync(ESC + b"[2l")
        self.expect_keys(b"y", "y")
        self.host.expect_nothing(0.5)                       # the keys typed while locked stay lost

    def test_ten_thousand_keys_arrive_in_order(self):
        alphabet = string.ascii_lowercase + string.digits
        text = "".join(alphabet[(i * 7 + i // 36) % 36] for i in range(10000))
        # Sent in pieces so a slow X server never times out one xdotool call.
        for start in range(0, len(text), 2000):
            r = self.xdotool("type", "--delay", "1", text[start:start + 2000], timeout=600)
            self.assertEqual(r.returncode, 0, r.stderr)
        received = self.host.wait_for(lambda d: len(d) >= len(text), timeout=120, what="10,000 keys")
        time.sleep(0.5)
        received = self.host.received
        self.assertEqual(len(received), len(text))
        self.assertEqual(received.decode("ascii"), text)


if __name__ == "__main__":
    unittest.main()
