"""The engine alone beside libvterm, measured in the same run.

    bench/engine.sh [--megabytes N] [--only NAME] [--rounds N]

Writes bench/workloads.py's workloads to files and feeds each through build/bench's
enginebench (the telnet engine, the reader, the DEC emulation and the screen store, with
the recording test doubles in place of the socket and the painter) and through
vtermbench (libvterm's parser, state and screen layers, 80 x 24). Prints the MB/s of each
and the engine's share of libvterm's; each figure is the best of --rounds runs.
"""
import argparse
import os
import subprocess
import sys
import tempfile

from workloads import make

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), ".."))


def run(program, files, rounds):
    out = subprocess.check_output([program, "--rounds", str(rounds)] + files, text=True)
    return {os.path.basename(line.split()[0]): float(line.split()[2]) for line in out.splitlines() if line.strip()}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--megabytes", type=float, default=4.0, help="size of the first four workloads (default 4)")
    parser.add_argument("--only", help="run only the workload of this name")
    parser.add_argument("--rounds", type=int, default=3, help="runs of each, the best counts (default 3)")
    parser.add_argument("--build", default=os.path.join(SOURCE, "build", "bench", "bench"))
    args = parser.parse_args()
    workloads = make(int(args.megabytes * 1e6), args.only)
    if not workloads:
        sys.exit("no workload named %s" % args.only)
    with tempfile.TemporaryDirectory() as directory:
        files = []
        for name, data in workloads:
            path = os.path.join(directory, name)
            with open(path, "wb") as f:
                f.write(data)
            files.append(path)
        ours = run(os.path.join(args.build, "enginebench"), files, args.rounds)
        theirs = run(os.path.join(args.build, "vtermbench"), files, args.rounds)
    print("%-16s %12s %12s %8s" % ("workload", "engine MB/s", "libvterm", "ratio"))
    for name, _ in workloads:
        print("%-16s %12.2f %12.2f %8.2f" % (name, ours[name], theirs[name], ours[name] / theirs[name]))


if __name__ == "__main__":
    main()
