"""The engine alone beside libvterm, measured in the same run.

    bench/engine.sh [--megabytes N] [--only NAME] [--rounds N] [--ta6530 conv|ansi] [--dg] [--wyse ID]
                    [--ibm3151] [--tvi ID] [--emulation NAME]

Writes bench/workloads.py's workloads to files and feeds each through build/bench's
enginebench (the telnet engine, the reader, the DEC emulation and the screen store, with
the recording test doubles in place of the socket and the painter) and through
vtermbench (libvterm's parser, state and screen layers, 80 x 24). Prints the MB/s of each
and the engine's share of libvterm's; each figure is the best of --rounds runs. With
--ta6530 the TA6530 family takes the workloads in its conversational or ANSI mode, with
--dg the DG 410/412 in its ANSI mode. --wyse ID (8 WY50 ... 15 WY60) runs the Wyse
workloads through that personality; the last column is then the DEC emulation on the
same bytes, where only the plain text of the scrolling ones means the same to both.
--ibm3151 the IBM 3151 in Echo mode; --tvi ID (19 TVI955, 22 TVI950) the TVI, whose last
column is then the DEC emulation on the same bytes (their VT sequences mean nothing to a
TVI: the plain text and line ends are what both take alike). --emulation runs the DEC family or an ANSI
console as that emulation (vt100, vt500-7, vt500-8, ansi-bbs, sco, at386; default the
program's own default, VT500 7-bit).
"""
import argparse
import os
import subprocess
import sys
import tempfile

from workloads import EMULATIONS, make

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))


def run(program, files, rounds, options=()):
    out = subprocess.check_output([program, "--rounds", str(rounds)] + list(options) + files, text=True)
    return {os.path.basename(line.split()[0]): float(line.split()[2]) for line in out.splitlines() if line.strip()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--megabytes", type=float, default=4.0, help="size of the first four workloads (default 4)")
    parser.add_argument("--only", help="run only the workload of this name")
    parser.add_argument("--rounds", type=int, default=3, help="runs of each, the best counts (default 3)")
    parser.add_argument("--build", default=os.path.join(SOURCE, "build", "bench", "bench"))
    parser.add_argument("--ta6530", choices=("conv", "ansi"), help="the TA6530 in this mode instead of DEC")
    parser.add_argument("--dg", action="store_true", help="the DG 410/412 in ANSI mode instead of the DEC emulation")
    parser.add_argument("--wyse", type=int, choices=range(8, 16), help="the Wyse personality instead of DEC")
    parser.add_argument("--ibm3151", action="store_true", help="the IBM 3151 instead of the DEC emulation")
    parser.add_argument("--tvi", type=int, choices=(19, 22), help="the TVI 955 or 950 instead of DEC")
    parser.add_argument("--emulation", choices=sorted(EMULATIONS), help="the DEC or ANSI console emulation")
    args = parser.parse_args()
    workloads = make(int(args.megabytes * 1e6), args.only, wyse=args.wyse is not None)
    if not workloads:
        sys.exit("no workload named %s" % args.only)
    with tempfile.TemporaryDirectory() as directory:
        files = []
        for name, data in workloads:
            path = os.path.join(directory, name)
            with open(path, "wb") as f:
                f.write(data)
            files.append(path)
        options = (("--ta6530", args.ta6530) if args.ta6530 else ("--dg",) if args.dg else
                   ("--ibm3151",) if args.ibm3151 else ())
        if args.wyse is not None:
            options = ("--wyse", str(args.wyse))
        if args.tvi is not None:
            options = ("--tvi", str(args.tvi))
        if args.emulation:
            options = ("--emulation", str(EMULATIONS[args.emulation]))
        ours = run(os.path.join(args.build, "enginebench"), files, args.rounds, options)
        if args.wyse is not None or args.tvi is not None:
            theirs = run(os.path.join(args.build, "enginebench"), files, args.rounds)
        else:
            theirs = run(os.path.join(args.build, "vtermbench"), files, args.rounds)
    other = "DEC" if args.wyse is not None or args.tvi is not None else "libvterm"
    print("%-18s %12s %12s %8s" % ("workload", "engine MB/s", other, "ratio"))
    for name, _ in workloads:
        print("%-18s %12.2f %12.2f %8.2f" % (name, ours[name], theirs[name], ours[name] / theirs[name]))


if __name__ == "__main__":
    main()
