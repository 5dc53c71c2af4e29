"""VXNTHOOK.DLL under Wine: hookprobe loads it on its window thread, injects keys with
SendInput and reports what its target window and its focused window receive."""
import json
import os
import subprocess
import unittest

import vxtest
from vxtest import WineTestCase

WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN, WM_SYSKEYUP = 0x100, 0x101, 0x104, 0x105
VK_HOME, VK_NUMPAD7, VK_NUMLOCK, VK_PAUSE = 36, 103, 144, 19
VK_LCONTROL, VK_LMENU = 162, 164
SC_HOME, SC_NUMLOCK, SC_CTRL, SC_ALT = 0x47, 0x45, 0x1D, 0x38
DLL = vxtest.build_path("terminal", "VXNTHOOK.DLL")


def down_up(vk, scan, ext=0):
    return [("key", vk, scan, ext, "down"), ("key", vk, scan, ext, "up")]


class HookTest(WineTestCase):
    def setUp(self):
        super().setUp()
        exe = vxtest.build_path("tools", "hookprobe.exe")
        self.p = subprocess.Popen([vxtest.WINE, exe], env=self.wine.env, cwd=os.path.dirname(exe),
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  text=True, bufsize=1)
        self.addCleanup(self.stop)

    def stop(self):
        if self.p.poll() is None:
            self.p.stdin.write("exit\n")
            self.p.stdin.flush()
            self.p.wait(10)
        self.p.stdin.close()
        self.p.stdout.close()

    def ask(self, *words):
        self.p.stdin.write(" ".join(str(w) for w in words) + "\n")
        self.p.stdin.flush()
        answer = json.loads(self.p.stdout.readline())
        self.assertTrue(answer["ok"], (words, answer))
        return answer.get("result")

    def load(self):
        self.assertEqual(self.ask("load", "Z:" + DLL.replace("/", "\\")), 1)

    def keys(self, *events):
        """Injects the events; returns (window, message, vk, lParam) of what arrived."""
        self.log()
        for e in events:
            self.assertEqual(self.ask(*e), 1)
        return [(m["window"], m["msg"], m["vk"], m["lparam"]) for m in self.log()]

    def log(self):
        self.p.stdin.write("log\n")
        self.p.stdin.flush()
        answer = json.loads(self.p.stdout.readline())
        self.assertTrue(answer["ok"], answer)
        return answer["log"]

    def record_num_lock(self, on):
        self.ask("setnum", on)
        self.assertEqual(self.ask("numlock"), on)
        self.assertEqual(self.ask("init"), 1)

    def test_with_num_lock_recorded_on_keypad_home_reaches_only_the_terminal_as_keypad_7(self):
        self.load()
        self.record_num_lock(1)
        self.assertEqual(self.ask("prevent", 1), 1)
        lp = (SC_HOME << 16) + 1
        self.assertEqual(self.keys(*down_up(VK_HOME, SC_HOME)),
                         [("target", WM_KEYDOWN, VK_NUMPAD7, lp), ("target", WM_KEYUP, VK_NUMPAD7, lp + 0xC0000000)])
        # The navigation block's Home is extended and passes unchanged to the focused window.
        got = self.keys(*down_up(VK_HOME, SC_HOME, 1))
        self.assertEqual([(w, m, vk) for w, m, vk, _ in got], [("focus", WM_KEYDOWN, VK_HOME), ("focus", WM_KEYUP, VK_HOME)])
        self.assertTrue(all(l & (1 << 24) for *_, l in got))
        # Num Lock reaches only the terminal, and the real state stays.
        self.assertEqual(self.keys(*down_up(VK_NUMLOCK, SC_NUMLOCK, 1)),
                         [("target", WM_KEYDOWN, VK_NUMLOCK, 1), ("target", WM_KEYUP, VK_NUMLOCK, 1)])
        self.assertEqual(self.ask("numlock"), 1)

        # Unloaded, the keypad is the system's again.
        self.assertEqual(self.ask("free"), 1)
        got = self.keys(*down_up(VK_HOME, SC_HOME))
        self.assertEqual([(w, m, vk, l) for w, m, vk, l in got],
                         [("focus", WM_KEYDOWN, VK_HOME, lp), ("focus", WM_KEYUP, VK_HOME, lp + 0xC0000000)])

    def test_with_num_lock_recorded_off_keypad_digits_become_navigation_keys(self):
        self.load()
        self.record_num_lock(0)
        self.ask("prevent", 1)
        lp = (SC_HOME << 16) + 1
        self.assertEqual(self.keys(*down_up(VK_NUMPAD7, SC_HOME)),
                         [("target", WM_KEYDOWN, VK_HOME, lp), ("target", WM_KEYUP, VK_HOME, lp + 0xC0000000)])
        got = self.keys(*down_up(VK_HOME, SC_HOME))
        self.assertEqual([(w, vk) for w, _, vk, _ in got], [("focus", VK_HOME)] * 2)

    def test_ctrl_pause_arrives_as_num_lock_with_and_without_translation(self):
        self.load()
        self.record_num_lock(1)
        for translation in (1, 0):
            self.ask("prevent", translation)
            got = self.keys(("key", VK_LCONTROL, SC_CTRL, 0, "down"), *down_up(VK_PAUSE, SC_NUMLOCK),
                            ("key", VK_LCONTROL, SC_CTRL, 0, "up"))
            self.assertEqual([g for g in got if g[0] == "target"],
                             [("target", WM_KEYDOWN, VK_NUMLOCK, 0), ("target", WM_KEYUP, VK_NUMLOCK, 0)])
            self.assertNotIn(VK_PAUSE, [vk for _, _, vk, _ in got])

    def test_ctrl_alt_num_lock_changes_the_real_state_and_the_recorded_one(self):
        self.load()
        self.record_num_lock(1)
        self.ask("prevent", 1)
        got = self.keys(("key", VK_LCONTROL, SC_CTRL, 0, "down"), ("key", VK_LMENU, SC_ALT, 0, "down"),
                        *down_up(VK_NUMLOCK, SC_NUMLOCK, 1),
                        ("key", VK_LMENU, SC_ALT, 0, "up"), ("key", VK_LCONTROL, SC_CTRL, 0, "up"))
        self.assertNotIn("target", [w for w, *_ in got])
        self.assertEqual(self.ask("numlock"), 0)
        # Recorded off now: keypad 7 is Home for the terminal.
        self.assertEqual([(w, vk) for w, _, vk, _ in self.keys(*down_up(VK_NUMPAD7, SC_HOME))],
                         [("target", VK_HOME)] * 2)

    def test_a_missing_target_window_lets_keys_pass(self):
        self.load()
        self.record_num_lock(1)
        self.ask("prevent", 1, "gone")
        got = self.keys(*down_up(VK_HOME, SC_HOME))
        self.assertEqual([(w, vk) for w, _, vk, _ in got], [("focus", VK_HOME)] * 2)

    def test_a_second_load_only_counts_and_the_hook_goes_with_the_last_free(self):
        self.load()
        self.load()
        self.record_num_lock(1)
        self.ask("prevent", 1)
        self.assertEqual(self.ask("free"), 1)
        self.assertEqual([(w, vk) for w, _, vk, _ in self.keys(*down_up(VK_HOME, SC_HOME))],
                         [("target", VK_NUMPAD7)] * 2)
        self.assertEqual(self.ask("free"), 1)
        self.assertEqual([(w, vk) for w, _, vk, _ in self.keys(*down_up(VK_HOME, SC_HOME))],
                         [("focus", VK_HOME)] * 2)


if __name__ == "__main__":
    unittest.main()
