"""Printers in a test's Wine prefix: Wine's PostScript driver on a spooler port whose
jobs land in files (one file per job, named in arrival order), and LPT ports linked to
files or devices for direct port printing."""
import glob
import os
import time

from . import build_path

SPOOLER = r"HKEY_CURRENT_USER\Software\Wine\Printing\Spooler"


class SpooledPrinter:
    """A printer whose every job becomes one file in `directory`."""

    def __init__(self, wine, directory, name="vexaPS", port="LPT1:", default=True):
        self.name, self.port, self.directory = name, port, directory
        os.makedirs(directory, exist_ok=True)
        command = '|cat > "%s/job-$(date +%%s%%N)"' % directory
        code, out = wine.reg("add", SPOOLER, "/v", port, "/d", command, "/f")
        if code != 0:
            raise RuntimeError("spooler port: %s" % out)
        args = [name, port] + (["default"] if default else [])
        r = wine.run(build_path("tools", "addprinter.exe"), *args)
        if r.stdout.decode(errors="replace").strip() != "ok":
            raise RuntimeError("addprinter: %r %r" % (r.stdout, r.stderr))

    def jobs(self):
        """Every job so far, oldest first, as bytes."""
        out = []
        for path in sorted(glob.glob(os.path.join(self.directory, "job-*"))):
            with open(path, "rb") as f:
                out.append(f.read())
        return out

    def wait_jobs(self, count, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            jobs = self.jobs()
            if len(jobs) >= count:
                # The spooler's cat may still be writing the last one.
                time.sleep(0.5)
                return self.jobs()
            time.sleep(0.2)
        return self.jobs()


def link_lpt(wine, number, target):
    """dosdevices/lptN -> target: direct port output to a file or a device."""
    path = os.path.join(wine.prefix, "dosdevices", "lpt%d" % number)
    if os.path.lexists(path):
        os.unlink(path)
    os.symlink(target, path)


def add_port_printer(wine, name, port):
    """A printer installed only so that its port is one the terminal lists."""
    r = wine.run(build_path("tools", "addprinter.exe"), name, port)
    if r.stdout.decode(errors="replace").strip() != "ok":
        raise RuntimeError("addprinter: %r %r" % (r.stdout, r.stderr))


def ghostscript_text(postscript):
    """The text of a PostScript job as Ghostscript's txtwrite extracts it."""
    import subprocess
    import tempfile
    with tempfile.NamedTemporaryFile(suffix=".ps") as f:
        f.write(postscript)
        f.flush()
        r = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=txtwrite", "-sOutputFile=-",
                            f.name], capture_output=True, timeout=60)
        return r.stdout.decode("utf-8", "replace")
