"""A terminal connected to a scripted telnet host, for printing tests: the profile's
PRINTING values set first, the screen and the status dumps read back."""
import os
import sys
import tempfile
import time

from . import SOURCE, WM_CLOSE, build_path

sys.path.insert(0, os.path.join(SOURCE, "tools"))
import telnethost as th  # noqa: E402

PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"
PRINTING = PROFILE + r"\PRINTING"
CONNECTION = PROFILE + r"\CONNECTION"
CSI = b"\x1b["


def set_values(wine, key, **values):
    """Values of a key: ints as DWORDs, strings as texts."""
    for name, value in values.items():
        kind = "REG_DWORD" if isinstance(value, int) else "REG_SZ"
        code, out = wine.reg("add", key, "/v", name, "/t", kind, "/d", str(value), "/f")
        if code != 0:
            raise RuntimeError("reg add %s: %s" % (name, out))


def set_printing(wine, **values):
    """PRINTING values of the Default profile."""
    set_values(wine, PRINTING, **values)


class PrintingTerminal:
    """vexaNT on a scripted host; `host` sends, `screen()` and `status()` read back."""

    def __init__(self, test, exe=None, cwd=None):
        self.test, self.wine = test, test.wine
        self.dir = tempfile.mkdtemp(prefix="vxprint")
        self.screen_path = os.path.join(self.dir, "screen.txt")
        self.status_path = os.path.join(self.dir, "status.txt")
        self.wine.env["VXNT_TEST_SCREEN"] = self.wine.windows_path(self.screen_path)
        self.wine.env["VXNT_TEST_STATUS"] = self.wine.windows_path(self.status_path)
        self.host = th.ScriptedHost()
        self._closed = False
        # The Default profile names the host, so that its PRINTING section is read with it.
        try:
            set_values(self.wine, CONNECTION, netproto=0, netname="127.0.0.1", iTelnetPortNum=self.host.port)
            self.proc, self.hwnd = self.wine.launch(exe or build_path("terminal", "vexaNT.exe"), "-SeDefault",
                                                    cwd=cwd)
        except BaseException:
            self.host.stop()  # nobody closes a terminal that never started
            raise
        self.host.wait_connection(30)
        self.host.expect(th.do(th.ECHO), timeout=20)
        self.sync()

    def sync(self):
        """Until the terminal has taken everything sent so far (a status report answers)."""
        self.host.send(CSI + b"5n")
        self.host.wait_for(lambda data: data.endswith(CSI + b"0n"), 30, "a status report")
        self.host.take()

    def send(self, data):
        self.host.send(data)

    def command(self, cmd_id):
        self.test.assertTrue(self.wine.probe.command(self.hwnd, cmd_id))

    def _read(self, path):
        try:
            with open(path, encoding="utf-8") as f:
                return f.read()
        except OSError:
            return ""

    def screen(self):
        """The screen rows as the dump shows them (without the cursor line)."""
        return self._read(self.screen_path).split("\n")[1:]

    def status(self):
        """{"printer": field text, "enabled": "0"/"1"}."""
        out = {}
        for line in self._read(self.status_path).split("\n"):
            if " " in line:
                key, value = line.split(" ", 1)
                out[key] = value
        return out

    def wait(self, predicate, what, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if predicate():
                return
            time.sleep(0.1)
        self.test.fail("timed out waiting for %s (screen %r, status %r)" % (what, self.screen()[:4], self.status()))

    def wait_screen(self, text, timeout=30):
        self.wait(lambda: any(text in row for row in self.screen()), "%r on the screen" % text, timeout)

    def wait_printer_field(self, text, timeout=30):
        self.wait(lambda: text in self.status().get("printer", ""), "printer field %r" % text, timeout)

    def close(self):
        if self._closed:
            return
        self._closed = True
        if self.proc.poll() is None:
            self.wine.probe.post(self.hwnd, WM_CLOSE, 1, 0)
            try:
                self.proc.wait(timeout=20)
            except Exception:
                self.proc.kill()
                self.proc.wait()
        self.host.stop()
