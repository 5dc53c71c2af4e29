#!/usr/bin/env python3
"""Takes a screenshot of vexaNT under Wine and Xvfb showing a screen written by a host.

    tools/screenshot/screenshot.py OUTPUT.png [HOST_DATA_FILE]

Without a host data file the program is fed a demonstration screen: every rendition,
the sixteen colours, double-width and double-height lines, DEC line drawing and the
technical set. The bytes reach the program through its whole-program test source
(VXNT_TEST_HOST), exactly as received host data. Needs the Windows build (build/win)
and ImageMagick's `import`.
"""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import vxtest  # noqa: E402

ESC = "\x1b"
CSI = ESC + "["


def demo_screen():
    out = [CSI + "2J" + CSI + "H"]
    out.append(ESC + "#6" + "Double width: vexaNT screen test" + "\r\n")
    out.append(ESC + "#3" + "Double height line" + "\r\n")
    out.append(ESC + "#4" + "Double height line" + "\r\n")
    renditions = [("normal", "0"), ("bold", "1"), ("underline", "4"), ("blink", "5"), ("reverse", "7"),
                  ("bold+underline", "1;4"), ("reverse+bold", "7;1"), ("invisible->", "8")]
    out.append("".join(CSI + code + "m" + name + CSI + "0m " for name, code in renditions) + "|\r\n")
    out.append("".join(CSI + "3%dm" % c + "fg%d " % c for c in range(8)) + CSI + "0m\r\n")
    out.append("".join(CSI + "4%d;37m" % c + " bg%d " % c for c in range(8)) + CSI + "0m\r\n")
    out.append("".join(CSI + "1;3%dm" % c + "br%d " % c for c in range(8)) + CSI + "0m\r\n")
    # DEC special graphics: a box with a cross and the other line pieces.
    box = ["lqqqqqwqqqqqk", "x     x     x", "tqqqqqnqqqqqu", "x     x     x", "mqqqqqvqqqqqj"]
    for i, row in enumerate(box):
        extra = ["  `afgjklmnopqrstuvwxyz{|}~", "  scan lines: opqrs", "", "", ""][i]
        out.append(ESC + "(0" + row + ESC + "(B" + (ESC + "(0" + extra + ESC + "(B" if i == 0 else extra) + "\r\n")
    # The DEC technical set: a radical, an integral and some symbols.
    out.append(ESC + "(>" + '"#####' + ESC + "(B" + "   " + ESC + "(>" + "$" + ESC + "(B" + "   " +
               ESC + "(>" + "<=>?DFGJLPQSW" + ESC + "(B" + "\r\n")
    out.append(ESC + "(>" + "!" + ESC + "(B" + " x+1    " + ESC + "(>" + "%" + ESC + "(B" + "\r\n")
    out.append(CSI + "1;4;7m" + " The End " + CSI + "0m")
    return "".join(out).encode("latin-1")


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    output = os.path.abspath(sys.argv[1])
    data = open(sys.argv[2], "rb").read() if len(sys.argv) > 2 else demo_screen()
    directory = tempfile.mkdtemp(prefix="vxshot")
    host = os.path.join(directory, "host")
    with open(host, "wb") as f:
        f.write(data)
    with vxtest.WineSession() as wine:
        wine.env["VXNT_TEST_HOST"] = wine.windows_path(host)
        proc = wine.start(vxtest.build_path("terminal", "vexaNT.exe"))
        hwnd = wine.probe.find("vexaNT", 30000)
        if not hwnd:
            print("no vexaNT window appeared", file=sys.stderr)
            return 1
        time.sleep(3)
        subprocess.run(["import", "-display", wine.env["DISPLAY"], "-window", "root", output], check=True)
        wine.probe.post(hwnd, vxtest.WM_CLOSE, 1, 0)
        proc.wait(10)
    print(output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
