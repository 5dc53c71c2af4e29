"""Host-data throughput of vexaNT beside xterm, measured in the same run.

    bench/throughput.sh [--megabytes N] [--only NAME] [--baseline EXE [--rounds N]]
                        [--jumpscroll] [--emulation NAME]

A host on 127.0.0.1 sends each workload to the terminal, then a cursor-position request
(CSI 6 n), and times from the first byte until the cursor report arrives: the terminal
has then read, interpreted and drawn everything before it. vexaNT runs under Wine and
reaches the host over telnet; xterm runs on the same display and reaches the host
through socat. The workloads are bench/workloads.py's (the first four --megabytes each,
the last two 10 MiB).

It prints the MB/s of each terminal for each workload and vexaNT's share of xterm's.
With --jumpscroll vexaNT runs with its "JumpScroll" setting on (scrolls are counted and
the screen redrawn at most every 33 scrolls or half second) instead of smooth painting.
With --emulation vexaNT runs as that DEC or ANSI console emulation (vt100, vt500-7,
vt500-8, ansi-bbs, sco, at386) instead of its default (VT500 7-bit); xterm stays itself.
With --baseline another vexaNT.exe (an older build) runs in the same run, in turn with
this one for --rounds rounds; the best figure of each is compared.
"""
import argparse
import os
import re
import shutil
import socket
import subprocess
import sys
import time

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import vxtest  # noqa: E402
from workloads import CSI, EMULATIONS, make  # noqa: E402

# The cursor report, as a 7-bit or (the VT500 in 8-bit mode) an 8-bit control.
REPORT = re.compile(rb"(?:\x1b\[|\x9b)\d+;\d+R")


# ---- the host ----------------------------------------------------------------------------

class Host:
    def __init__(self, telnet):
        self.telnet = telnet
        self.listener = socket.socket()
        self.listener.bind(("127.0.0.1", 0))
        self.listener.listen(1)
        self.port = self.listener.getsockname()[1]
        self.conn = None

    def accept(self, timeout=60):
        self.listener.settimeout(timeout)
        self.conn, _ = self.listener.accept()
        self.conn.settimeout(120)

    def request(self, data, pattern, timeout=600):
        """Sends data; returns the seconds until the terminal's answer matched."""
        if self.telnet:
            data = data.replace(b"\xff", b"\xff\xff")
        received = b""
        # The whole request may take `timeout`: sendall counts its time against the
        # socket's timeout, and a slow terminal takes minutes over a large workload.
        self.conn.settimeout(timeout)
        start = time.perf_counter()
        self.conn.sendall(data)
        deadline = time.time() + timeout
        while not pattern.search(received):
            if time.time() > deadline:
                raise RuntimeError("no answer within %d s" % timeout)
            chunk = self.conn.recv(65536)
            if not chunk:
                raise RuntimeError("the terminal closed the connection")
            received += chunk
        return time.perf_counter() - start

    def close(self):
        for s in (self.conn, self.listener):
            if s:
                s.close()


def measure(host, workloads):
    # The terminal answers before anything is timed: it is connected and drawn.
    host.request(CSI + b"5n", re.compile(rb"(?:\x1b\[|\x9b)0n"), 120)
    results = {}
    for name, data in workloads:
        seconds = host.request(data + CSI + b"6n", REPORT)
        results[name] = len(data) / seconds / 1e6
        print("  %-14s %8.2f MB/s" % (name, results[name]), flush=True)
    return results


PROFILE = r"HKEY_CURRENT_USER\Software\Quorlan\vexaNT\Profiles\Default"


def run_vexant(workloads, jumpscroll, exe=None, label="vexaNT (Wine)", emulation=None):
    exe = exe or vxtest.build_path("terminal", "vexaNT.exe")
    if not os.path.exists(exe):
        sys.exit("build the program first: %s is missing" % exe)
    print(label, flush=True)
    with vxtest.WineSession() as wine:
        host = Host(telnet=True)
        if jumpscroll or emulation:
            # The settings are read with the profile, so the profile names the host.
            values = [(PROFILE + "\\CONNECTION", "netproto", "REG_DWORD", "0"),
                      (PROFILE + "\\CONNECTION", "netname", "REG_SZ", "127.0.0.1"),
                      (PROFILE + "\\CONNECTION", "iTelnetPortNum", "REG_DWORD", str(host.port))]
            if jumpscroll:
                values.append((PROFILE + "\\VT300", "JumpScroll", "REG_DWORD", "1"))
            if emulation:
                values.append((PROFILE + "\\VT300", "vdumode", "REG_DWORD", str(EMULATIONS[emulation])))
            for key, name, kind, value in values:
                wine.reg("add", key, "/v", name, "/t", kind, "/d", value, "/f")
            proc = wine.start(exe, "-SeDefault")
        else:
            proc = wine.start(exe, "127.0.0.1", "-Tnport%d" % host.port)
        try:
            host.accept()
            return measure(host, workloads), wine.env["DISPLAY"]
        finally:
            host.close()
            proc.kill()
            proc.wait()


def run_xterm(workloads, display):
    print("xterm", flush=True)
    host = Host(telnet=False)
    xterm = subprocess.Popen(["xterm", "-geometry", "80x24", "-e", "socat", "-,raw,echo=0",
                              "TCP:127.0.0.1:%d" % host.port], env=dict(os.environ, DISPLAY=display),
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        host.accept()
        return measure(host, workloads)
    finally:
        host.close()
        xterm.kill()
        xterm.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--megabytes", type=float, default=4.0, help="size of the first four workloads (default 4)")
    parser.add_argument("--only", help="run only the workload of this name")
    parser.add_argument("--jumpscroll", action="store_true", help="run vexaNT with JumpScroll on")
    parser.add_argument("--no-xterm", action="store_true", help="measure vexaNT alone")
    parser.add_argument("--emulation", choices=sorted(EMULATIONS), help="the DEC or ANSI console emulation vexaNT runs")
    parser.add_argument("--baseline", help="another vexaNT.exe to measure in the same run")
    parser.add_argument("--rounds", type=int, default=1, help="turns of the baseline and this build (default 1)")
    args = parser.parse_args()
    for tool in ("xterm", "socat"):
        if not shutil.which(tool):
            sys.exit("%s is needed (apt-get install xterm socat)" % tool)
    if args.baseline:
        # Wine starts the program from its own directory: a relative path would name
        # nothing there, and the run would wait for a connection that never comes.
        args.baseline = os.path.abspath(args.baseline)
        if not os.path.exists(args.baseline):
            sys.exit("no baseline program at %s" % args.baseline)
    workloads = make(int(args.megabytes * 1e6), args.only)
    if not workloads:
        sys.exit("no workload named %s" % args.only)

    # xterm needs the display that vexaNT's Wine session uses: keep one for both.
    display_proc = None
    if not os.environ.get("DISPLAY"):
        out = subprocess.check_output([os.path.join(SOURCE, "tools", "wine", "display.sh")], text=True).split()
        os.environ["DISPLAY"], display_proc = out[0], int(out[1])
    os.environ["VX_SHARED_DISPLAY"] = "1"
    baseline = None
    try:
        ours, display = run_vexant(workloads, args.jumpscroll, emulation=args.emulation)
        if args.baseline:
            # In turn, so that both see the same load; the best of each counts.
            baseline = {}
            for round_number in range(max(args.rounds, 1)):
                if round_number:
                    again, _ = run_vexant(workloads, args.jumpscroll, emulation=args.emulation)
                    ours = {n: max(ours[n], again[n]) for n in ours}
                older, _ = run_vexant(workloads, args.jumpscroll, args.baseline, "baseline vexaNT (Wine)",
                                      args.emulation)
                baseline = {n: max(baseline.get(n, 0.0), older[n]) for n in older}
        theirs = None if args.no_xterm else run_xterm(workloads, display)
    finally:
        if display_proc:
            os.kill(display_proc, 15)

    if baseline:
        print()
        print("%-14s %12s %12s %8s" % ("workload", "vexaNT MB/s", "baseline", "ratio"))
        for name, _ in workloads:
            print("%-14s %12.2f %12.2f %8.2f" % (name, ours[name], baseline[name], ours[name] / baseline[name]))

    if theirs is None:
        return
    print()
    print("%-14s %12s %12s %8s" % ("workload", "vexaNT MB/s", "xterm MB/s", "ratio"))
    for name, _ in workloads:
        print("%-14s %12.2f %12.2f %8.2f" % (name, ours[name], theirs[name], ours[name] / theirs[name]))


if __name__ == "__main__":
    main()
