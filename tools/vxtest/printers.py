"""Printers in a test's Wine prefix: Wine's PostScript driver on a spooler port whose
jobs land in files (one file per job, named in arrival order), and LPT ports linked to
files or devices for direct port printing."""
import glob
import os
import subprocess
import tempfile
import time

from . import WINE, build_path

SPOOLER = r"HKEY_CURRENT_USER\Software\Wine\Printing\Spooler"


class SpooledPrinter:
    """A printer whose every job becomes one file in `directory`."""

    def __init__(self, wine, directory, name="vexaPS", port="LPT1:", default=True):
        self.name, self.port, self.directory = name, port, directory
        os.makedirs(directory, exist_ok=True)
        command = '|cat > "%s/job-$(date +%%s%%N)"' % directory
        for attempt in range(3):
            code, out = wine.reg("add", SPOOLER, "/v", port, "/d", command, "/f")
            if code == 0:
                break
        else:
            raise RuntimeError("spooler port: %s" % out)
        add_printer(wine, name, port, default)

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


def add_printer(wine, name, port, default=False):
    """Installs a printer on Wine's PostScript driver. Its output goes through a file:
    the spooler service that the first printer call starts would inherit a pipe and keep
    it open."""
    with tempfile.TemporaryFile("w+") as out:
        r = subprocess.run([WINE, build_path("tools", "addprinter.exe"), name, port] + (["default"] if default else []),
                           env=wine.env, stdin=subprocess.DEVNULL, stdout=out, stderr=subprocess.STDOUT, text=True,
                           timeout=120)
        out.seek(0)
        said = out.read()
    if r.returncode != 0 or "ok" not in said.split():
        raise RuntimeError("addprinter %s %s: %s" % (name, port, said))


def add_port_printer(wine, name, port):
    """A printer installed only so that its port is one the terminal lists."""
    add_printer(wine, name, port)


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


def ghostscript_bbox(postscript):
    """The bounding box (x0, y0, x1, y1, in points) of what a PostScript job marks."""
    import re
    with tempfile.NamedTemporaryFile(suffix=".ps") as f:
        f.write(postscript)
        f.flush()
        r = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-sDEVICE=bbox", f.name],
                           capture_output=True, timeout=60)
    found = re.search(rb"%%BoundingBox: (-?\d+) (-?\d+) (-?\d+) (-?\d+)", r.stderr + r.stdout)
    return tuple(int(v) for v in found.groups()) if found else (0, 0, 0, 0)


def ghostscript_brightness(postscript):
    """The mean grey level (0 black .. 255 white) of a PostScript job's first page,
    rendered small by Ghostscript."""
    with tempfile.NamedTemporaryFile(suffix=".ps") as f:
        f.write(postscript)
        f.flush()
        r = subprocess.run(["gs", "-q", "-dNOPAUSE", "-dBATCH", "-dSAFER", "-dFirstPage=1", "-dLastPage=1",
                            "-sDEVICE=pgmraw", "-r18", "-sOutputFile=-", f.name], capture_output=True, timeout=60)
    # P5 header: magic, width, height, maximum, then one byte per pixel.
    fields = r.stdout.split(None, 4)
    pixels = fields[4] if len(fields) == 5 and fields[0] == b"P5" else b""
    return sum(pixels) / len(pixels) if pixels else -1


def holders_of(path, prefix):
    """Processes of the Wine prefix that hold `path` open."""
    found = []
    for proc in glob.glob("/proc/[0-9]*"):
        try:
            with open(os.path.join(proc, "environ"), "rb") as f:
                if ("WINEPREFIX=" + prefix).encode() not in f.read().split(b"\0"):
                    continue
            for fd in os.listdir(os.path.join(proc, "fd")):
                if os.readlink(os.path.join(proc, "fd", fd)) == path:
                    found.append(proc)
        except OSError:
            continue
    return found
