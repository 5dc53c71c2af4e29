"""Key-to-host latency of vexaNT beside xterm, on the same display, in one run.

    python3 bench/keylatency.py [--presses N] [--baseline path/to/vexaNT.exe]

Each terminal is connected to a host on 127.0.0.1 (vexaNT over telnet under Wine,
xterm through socat) and given the keyboard focus; the X server is then made to press a
key through the XTEST extension, and the host times from the press until the key's byte
arrives. It prints the median and the worst of --presses presses for each terminal.
"""
import argparse
import os
import re
import shutil
import socket
import statistics
import subprocess
import sys
import time

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))
sys.path.insert(0, os.path.join(SOURCE, "tools"))
import vxtest  # noqa: E402
from vxtest.xkeys import XKeyboard  # noqa: E402
from throughput import CSI, Host  # noqa: E402


def focus(display, classname):
    """Gives the X window of this class the keyboard focus."""
    env = dict(os.environ, DISPLAY=display)
    deadline = time.time() + 30
    while time.time() < deadline:
        ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--classname", classname], env=env,
                             capture_output=True, text=True).stdout.split()
        for xid in ids:
            name = subprocess.run(["xdotool", "getwindowname", xid], env=env, capture_output=True, text=True).stdout
            if name.strip() != "Default IME":
                subprocess.run(["xdotool", "windowfocus", "--sync", xid], env=env, timeout=10)
                time.sleep(0.5)
                return
        time.sleep(0.2)
    sys.exit("no window of class %s appeared" % classname)


def drain(conn):
    conn.settimeout(0.3)
    try:
        while conn.recv(65536):
            pass
    except socket.timeout:
        pass


def presses(host, display, count):
    """Seconds from each XTEST press of 'a' until its byte reaches the host."""
    keyboard = XKeyboard(display)
    code = keyboard.keycode("a")
    times = []
    try:
        drain(host.conn)
        host.conn.settimeout(5)
        for _ in range(count):
            start = time.perf_counter()
            keyboard.event(code, True)
            received = b""
            while b"a" not in received:
                chunk = host.conn.recv(4096)
                if not chunk:
                    raise RuntimeError("the terminal closed the connection")
                received += chunk
            times.append(time.perf_counter() - start)
            keyboard.event(code, False)
            time.sleep(0.15)
            drain(host.conn)
            host.conn.settimeout(5)
    finally:
        keyboard.close()
    return times


def vexant(exe, display, count, label):
    print(label, flush=True)
    with vxtest.WineSession() as wine:
        host = Host(telnet=True)
        proc = wine.start(exe, "127.0.0.1", "-Tnport%d" % host.port)
        try:
            host.accept()
            host.request(CSI + b"5n", re.compile(rb"\x1b\[0n"), 120)
            focus(wine.env["DISPLAY"], "vexant.exe")
            return presses(host, wine.env["DISPLAY"], count)
        finally:
            host.close()
            proc.kill()
            proc.wait()


def xterm(display, count):
    print("xterm", flush=True)
    host = Host(telnet=False)
    proc = subprocess.Popen(["xterm", "-geometry", "80x24", "-e", "socat", "-,raw,echo=0",
                             "TCP:127.0.0.1:%d" % host.port], env=dict(os.environ, DISPLAY=display),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        host.accept()
        focus(display, "xterm")
        return presses(host, display, count)
    finally:
        host.close()
        proc.kill()
        proc.wait()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--presses", type=int, default=20, help="key presses per terminal (default 20)")
    parser.add_argument("--baseline", help="another vexaNT.exe to measure in the same run")
    args = parser.parse_args()
    for tool in ("xterm", "socat", "xdotool"):
        if not shutil.which(tool):
            sys.exit("%s is needed (apt-get install xterm socat xdotool)" % tool)
    exe = vxtest.build_path("terminal", "vexaNT.exe")
    display_proc = None
    if not os.environ.get("DISPLAY"):
        out = subprocess.check_output([os.path.join(SOURCE, "tools", "wine", "display.sh")], text=True).split()
        os.environ["DISPLAY"], display_proc = out[0], int(out[1])
    os.environ["VX_SHARED_DISPLAY"] = "1"
    display = os.environ["DISPLAY"]
    results = []
    try:
        results.append(("vexaNT", vexant(exe, display, args.presses, "vexaNT (Wine)")))
        if args.baseline:
            results.append(("baseline", vexant(args.baseline, display, args.presses, "baseline vexaNT (Wine)")))
        results.append(("xterm", xterm(display, args.presses)))
    finally:
        if display_proc:
            os.kill(display_proc, 15)
    print()
    print("%-10s %10s %10s" % ("terminal", "median ms", "worst ms"))
    for name, times in results:
        print("%-10s %10.2f %10.2f" % (name, statistics.median(times) * 1e3, max(times) * 1e3))


if __name__ == "__main__":
    main()
