"""lprdrive.exe in a Wine session: lprspool.DLL called as the terminal calls it."""
import itertools
import json
import os
import re
import subprocess
import tempfile

from . import WINE, build_path

SERVICES = os.path.join("drive_c", "windows", "system32", "drivers", "etc", "services")


def use_printer_port(wine, port):
    """Points the prefix's service "printer" at a port. The prefix shares its system files
    with the template by hard links, so the file is replaced, never written in place."""
    path = os.path.join(wine.prefix, SERVICES)
    with open(path) as f:
        text = f.read()
    text, n = re.subn(r"(?m)^printer\s+\d+/tcp", "printer         %d/tcp" % port, text)
    if n == 0:
        text += "printer         %d/tcp   spooler\n" % port
    os.unlink(path)
    with open(path, "w") as f:
        f.write(text)


def dos_path(unix_path):
    # Wine maps the Unix root to drive Z:.
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def _word(w):
    w = str(w)
    if w == "":
        return '""'
    return '"%s"' % w if " " in w else w


class LprDriver:
    _files = itertools.count()

    def __init__(self, wine, load=True):
        exe = build_path("tools", "lprdrive.exe")
        self._p = subprocess.Popen([WINE, exe], env=wine.env, cwd=os.path.dirname(exe), stdin=subprocess.PIPE,
                                   stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, bufsize=1)
        self._tmp = tempfile.mkdtemp(prefix="lprdrive.")
        self.dll_path = dos_path(build_path("terminal", "lprspool.DLL")).replace("\\", "\\\\")
        if load:
            r = self.ask("load", self.dll_path)
            if not r["ok"]:
                raise RuntimeError("lprspool.DLL did not load: %s" % r)

    @property
    def process(self):
        return self._p

    def ask(self, *words):
        self._p.stdin.write(" ".join(_word(w) for w in words) + "\n")
        self._p.stdin.flush()
        answer = self._p.stdout.readline()
        if not answer:
            raise RuntimeError("lprdrive ended")
        return json.loads(answer)

    def result(self, *words):
        r = self.ask(*words)
        if not r["ok"]:
            raise RuntimeError("%s: %s" % (words, r))
        return r["result"]

    def open(self, host="127.0.0.1", queue="lp", job="job", user="alice", number=-1, copies=1, banner=0,
             retries=0, delay=0, debug=0):
        return self.result("open", host, queue, job, user, number, copies, banner, retries, delay, debug)

    def add(self, index, data, chunk=65536):
        path = os.path.join(self._tmp, "data%d" % next(self._files))
        with open(path, "wb") as f:
            f.write(data)
        try:
            return self.result("addfile", index, dos_path(path).replace("\\", "\\\\"), chunk)
        finally:
            os.unlink(path)

    def job(self, data, **kw):
        """Opens, fills and closes one request; returns its index."""
        index = self.open(**kw)
        if index < 0:
            raise RuntimeError("OpenLPDRequest refused: %d" % index)
        if self.add(index, data) != 1 or self.result("close", index) != 1:
            raise RuntimeError("job %d not queued" % index)
        return index

    def close(self):
        if self._p.poll() is None:
            try:
                self._p.stdin.write("exit\n")
                self._p.stdin.flush()
                self._p.wait(timeout=10)
            except Exception:
                self._p.kill()
                self._p.wait()
        for pipe in (self._p.stdin, self._p.stdout):
            try:
                pipe.close()
            except OSError:
                pass
        try:
            os.rmdir(self._tmp)
        except OSError:
            pass
