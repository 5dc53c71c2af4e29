"""A private lprng line printer daemon for tests: its own lpd.conf, printcap and
permissions in a temporary directory, listening on a free loopback port, with one queue
"lp" whose printer is a plain file. Nothing of the machine's printing set-up is read or
changed, and no system service is involved.

lpd only ever reads /etc/lprng/lpd.conf, so it is started with a small LD_PRELOAD shim
(tools/lprng/confshim.c, compiled here) that hands it the private file instead.
"""
import os
import shutil
import signal
import socket
import subprocess
import tempfile
import time

LPD = "/usr/sbin/lpd"
SHIM_SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lprng", "confshim.c")


def _free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class PrivateLpd:
    def __init__(self, queue="lp"):
        self.dir = tempfile.mkdtemp(prefix="vxlpd.")
        # lpd started as root works as the user "daemon": everything here must be open to it.
        os.chmod(self.dir, 0o777)
        spool = os.path.join(self.dir, "spool", queue)
        os.makedirs(spool)
        os.chmod(os.path.dirname(spool), 0o777)
        os.chmod(spool, 0o777)
        self.output = os.path.join(self.dir, "printer.out")
        self.log = os.path.join(self.dir, "lpd.log")
        for path in (self.output, self.log):
            open(path, "wb").close()
            os.chmod(path, 0o666)
        self.port = _free_port()
        d = self.dir
        self._write("lpd.conf", "\n".join([
            "lpd_listen_port=127.0.0.1%%%d" % self.port,
            "lpd_port=%d" % self.port,
            "lockfile=%s/lpd.lock" % d,
            "printcap_path=%s/printcap" % d,
            "lpd_printcap_path=%s/printcap" % d,
            "perms_path=%s/lpd.perms" % d,
            "unix_socket_path=%s/socket" % d,
            ""]))
        # Headers suppressed and no size limit: the printer file holds exactly the data.
        self._write("printcap", "%s:\n  :sd=%s\n  :lp=%s\n  :lf=%s/log\n  :sh\n  :mx=0\n" % (queue, spool, self.output,
                                                                                        spool))
        self._write("lpd.perms", "ACCEPT REMOTEIP=127.0.0.1\nDEFAULT REJECT\n")
        shim = os.path.join(d, "confshim.so")
        subprocess.run(["cc", "-shared", "-fPIC", "-O2", "-o", shim, SHIM_SOURCE, "-ldl"], check=True)
        env = dict(os.environ, LD_PRELOAD=shim, VX_LPD_CONF=os.path.join(d, "lpd.conf"))
        # Its own session, so every process lpd forks ends with it.
        self._p = subprocess.Popen([LPD, "-F", "-L", self.log], env=env, cwd=d, stdin=subprocess.DEVNULL,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, start_new_session=True)
        deadline = time.time() + 15
        while time.time() < deadline:
            if self._p.poll() is not None:
                raise RuntimeError("lpd ended: %s" % self._p.stderr.read().decode(errors="replace"))
            try:
                socket.create_connection(("127.0.0.1", self.port), timeout=1).close()
                return
            except OSError:
                time.sleep(0.1)
        self.close()
        raise RuntimeError("lpd did not listen on port %d" % self.port)

    def _write(self, name, text):
        with open(os.path.join(self.dir, name), "w") as f:
            f.write(text)

    def printed(self):
        with open(self.output, "rb") as f:
            return f.read()

    def wait_printed(self, size, timeout):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.getsize(self.output) >= size:
                return True
            time.sleep(0.1)
        return False

    def close(self):
        if self._p and self._p.poll() is None:
            try:
                os.killpg(self._p.pid, signal.SIGTERM)
                self._p.wait(timeout=5)
            except (OSError, subprocess.TimeoutExpired):
                try:
                    os.killpg(self._p.pid, signal.SIGKILL)
                except OSError:
                    pass
                self._p.wait()
        if self._p:
            self._p.stderr.close()
            self._p = None
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
