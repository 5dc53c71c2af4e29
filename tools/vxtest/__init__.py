"""Whole-program test support: private Wine prefixes, the built programs and winprobe.

A test makes a WineSession, starts programs in it and looks at their windows through
a Probe (the winprobe.exe driver, kept open for the whole session).
"""
import io
import json
import os
import subprocess
import sys
import tempfile
import time
import unittest

SOURCE = os.environ.get("VX_SOURCE") or os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
BUILD = os.environ.get("VX_BUILD") or os.path.join(SOURCE, "build", "win")
WINE_TOOLS = os.path.join(SOURCE, "tools", "wine")
WINE = "/usr/lib/wine/wine64" if os.path.exists("/usr/lib/wine/wine64") else "wine"


def build_path(*parts):
    return os.path.join(BUILD, *parts)


class WineSession:
    """A private Wine prefix with its own server, and a display."""

    def __init__(self):
        self.env = dict(os.environ)
        self.env["WINEDEBUG"] = "-all"
        self.env["WINEDLLOVERRIDES"] = "winemenubuilder.exe=d;mscoree=d;mshtml=d"
        self._xvfb = None
        # Each session has a display of its own: programs of tests running side by side
        # would otherwise take the keyboard focus from each other. VX_SHARED_DISPLAY=1
        # keeps the inherited display (to watch a test run).
        if not (self.env.get("DISPLAY") and self.env.get("VX_SHARED_DISPLAY") == "1"):
            self._new_display()
        self.prefix = subprocess.check_output([os.path.join(WINE_TOOLS, "prefix.sh"), "new"], env=self.env,
                                              text=True).strip()
        self.env["WINEPREFIX"] = self.prefix
        # A persistent server makes every later wine process start quickly.
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)
        self._probe = None
        self._processes = []

    def _stop_display(self):
        if self._xvfb:
            try:
                os.kill(self._xvfb, 15)
            except OSError:
                pass
            self._xvfb = None

    def _new_display(self):
        self._stop_display()
        out = subprocess.check_output([os.path.join(WINE_TOOLS, "display.sh")], text=True).split()
        self.env["DISPLAY"], self._xvfb = out[0], int(out[1])

    def display_alive(self):
        """Whether the session's X display answers (a Windows program without one ends
        at once, with status 0 and not a word)."""
        try:
            return subprocess.run(["xdpyinfo"], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                  timeout=30).returncode == 0
        except (OSError, subprocess.TimeoutExpired):
            return False

    def close(self):
        # Every step runs whatever the one before it met: a prefix left behind keeps its
        # Wine server, and a display its Xvfb, holding the test's output open until
        # ctest's timeout ends the test.
        try:
            if self._probe:
                self._probe.close()
                self._probe = None
            for p in self._processes:
                if p.poll() is None:
                    p.kill()
                    p.wait()
                p.output.close()
        finally:
            try:
                subprocess.run([os.path.join(WINE_TOOLS, "prefix.sh"), "drop", self.prefix], env=self.env)
            finally:
                self._stop_display()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def windows_path(self, unix_path):
        # On a loaded machine winepath now and then ends with status 1 while the prefix's
        # server is busy starting; the name does not depend on the attempt.
        for attempt in range(3):
            r = subprocess.run(["winepath", "-w", unix_path], env=self.env, stdout=subprocess.PIPE, text=True)
            if r.returncode == 0 and r.stdout.strip():
                return r.stdout.strip()
            time.sleep(0.5)
        raise RuntimeError("winepath -w %s: status %d" % (unix_path, r.returncode))

    def start(self, exe, *args, cwd=None, stdin=None):
        """Starts a Windows program; returns its Popen (the exit code is the program's).
        What it and Wine print goes to a file (`said()` reads it): a pipe nobody reads
        could fill, and Wine's helper processes would hold it open."""
        out = tempfile.TemporaryFile()
        p = subprocess.Popen([WINE, exe, *args], env=self.env, cwd=cwd or os.path.dirname(exe),
                             stdin=stdin or subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT)
        p.output = out
        self._processes.append(p)
        return p

    @staticmethod
    def said(proc):
        """What a started program and Wine have printed so far (the last 2000 characters)."""
        proc.output.seek(0)
        return proc.output.read()[-2000:].decode("utf-8", "replace")

    def launch(self, exe, *args, cwd=None, cls="vexaNT", timeout=60):
        """Starts a program and waits for its top window of class `cls`; returns (Popen,
        window). On a loaded machine Wine's launcher now and then ends without running
        the program at all: a start that ends with no window is made once more (what the
        first one printed is shown). A program that runs but shows no window fails."""
        for attempt in range(2):
            proc = self.start(exe, *args, cwd=cwd)
            deadline = time.time() + timeout
            hwnd = None
            while hwnd is None and time.time() < deadline:
                hwnd = self.probe.find(cls, 1000)
                if hwnd is None and proc.poll() is not None:
                    break
            if hwnd is not None:
                return proc, hwnd
            if proc.poll() is None:
                raise AssertionError("no %s window within %d s; the program still runs: %s" %
                                     (cls, timeout, self.said(proc)))
            display = "answering" if self.display_alive() else "gone"
            if attempt == 0:
                print("%s ended (status %s) without a window, the display %s; starting it again. It said: %s" %
                      (os.path.basename(exe), proc.returncode, display, self.said(proc)), file=sys.stderr)
                if display == "gone" and self._xvfb:
                    # Wine's own processes of the prefix went with the display: a new
                    # display and a new server (the registry is kept).
                    self._new_display()
                    self.restart_server()
        raise AssertionError("%s ended twice (status %s) without a window, the display %s: %s" %
                             (os.path.basename(exe), proc.returncode, display, self.said(proc)))

    def run(self, exe, *args, timeout=60, cwd=None):
        """Runs a Windows program to its end; returns its CompletedProcess (output as bytes)."""
        # Output goes through files, as with reg: Wine's helper processes started by the
        # first program of a prefix would inherit pipes and hold them open after it ended.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
            r = subprocess.run([WINE, exe, *args], env=self.env, cwd=cwd or os.path.dirname(exe),
                               stdin=subprocess.DEVNULL, stdout=out, stderr=err, timeout=timeout)
            out.seek(0)
            err.seek(0)
            r.stdout, r.stderr = out.read(), err.read()
        return r

    def reg_output(self, *args):
        """Runs `wine reg ...`; returns (exit code, output as the bytes reg wrote, carriage
        returns and control characters kept)."""
        # Output goes through a file: Wine's helper processes started by the first program
        # of a prefix inherit a pipe and would hold it open after reg itself has ended.
        for attempt in range(3):
            with tempfile.TemporaryFile() as out:
                r = subprocess.run([WINE, "reg", *args], env=self.env, stdin=subprocess.DEVNULL, stdout=out,
                                   stderr=subprocess.STDOUT, timeout=60)
                out.seek(0)
                said = out.read()
            # On a loaded machine Wine's launcher now and then fails to start reg at all,
            # saying so or ending with a failure and not a word (reg itself always says
            # something); reg never ran then, so starting it again changes nothing twice.
            if r.returncode == 0 or (said.strip() and b"could not be started" not in said):
                break
            time.sleep(0.5)
        return r.returncode, said

    def reg(self, *args):
        """Runs `wine reg ...`; returns (exit code, output as text)."""
        code, said = self.reg_output(*args)
        return code, io.TextIOWrapper(io.BytesIO(said)).read()

    def reg_values(self, key):
        """The values of a registry key as {name: (type, data text)}; None when the key
        is missing. Subkeys are not listed."""
        code, out = self.reg("query", key)
        if code != 0:
            return None
        values = {}
        for line in out.replace("\r", "").split("\n"):
            if not line.startswith("    "):
                continue
            parts = line[4:].split("    ", 2)
            values[parts[0]] = (parts[1], parts[2] if len(parts) > 2 else "")
        return values

    def restart_server(self):
        """Ends every process of the prefix and its server (which then writes the
        registry files); the next wine process starts a fresh server."""
        if self._probe:
            self._probe.close()
            self._probe = None
        subprocess.run(["wineserver", "-k"], env=self.env)
        subprocess.run(["wineserver", "-w"], env=self.env)
        subprocess.run(["wineserver", "-p"], env=self.env, check=True)

    @property
    def probe(self):
        if not self._probe:
            self._probe = Probe(self)
        return self._probe


class Probe:
    """winprobe.exe running in the session: one JSON answer per command."""

    def __init__(self, session):
        self._env = session.env
        self._answered = False
        self._start()

    def _start(self):
        # What Wine says on standard error is kept for the message when the probe ends.
        self._errors = tempfile.TemporaryFile()
        self._p = subprocess.Popen([WINE, build_path("tools", "winprobe.exe")], env=self._env,
                                   stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=self._errors,
                                   text=True, bufsize=1)

    def close(self):
        try:
            self._p.stdin.write("quit\n")
            self._p.stdin.flush()
            self._p.wait(timeout=10)
        except Exception:
            self._p.kill()
            self._p.wait()
        for f in (self._p.stdin, self._p.stdout, self._errors):
            try:
                f.close()
            except OSError:
                pass  # a probe that died leaves a broken pipe behind

    def _exchange(self, line):
        """Sends one command line; its answer, or None when the probe ended."""
        try:
            self._p.stdin.write(line + "\n")
            self._p.stdin.flush()
        except OSError:
            return None
        return self._p.stdout.readline() or None

    def ask(self, *words):
        line = " ".join('"%s"' % w if (" " in str(w) or not str(w)) else str(w) for w in words)
        answer = self._exchange(line)
        if answer is None and not self._answered:
            # A probe that ended before its first answer never ran: on a loaded machine
            # Wine's launcher now and then ends a start, with status 1 and not a word.
            # It has done nothing, so the command is given to a new one.
            self.close()
            self._start()
            answer = self._exchange(line)
        if answer is None:
            try:
                code = self._p.wait(timeout=10)
            except subprocess.TimeoutExpired:
                code = None
            self._errors.seek(0)
            said = self._errors.read()[-2000:].decode("utf-8", "replace")
            raise RuntimeError("winprobe ended (exit code %s) after %r: %s" % (code, line, said))
        self._answered = True
        return json.loads(answer)

    def find(self, cls, timeout_ms=20000):
        r = self.ask("find", cls, timeout_ms)
        return r["hwnd"] if r["ok"] else None

    def info(self, hwnd):
        return self.ask("info", hwnd)

    def scroll_info(self, hwnd):
        """A scroll bar control's range and thumb: {"min", "max", "pos"}."""
        return self.ask("scrollinfo", hwnd)

    def children(self, hwnd):
        return self.ask("children", hwnd)["children"]

    def dialogs(self):
        return self.ask("dialogs")["dialogs"]

    # The terminal's connecting dialog (its text, countdown and seconds fields) shows
    # when a connection takes over 1.5 s, as it can on a loaded machine, and can still
    # be there for a moment after the host has had its first answers.
    CONNECTING_FIELDS = {1151, 10117, 1142}

    def _fields(self, hwnd):
        return {c["id"] for c in self.children(hwnd)}

    def other_dialogs(self):
        """The dialogs showing, the connecting dialog left out (known by its fields, as
        its texts read empty while its thread is busy)."""
        return [d for d in self.dialogs() if not self.CONNECTING_FIELDS <= self._fields(d["hwnd"])]

    def wait_dialog(self, timeout=20.0):
        """The dialogs showing, once there is one other than the connecting dialog
        (which is left out)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            d = []
            for x in self.dialogs():
                fields = self._fields(x["hwnd"])
                # No fields: one being made, or gone since it was listed.
                if fields and not self.CONNECTING_FIELDS <= fields:
                    d.append(x)
            if d:
                return d
            time.sleep(0.1)
        return []

    def press(self, text, timeout_ms=5000):
        return self.ask("press", text, timeout_ms)["ok"]

    def settext(self, hwnd, text):
        return self.ask("settext", hwnd, text)["ok"]

    def post(self, hwnd, msg, wparam=0, lparam=0):
        return self.ask("post", hwnd, msg, wparam, lparam)["ok"]

    def send(self, hwnd, msg, wparam=0, lparam=0, timeout_ms=5000):
        return self.ask("send", hwnd, msg, wparam, lparam, timeout_ms)

    def run_command(self, hwnd, cmd_id, timeout_ms=60000):
        """Sends WM_COMMAND and returns once the window has carried the command out (a
        posted command may still wait behind a message sent after it). Not for commands
        that open a modal dialog."""
        return self.send(hwnd, WM_COMMAND, cmd_id, 0, timeout_ms)["ok"]

    def command(self, hwnd, cmd_id):
        return self.ask("command", hwnd, cmd_id)["ok"]

    def workarea(self):
        return self.ask("workarea")["rect"]

    def find_dialog(self, title, timeout_ms=20000):
        r = self.ask("find-dialog", title, timeout_ms)
        return r["hwnd"] if r["ok"] else None

    def control(self, dialog, control_id):
        return self.ask("ctl", dialog, control_id)

    def items(self, dialog, control_id):
        return self.ask("items", dialog, control_id)

    def set_text(self, dialog, control_id, text):
        return self.ask("set-text", dialog, control_id, text)["ok"]

    def select(self, dialog, control_id, index):
        return self.ask("select", dialog, control_id, index)["ok"]

    def click(self, dialog, control_id):
        return self.ask("click", dialog, control_id)["ok"]


class ScreenDump:
    """The terminal's test screen dump (VXNT_TEST_SCREEN) in `directory`: the cursor
    line, then each row as copying shows it. Make it before the terminal starts."""

    def __init__(self, session, directory):
        self.path = os.path.join(directory, "screen.txt")
        session.env["VXNT_TEST_SCREEN"] = session.windows_path(self.path)

    def text(self):
        try:
            with open(self.path, encoding="utf-8") as f:
                return f.read()
        except FileNotFoundError:
            return ""

    def wait(self, text, timeout=15):
        """The dump once it holds `text`, or the last one read."""
        deadline = time.time() + timeout
        while time.time() < deadline and text not in self.text():
            time.sleep(0.1)
        return self.text()


class WineTestCase(unittest.TestCase):
    """A test case with a fresh Wine session per test."""

    def setUp(self):
        self.wine = WineSession()
        self.addCleanup(self.wine.close)

    def wait_exit(self, proc, timeout):
        try:
            return proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.fail("process still running after %.1f s" % timeout)

    def start_terminal(self, *args):
        """Starts vexaNT.exe; returns its process and main window once the window is there."""
        return self.wine.launch(build_path("terminal", "vexaNT.exe"), *args)

    def xdotool(self, *args, timeout=60):
        return subprocess.run(["xdotool", *args], env=self.wine.env, capture_output=True, text=True,
                              timeout=timeout)

    def focus_terminal(self):
        """Gives the terminal's X window the keyboard focus; Wine takes it as the
        foreground window."""
        window = None
        deadline = time.time() + 20
        while not window and time.time() < deadline:
            for xid in self.xdotool("search", "--onlyvisible", "--classname", "vexant.exe").stdout.split():
                if self.xdotool("getwindowname", xid).stdout.strip() != "Default IME":
                    window = xid
            time.sleep(0.2)
        self.assertIsNotNone(window, "the terminal's X window was not found")
        self.xdotool("windowfocus", "--sync", window, timeout=10)
        time.sleep(0.3)

    def choose_emulation(self, hwnd, name):
        """Chooses an emulation by its name on the Emulation page and closes it with OK."""
        probe = self.wine.probe
        self.assertTrue(probe.command(hwnd, CMD_EMULATION))
        page = probe.find_dialog("Emulation Settings", 20000)
        self.assertIsNotNone(page)
        items = [item["text"] for item in probe.items(page, 1329)["items"]]
        self.assertIn(name, items)
        self.assertTrue(probe.select(page, 1329, items.index(name)))
        self.assertTrue(probe.click(page, 1))
        self.assertTrue(probe.ask("wait-gone", page, 10000)["ok"])

    def connect_telnet(self, hwnd, port):
        """Opens a telnet connection to 127.0.0.1:port through New Connection."""
        probe = self.wine.probe
        self.assertTrue(probe.command(hwnd, CMD_NEW_CONNECTION))
        page = probe.find_dialog("New Connection", 20000)
        self.assertTrue(probe.select(page, 1210, 0))
        self.assertTrue(probe.set_text(page, 1260, "127.0.0.1"))
        self.assertTrue(probe.click(page, 2970))
        options = probe.find_dialog("Telnet Options", 20000)
        self.assertTrue(probe.set_text(options, 1281, str(port)))
        self.assertTrue(probe.click(options, 1))
        self.assertTrue(probe.ask("wait-gone", options, 10000)["ok"])
        self.assertTrue(probe.click(page, 1133))

    def close_terminal(self, proc, hwnd, timeout=10):
        """Posts WM_CLOSE; returns the exit code and the seconds until the process ended."""
        self.assertTrue(self.wine.probe.post(hwnd, WM_CLOSE, 1, 0))
        start = time.time()
        code = self.wait_exit(proc, timeout)
        return code, time.time() - start

    def stop_terminal(self, proc, hwnd, timeout=15):
        """For clean-ups: closes a terminal that still runs and kills it if it does not end."""
        if proc.poll() is None:
            self.wine.probe.post(hwnd, WM_CLOSE, 1, 0)
            try:
                proc.wait(timeout=timeout)
            except subprocess.TimeoutExpired:
                proc.kill()


WM_CLOSE = 0x0010
CMD_EMULATION, CMD_NEW_CONNECTION = 1012, 1015
WM_COMMAND = 0x0111
WS_POPUP = 0x80000000
WS_VISIBLE = 0x10000000
WS_CAPTION = 0x00C00000
WS_SYSMENU = 0x00080000
WS_THICKFRAME = 0x00040000
WS_MINIMIZEBOX = 0x00020000
WS_MAXIMIZEBOX = 0x00010000
WS_CLIPCHILDREN = 0x02000000
WS_MAXIMIZE = 0x01000000
WS_CHILD = 0x40000000
WS_CLIPSIBLINGS = 0x04000000
